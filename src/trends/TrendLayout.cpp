#include "TrendLayout.h"

#include "charts/LevelGraph.h"
#include "elements/Arrow.h"

#include <QLabel>
#include <QToolButton>

TTrendLayout::TTrendLayout(const TTrendWindowDef &def, QWidget *window, QWidget *panelTop,
                           QWidget *panelBottom, QList<TLevelGraph *> charts)
    : FDef(def)
    , FWindow(window)
    , FPanelTop(panelTop)
    , FPanelBottom(panelBottom)
    , FCharts(std::move(charts))
{
    for (int i = 0; i < FCharts.size(); ++i) {
        FAlign << FDef.Charts.at(i).Align;
        FHeight << 100;
    }
}

void TTrendLayout::Normal()
{
    const int parts = std::max(FDef.LayoutParts, 1);
    const int v = (FWindow->height() - FPanelTop->height() - 20) / parts;
    // The lowest chart shows the time scale: the bottom-aligned one, else the filling one.
    int lowest = -1;
    for (int i = 0; i < FCharts.size(); ++i) {
        if (FDef.Charts.at(i).Align == TChartAlign::Bottom)
            lowest = i;
        if (FDef.Charts.at(i).Align == TChartAlign::Client && lowest < 0)
            lowest = i;
    }
    for (int i = 0; i < FCharts.size(); ++i) {
        FAlign[i] = FDef.Charts.at(i).Align;
        FHeight[i] = v + FDef.Charts.at(i).HeightAdd;
        TLevelGraph *chart = FCharts.at(i);
        chart->SetShowScaleX(i == lowest);
        chart->SetGraphSubHeight(i == lowest ? 30 : 10);
    }
    Realign();
    for (TLevelGraph *chart : std::as_const(FCharts))
        chart->show();
}

void TTrendLayout::BlowUp(int ix)
{
    for (int i = 0; i < FCharts.size(); ++i) {
        TLevelGraph *chart = FCharts.at(i);
        FAlign[i] = TChartAlign::Client;
        chart->SetShowScaleX(i == ix);
        chart->SetGraphSubHeight(i == ix ? 30 : 10);
        chart->setVisible(i == ix);
    }
    Realign();
}

void TTrendLayout::Resize()
{
    FPanelTop->setGeometry(0, 0, FWindow->width(), FPanelTop->height());
    if (!FDef.Divider) {
        const int parts = std::max(FDef.ResizeParts, 1);
        const int h = (FWindow->height() - FPanelTop->height() - 10) / parts;
        for (int i = 0; i < FCharts.size(); ++i)
            FHeight[i] = h + (i == 3 ? 10 : 0);
    }
    Realign();
}

void TTrendLayout::Realign()
{
    int top = FPanelTop->height();
    int bottom = FWindow->height() - (FPanelBottom ? FPanelBottom->height() : 0);
    const int w = FWindow->width();
    for (int i = 0; i < FCharts.size(); ++i) {
        if (FAlign[i] != TChartAlign::Top)
            continue;
        FCharts[i]->setGeometry(0, top, w, FHeight[i]);
        top += FHeight[i];
    }
    for (int i = FCharts.size() - 1; i >= 0; --i) {
        if (FAlign[i] != TChartAlign::Bottom)
            continue;
        bottom -= FHeight[i];
        FCharts[i]->setGeometry(0, bottom, w, FHeight[i]);
    }
    for (int i = 0; i < FCharts.size(); ++i)
        if (FAlign[i] == TChartAlign::Client)
            FCharts[i]->setGeometry(0, top, w, std::max(bottom - top, 0));

    // The chart's own controls keep to its right edge.
    const auto *firstLegend = FWindow->findChild<QLabel *>(QStringLiteral("LabelLegend11"));
    for (TLevelGraph *chart : std::as_const(FCharts)) {
        const int cw = chart->width();
        if (auto *zoom = chart->findChild<QToolButton *>())
            zoom->move(cw - zoom->width() - 16, 4);
        int row = 0;
        for (QLabel *label : chart->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
            if (!label->objectName().startsWith(QStringLiteral("LabelLegend")))
                continue;
            const int labelWidth = firstLegend ? firstLegend->width() : label->width();
            const int x = FDef.LegendBesideLabels ? cw - labelWidth - 8 : cw - labelWidth - 15;
            const int y = TrendTitleHeight + 8 + row * (label->height() + 4);
            label->move(x, y);
            auto *arrow = chart->findChild<TArrow *>(
                QString(label->objectName())
                    .replace(QStringLiteral("Label"), QStringLiteral("Arrow")));
            if (arrow)
                arrow->move(x - arrow->width() - 2, y + (label->height() - arrow->height()) / 2);
            ++row;
        }
    }
    if (FPanelBottom)
        FPanelBottom->setGeometry(0, FWindow->height() - FPanelBottom->height(), w,
                                  FPanelBottom->height());
}
