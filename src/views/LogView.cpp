#include "views/LogView.h"

#include "app/Connection.h"
#include "app/DayFollower.h"
#include "app/EventLog.h"
#include "app/FreshnessLabel.h"
#include "app/Main.h"
#include "app/Pickers.h"
#include "app/Utils.h"
#include "base/Feedback.h"
#include "base/Formats.h"
#include "views/DataGrid.h"
#include "views/GridPrinter.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <QVBoxLayout>

TFormLogView *FormLogView = nullptr;

namespace {

const int RefreshInterval = 37000; // ms
const int PanelTopHeight = 41;
const int TimeColumnWidth = 192;

const QString PrintHeaderTemplate =
    QStringLiteral("<p align=\"center\" style=\"margin:0; white-space:pre-wrap; font-family:'Times "
                   "New Roman'; font-size:8pt\">"
                   "&nbsp;</p>"
                   "<p align=\"center\" style=\"margin:0; white-space:pre-wrap; font-family:'Times "
                   "New Roman'; font-size:16pt\">"
                   "Журнал регистрации режимов работы тяжелосредного гидроциклона<br/>"
                   "за период с [StartTime] по [StopTime]</p>"
                   "<p align=\"center\" style=\"margin:0; white-space:pre-wrap; font-family:'Times "
                   "New Roman'; font-size:8pt\">"
                   "&nbsp;<br/>&nbsp;</p>");

} // namespace

TFormLogView::TFormLogView(QWidget *parent)
    : QWidget(parent)
{
    if (!FormLogView)
        FormLogView = this;
    setObjectName(QStringLiteral("FormLogView"));
    setWindowTitle(QStringLiteral("Журнал работы отсадочных машин"));

    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedHeight(PanelTopHeight);
    LabelTop2 = new QLabel(QStringLiteral("Журнал регистрации событий за"), PanelTop);
    LabelTop2->setObjectName(QStringLiteral("LabelTop2"));
    QFont bold = LabelTop2->font();
    bold.setBold(true);
    LabelTop2->setFont(bold);
    LabelTop2->setAlignment(Qt::AlignCenter);
    LabelTop2->adjustSize();
    DateTimePicker1 = MakeDatePicker(PanelTop, QStringLiteral("DateTimePicker1"));
    DateTimePicker1->adjustSize();
    ComboBox1 = new QComboBox(PanelTop);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems(
        {QStringLiteral("Смена №1"), QStringLiteral("Смена №2"), QStringLiteral("Обе смены")});
    ComboBox1->setCurrentIndex(2);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboBox1->adjustSize();
    // Its start always readable; the whole text in the tooltip where the panel is too narrow.
    LabelFreshness = new TFreshnessLabel(PanelTop);
    LabelFreshness->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    LabelFreshness->resize(LabelFreshness->width(), LabelTop2->height());
    FFollower = new TDayFollower(DateTimePicker1, ComboBox1);
    connect(FFollower, &TDayFollower::Moved, this, &TFormLogView::Load);
    for (QWidget *control :
         std::initializer_list<QWidget *> {DateTimePicker1, LabelTop2, ComboBox1, LabelFreshness})
        control->move(0, (PanelTopHeight - control->height()) / 2);
    PanelTop->installEventFilter(this);

    Grid = new TDataGrid(this);
    Grid->setObjectName(QStringLiteral("DBGrid1"));
    Grid->SetFrozenFirstColumn(true);
    Grid->SetColumns({{QStringLiteral("RecMoment"), QStringLiteral("Дата, время"), TimeColumnWidth,
                       Qt::AlignCenter},
                      {QStringLiteral("MessageText"), QStringLiteral("Текст сообщения"), 500}});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelTop);
    layout->addWidget(Grid, 1);

    FPrinter = std::make_unique<TGridPrinter>(Grid);
    FPrinter->Header = PrintHeaderTemplate;
    FPrinter->FitToPageWidth = true;

    TimerAutoRefresh = new QTimer(this);
    TimerAutoRefresh->setObjectName(QStringLiteral("TimerAutoRefresh"));
    TimerAutoRefresh->setInterval(RefreshInterval);
    connect(TimerAutoRefresh, &QTimer::timeout, this, &TFormLogView::TimerAutoRefreshTimer);
    TimerAutoRefresh->start();

    if (FormMain) {
        connect(FormMain, &TFormMain::LinkOpened, this, &TFormLogView::LinkOpened);
        connect(FormMain->ActionPrintGCWorkReg, &QAction::triggered, this, &TFormLogView::Print);
        FormMain->ActionPrintGCWorkReg->setEnabled(true);
    }
}

TFormLogView::~TFormLogView()
{
    if (FormLogView == this)
        FormLogView = nullptr;
}

int TFormLogView::ComboItemIndex() const
{
    return ComboBox1->findText(ComboBox1->currentText());
}

void TFormLogView::Load()
{
    if (FBusy)
        return;
    if (!SQLConnection1().Connected()) {
        LabelFreshness->Failed(TFreshnessLabel::NoLinkReason());
        return;
    }
    FBusy = true;
    FDay = MomentDate(DateTimeToMoment(DateTimePicker1->date().startOfDay()));
    FShift = ComboItemIndex() + 1;
    const TMoment shownStart = FPeriodStart;
    const TMoment shownStop = FPeriodStop;
    ShiftRange(FDay, FShift, FPeriodStart, FPeriodStop);
    // The newest row stays in view unless the operator has scrolled up to read older ones.
    const QScrollBar *scroll = Grid->verticalScrollBar();
    const bool samePeriod = FLoaded && shownStart == FPeriodStart && shownStop == FPeriodStop;
    const bool keepPosition = samePeriod && scroll->value() < scroll->maximum();
    const int position = scroll->value();
    // The grid shows nothing while the rows are replaced, and stays empty if that fails.
    Grid->Model()->Clear();
    FLoaded = Grid->Model()->Load(SQLConnection1().Database(),
                                  QStringLiteral("select * from control_log\r\n")
                                      + TimeRangeWhere(FPeriodStart, FPeriodStop)
                                      + QStringLiteral(" order by RecMoment"));
    if (FLoaded) {
        FTimerFailing = false;
        LabelFreshness->Loaded(Grid->Model()->rowCount() > 0);
        Grid->doItemsLayout();
        if (keepPosition)
            Grid->verticalScrollBar()->setValue(position);
        else
            Grid->scrollToBottom();
    } else {
        LabelFreshness->Failed(TFreshnessLabel::ReasonOf(Grid->Model()->LastError()));
    }
    FBusy = false;
    emit Loaded();
}

void TFormLogView::TimerAutoRefreshTimer()
{
    if (FBusy || !SQLConnection1().Connected() || FShift <= 0)
        return;
    // A fresh query each tick: a link that dropped and came back leaves no stale statement behind.
    QSqlQuery query(SQLConnection1().Database());
    if (!query.exec(QStringLiteral("select max(RecMoment) Rez from control_log"))) {
        TimerQueryFailed(query.lastError());
        return;
    }
    TMoment newest = 0;
    if (query.next()) {
        const QDateTime rez = query.value(QStringLiteral("Rez")).toDateTime();
        newest = rez.isValid() ? DateTimeToMoment(rez) : 0.0;
    }
    // In whole seconds: the period's stop and a row stamped at it differ in the last bits.
    const qint64 seconds = MomentSeconds(newest);
    if (MomentSeconds(FPeriodStart) <= seconds && seconds <= MomentSeconds(FPeriodStop)
        && seconds > MomentSeconds(FLastSeen)) {
        FLastSeen = newest;
        Load();
    }
}

// A query that keeps failing (a missing table, a withdrawn right) would stack a box on every tick
// through the night: one box, then the event ring until a load goes through again.
void TFormLogView::TimerQueryFailed(const QSqlError &error)
{
    // The shown rows are no longer kept current.
    LabelFreshness->Failed(TFreshnessLabel::ReasonOf(error));
    if (FTimerFailing) {
        PostEvent(QStringLiteral("Ошибка в TFormLogView::TimerAutoRefreshTimer"));
        return;
    }
    FTimerFailing = true;
    ShowError(error.text());
}

void TFormLogView::LinkOpened()
{
    if (FShownOnce && !FBusy)
        Load();
}

void TFormLogView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Without a link the first load waits for it (LinkOpened).
    FShownOnce = true;
    if (!FBusy && FShift <= 0)
        Load();
}

bool TFormLogView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PanelTop && event->type() == QEvent::Resize)
        PanelTopResize();
    return QWidget::eventFilter(watched, event);
}

// Enter reaches the window from the pickers and the grid, which pass it on, or from the window
// itself when the frame has just brought it forward.
void TFormLogView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Load();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormLogView::PanelTopResize()
{
    const int x = (PanelTop->width() - LabelTop2->width() - DateTimePicker1->width()
                   - ComboBox1->width() - 30)
        / 2;
    LabelTop2->move(x, LabelTop2->y());
    DateTimePicker1->move(x + LabelTop2->width() + 5, DateTimePicker1->y());
    ComboBox1->move(DateTimePicker1->x() + DateTimePicker1->width() + 5, ComboBox1->y());
    const int freshnessLeft = ComboBox1->x() + ComboBox1->width() + 10;
    LabelFreshness->setGeometry(freshnessLeft, LabelFreshness->y(),
                                qMax(0, PanelTop->width() - freshnessLeft - 8),
                                LabelFreshness->height());
    Grid->setColumnWidth(1, PanelTop->width() - Grid->columnWidth(0) - 50);
}

QString TFormLogView::PrintHeader()
{
    const QString format = QStringLiteral("dd.mm.yyyy hh:nn");
    FPrinter->Substitutions = {QStringLiteral("[StartTime]"), FormatDateTime(format, FPeriodStart),
                               QStringLiteral("[StopTime]"), FormatDateTime(format, FPeriodStop)};
    return FPrinter->HeaderText();
}

void TFormLogView::Print()
{
    PrintHeader();
    FPrinter->Preview(this);
}
