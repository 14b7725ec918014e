#include "views/CommandLog.h"

#include "app/Connection.h"
#include "app/DayFollower.h"
#include "app/FreshnessLabel.h"
#include "app/Main.h"
#include "app/Pickers.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "views/DataGrid.h"
#include "views/GridPrinter.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const int RefreshInterval = 37000; // ms, as the event journal
// A command the records have not carried this long after it was sent counts as not done.
const int CarryMinutes = 10;

const QString PrintHeaderTemplate = QStringLiteral(
    "<p align=\"center\" style=\"margin:0; font-family:'Times New Roman'; font-size:16pt\">"
    "Журнал заданий<br/>за период с [StartTime] по [StopTime]</p>"
    "<p style=\"margin:0; font-size:8pt\">&nbsp;</p>");

} // namespace

TFormCommandLog::TFormCommandLog(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FormCommandLog"));
    setWindowTitle(QStringLiteral("Журнал заданий"));

    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    LabelTop = new QLabel(QStringLiteral("Журнал заданий за"), PanelTop);
    QFont bold = LabelTop->font();
    bold.setBold(true);
    LabelTop->setFont(bold);
    DateTimePicker1 = MakeDatePicker(PanelTop, QStringLiteral("DateTimePicker1"));
    DayFollower = new TDayFollower(DateTimePicker1);
    connect(DayFollower, &TDayFollower::Moved, this, &TFormCommandLog::Load);
    LabelFreshness = new TFreshnessLabel(PanelTop);
    auto *top = new QHBoxLayout(PanelTop);
    top->addStretch(1);
    top->addWidget(LabelTop);
    top->addWidget(DateTimePicker1);
    top->addStretch(1);
    top->addWidget(LabelFreshness);

    Grid = new TDataGrid(this);
    Grid->setObjectName(QStringLiteral("DBGrid1"));
    Grid->SetColumns({
        {QStringLiteral("RecMoment"), QStringLiteral("Дата, время"), 170, Qt::AlignCenter},
        {QStringLiteral("UserName"), QStringLiteral("Пользователь"), 220},
        {QStringLiteral("Kind"), QStringLiteral("Задание"), 200},
        {QStringLiteral("Value"), QStringLiteral("Значение"), 100,
         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("#0.0")},
        {QStringLiteral("TakenText"), QStringLiteral("Принято"), 90, Qt::AlignCenter},
        {QStringLiteral("State"), QStringLiteral("Исполнение"), 170},
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelTop);
    layout->addWidget(Grid, 1);

    FPrinter = std::make_unique<TGridPrinter>(Grid);
    FPrinter->Header = PrintHeaderTemplate;

    TimerAutoRefresh = new QTimer(this);
    TimerAutoRefresh->setObjectName(QStringLiteral("TimerAutoRefresh"));
    TimerAutoRefresh->setInterval(RefreshInterval);
    connect(TimerAutoRefresh, &QTimer::timeout, this, [this] {
        if (FLoaded)
            Load();
    });
    TimerAutoRefresh->start();

    if (FormMain) {
        connect(FormMain->ActionPrintCommandLog, &QAction::triggered, this,
                &TFormCommandLog::Print);
        FormMain->ActionPrintCommandLog->setEnabled(true);
        connect(FormMain, &TFormMain::CommandSent, this, &TFormCommandLog::Load);
        // A first load that found no link is made up as soon as the link opens.
        connect(FormMain, &TFormMain::LinkOpened, this, [this] {
            if (isVisible())
                Load();
        });
    }
}

TFormCommandLog::~TFormCommandLog() = default;

QString TFormCommandLog::LoadText(TMoment start, TMoment stop)
{
    // The first later record within the carry time whose set-point equals the command's value
    // within half a unit; the command sets one of the two columns.
    const QString carried =
        QStringLiteral("(select min(p.RecMoment) from pu_data p where p.RecMoment > c.RecMoment"
                       " and p.RecMoment <= c.RecMoment + interval %1 minute"
                       " and ((c._PLSZ is not null and abs(p.PLSZ - c._PLSZ) <= 0.5)"
                       " or (c._TNZ is not null and abs(p.TNZ - c._TNZ) <= 0.5)))")
            .arg(CarryMinutes);
    return QStringLiteral(
               "select RecMoment, UserName, Kind, Value, TakenText,"
               " case when Carried is not null"
               " then concat('исполнено в ', date_format(Carried, '%H:%i'))"
               " when RecMoment < now() - interval %1 minute then 'не исполнено'"
               " else 'ожидает' end State from ("
               "select c.RecMoment, c.UserName,"
               " if(c._PLSZ is not null, 'плотность суспензии', 'нагрузка') Kind,"
               " coalesce(c._PLSZ, c._TNZ) Value, if(c.Taken <> 0, 'да', 'нет') TakenText, ")
               .arg(CarryMinutes)
        + carried + QStringLiteral(" Carried from control_vector c")
        + TimeRangeWhere(start, stop)
              .replace(QStringLiteral("RecMoment"), QStringLiteral("c.RecMoment"))
        + QStringLiteral(") t order by RecMoment");
}

void TFormCommandLog::Load()
{
    if (FBusy)
        return;
    if (!SQLConnection1().Connected()) {
        LabelFreshness->Failed(TFreshnessLabel::NoLinkReason());
        return;
    }
    FBusy = true;
    const QDate day = DateTimePicker1->date();
    ShiftRange(EncodeMoment(day.year(), day.month(), day.day()), 3, FPeriodStart, FPeriodStop);
    QString error;
    if (Grid->Model()->Load(SQLConnection1().Database(), LoadText(FPeriodStart, FPeriodStop),
                            &error)) {
        FLoaded = true;
        LabelFreshness->Loaded(Grid->Model()->rowCount() > 0);
        if (Grid->Model()->rowCount() > 0)
            Grid->scrollToBottom();
    } else {
        LabelFreshness->Failed(error.isEmpty() ? TFreshnessLabel::NoLinkReason()
                                               : QStringLiteral("ошибка сервера: ") + error);
    }
    FBusy = false;
}

void TFormCommandLog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!FLoaded)
        Load();
}

// Enter passed on by the picker and the grid, or sent to the window the frame brought forward.
void TFormCommandLog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Load();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormCommandLog::Print()
{
    const QString format = QStringLiteral("dd.mm.yyyy hh:nn");
    FPrinter->Substitutions = {QStringLiteral("[StartTime]"), FormatDateTime(format, FPeriodStart),
                               QStringLiteral("[StopTime]"), FormatDateTime(format, FPeriodStop)};
    FPrinter->Preview(this);
}
