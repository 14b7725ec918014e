#include "TrendPrint.h"

#include "GraphTrend.h"
#include "app/Global.h"
#include "app/Main.h"
#include "app/Report.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"
#include "elements/Arrow.h"
#include "elements/Label.h"

#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QPainter>

void DrawTrendLegend(const QList<QWidget *> &components, const TLevelGraph *chart, QImage &image)
{
    if (!chart || chart->width() <= 0 || chart->height() <= 0)
        return;
    const double kx = double(image.width()) / chart->width();
    const double ky = double(image.height()) / chart->height();
    QPainter canvas(&image);
    for (QWidget *component : components) {
        if (component->parentWidget() != chart
            || !component->objectName().contains(QStringLiteral("Legend")))
            continue;
        if (auto *label = qobject_cast<TLabel *>(component)) {
            canvas.setFont(label->font());
            canvas.setPen(label->palette().color(QPalette::WindowText));
            const QFontMetrics metrics(label->font());
            const int textWidth = metrics.horizontalAdvance(label->text());
            double x = label->x() * kx;
            if (label->alignment() & Qt::AlignHCenter)
                x += (label->width() * kx - textWidth) / 2;
            else if (label->alignment() & Qt::AlignRight)
                x += label->width() * kx - textWidth - 2;
            double y = label->y() * ky;
            if (label->alignment() & Qt::AlignVCenter)
                y += (label->height() * ky - metrics.height()) / 2;
            canvas.drawText(int(x), int(y) + metrics.ascent(), label->text());
        } else if (auto *arrow = qobject_cast<TArrow *>(component)) {
            canvas.setPen(QPen(ColorToQColor(arrow->GetColor()), arrow->GetArrowWidth()));
            const int y = int((arrow->y() + arrow->height() / 2.0) * ky);
            canvas.drawLine(int(arrow->x() * kx), y, int(arrow->x() * kx + arrow->width() * kx), y);
        }
    }
}

QStringList TrendPicturePaths(const TFormGraphTrend &window)
{
    QStringList paths;
    for (int n = 0; n < window.ChartCount(); ++n)
        paths << QDir(TempDir).absoluteFilePath(window.Def().PicturePrefix + QString::number(n)
                                                + QStringLiteral(".png"));
    return paths;
}

bool PrintTrendWindow(TFormGraphTrend &window)
{
    // A window behind the one in front is not maximised; its pictures and legends are laid out
    // at the size it has in front.
    const QSize kept = window.size();
    if (FormMain && FormMain->CurrentChild() != &window)
        window.resize(FormMain->MdiArea->viewport()->size());
    window.NormalLayout();
    const TTrendWindowDef &def = window.Def();
    const QString templatePath = QDir(TemplateDir).filePath(def.Template);
    const QStringList pictures = TrendPicturePaths(window);
    QDir().mkpath(TempDir);
    QStringList keys {QStringLiteral("QRLabelTitle"), QStringLiteral("QRLabelDate")};
    QStringList values {window.LabelTop->text(),
                        FormatDateTime(QStringLiteral("dd.mm.yyyy"), window.Day)};
    // The flow-divider report has no chart titles.
    if (!def.Divider) {
        for (int n = 0; n < window.ChartCount(); ++n) {
            keys << QStringLiteral("LabelName%1").arg(n + 1);
            values << def.Charts.at(n).Title;
        }
    }
    for (int n = 0; n < window.ChartCount(); ++n) {
        TLevelGraph *chart = window.Chart(n);
        QImage image = chart->ExportImage(1000, 500, true);
        DrawTrendLegend(window.Components(), chart, image);
        image.save(pictures.at(n), "PNG");
        keys << QStringLiteral("pic%1.BMP").arg(n + 1);
        values << pictures.at(n);
    }
    if (window.size() != kept) {
        window.resize(kept);
        window.NormalLayout();
    }
    return ShowReport(templatePath, keys, values);
}
