#include "TrendPoint.h"

#include "GraphTrend.h"
#include "app/Main.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"
#include "elements/Label.h"
#include "elements/OutField.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

namespace {
const QString ValueFormat = QStringLiteral("# ### ##0.0; ;  ");
const QString MomentFormat = QStringLiteral("dd.mm.yyyy hh:nn:ss");

TOutField *NewField(QWidget *parent, const QString &name, int width)
{
    auto *field = new TOutField(parent);
    field->setObjectName(name);
    field->SetOutFormat(ValueFormat);
    field->Pen().SetWidth(3);
    field->Font().SetName(QStringLiteral("Arial"));
    field->Font().SetHeight(-15);
    field->Font().SetStyle(fsBold);
    field->setFixedSize(width, 28);
    return field;
}

TLabel *NewLabel(QWidget *parent, const QString &text)
{
    auto *label = new TLabel(parent);
    label->setText(text);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    label->setFont(font);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}
} // namespace

TFormTrendPoint::TFormTrendPoint(TFormGraphTrend *owner, const QString &name,
                                 const QList<TTrendPointRow> &rows)
    : QDialog(owner,
              Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint
                  | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowCloseButtonHint)
    , FOwner(owner)
    , FRows(rows)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("Текущая точка графика"));
    setModal(false);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(8);
    int row = 0;
    for (const TTrendPointRow &r : rows) {
        grid->addWidget(NewLabel(this, r.Label), row, 0);
        TOutField *field = NewField(this, r.Field, 120);
        grid->addWidget(field, row++, 1);
        Fields << field;
    }
    grid->addWidget(NewLabel(this, QStringLiteral("Дата, время:")), row, 0);
    OutFieldDateTime = NewField(this, QStringLiteral("OutFieldDateTime"), 190);
    OutFieldDateTime->Pen().SetWidth(1);
    grid->addWidget(OutFieldDateTime, row++, 1);

    auto *buttons = new QHBoxLayout;
    ButGoLeft = new QPushButton(QStringLiteral("◄"), this);
    ButGoLeft->setObjectName(QStringLiteral("ButGoLeft"));
    ButGoLeft->setToolTip(QStringLiteral("На минуту назад"));
    ButGoRight = new QPushButton(QStringLiteral("►"), this);
    ButGoRight->setObjectName(QStringLiteral("ButGoRight"));
    ButGoRight->setToolTip(QStringLiteral("На минуту вперед"));
    for (QPushButton *button : {ButGoLeft, ButGoRight}) {
        button->setAutoDefault(false);
        button->setFixedSize(60, 28);
    }
    buttons->addStretch();
    buttons->addWidget(ButGoLeft);
    buttons->addWidget(ButGoRight);
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    connect(ButGoLeft, &QPushButton::clicked, this, &TFormTrendPoint::ButGoLeftClick);
    connect(ButGoRight, &QPushButton::clicked, this, &TFormTrendPoint::ButGoRightClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(TimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TFormTrendPoint::Timer1Timer);
    Timer1->start();
}

void TFormTrendPoint::Timer1Timer()
{
    if (isHidden() || !FormMain)
        return;
    if (FOwner && FormMain->CurrentChild() == FOwner.data())
        Refresh();
    else
        hide();
}

void TFormTrendPoint::Refresh()
{
    if (!FOwner || FOwner->ChartCount() == 0)
        return;
    const TMoment t = FOwner->Chart(0)->GetCursorTime();
    for (int i = 0; i < FRows.size(); ++i) {
        TLevelGraph *chart = FOwner->Chart(FRows.at(i).Chart);
        if (!chart)
            continue;
        Fields.at(i)->SetOutValue(chart->GetPoint(FRows.at(i).Graph, t));
        Fields.at(i)->SetPen(chart->GetGraphPen(FRows.at(i).Graph));
    }
    const QString text = FormatDateTime(MomentFormat, t);
    // A date-time is no number picture: quoted, the text is shown as it is.
    OutFieldDateTime->SetOutFormat(QLatin1Char('"') + text + QLatin1Char('"'));
    OutFieldDateTime->SetCaption(text);
}

void TFormTrendPoint::StepCursor(int direction)
{
    if (!FOwner || FOwner->ChartCount() == 0)
        return;
    const TLevelGraph *first = FOwner->Chart(0);
    TMoment t = first->GetCursorTime() + direction * first->GetDataStep();
    // Within a millisecond the interval's end counts as reached, not passed.
    if (t < first->GetStartTime() - OneMillisecond || t > first->GetStopTime() + OneMillisecond)
        return;
    t = std::clamp(t, first->GetStartTime(), first->GetStopTime());
    for (int i = 0; i < FOwner->ChartCount(); ++i)
        FOwner->Chart(i)->SetCursorTime(t);
}

void TFormTrendPoint::ButGoLeftClick()
{
    StepCursor(-1);
}

void TFormTrendPoint::ButGoRightClick()
{
    StepCursor(1);
}
