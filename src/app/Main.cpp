#include "app/Main.h"

#include "app/About.h"
#include "app/Connection.h"
#include "app/Global.h"
#include "app/InputNewSet.h"
#include "app/LinkLamp.h"
#include "app/LoginDialog.h"
#include "app/Pictures.h"
#include "app/PowerOff.h"
#include "app/SetPoint.h"
#include "base/ActionHint.h"
#include "base/Feedback.h"
#include "base/Formats.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QSqlError>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

TFormMain *FormMain = nullptr;

namespace {

const int RefreshInterval = 1000; // ms
// Pause between the end of one attempt to open the link and the next: short, so the link is back
// within seconds of the server answering again.
const qint64 ReconnectPause = 3000; // ms
// A server that greets but refuses the login is asked rarely: each greeting the client abandons
// counts against the server's limit of interrupted connections, after which it blocks this host.
const qint64 LoginRetryPause = 60000; // ms
const QSize ToolButtonSize(71, 40);
const QSize ToolImageSize(64, 32);
const int ClockWidth = 93;
const int LinkPanelWidth = 32;

const QString ExitQuestion =
    QStringLiteral("Вы действительно хотите завершить работу с программой?");
const QString ExitCaption = QStringLiteral("Выход");
const QString NoLinkNotSent =
    QStringLiteral("Задание не отправлено: нет связи с сервером базы данных.");

// A missing or NULL time reads as moment 0, as long ago as it gets.
TMoment MomentOf(const QVariant &value)
{
    const QDateTime time = value.toDateTime();
    return time.isValid() ? DateTimeToMoment(time) : 0.0;
}

} // namespace

TLoginPrompt TFormMain::DefaultLoginPrompt()
{
    return DatabaseLoginPrompt;
}

TFormMain::TFormMain(const QString &settingsPath, const TLoginPrompt &prompt, QWidget *parent)
    : QMainWindow(parent)
    , FSettingsPath(settingsPath)
    , FWorkFolder(QFileInfo(settingsPath).absolutePath())
{
    if (!FormMain)
        FormMain = this;
    setObjectName(QStringLiteral("FormMain"));
    QDir::setCurrent(FWorkFolder);
    SetDefaultFolders();
    LoadConfig(FSettingsPath, Settings, prompt);
    QDir().mkpath(TempDir);
    QDir().mkpath(TemplateDir);

    CreateActions();
    CreateMenu();
    CreateToolBar();
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);

    TimerRefreshState = new QTimer(this);
    TimerRefreshState->setObjectName(QStringLiteral("TimerRefreshState"));
    TimerRefreshState->setInterval(RefreshInterval);
    connect(TimerRefreshState, &QTimer::timeout, this, &TFormMain::TimerRefreshStateTimer);
    TimerRefreshState->start();

    setWindowTitle(Settings.Caption);
    FOpener = new TConnectionOpener(SQLConnection1(), this);
    connect(FOpener, &TConnectionOpener::Finished, this, &TFormMain::LinkAttemptFinished);
    ConnectDatabase(*FOpener, Settings.Comp, Settings.Login, Settings.Password, Settings.Version);
    ActionSetCheck();
    // Also fills the screen where no window manager honours the maximised state.
    if (const QScreen *screen = this->screen())
        setGeometry(screen->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

TFormMain::~TFormMain()
{
    TimerRefreshState->stop();
    FOpener->disconnect(this);
    SQLQueryMaxTime.reset();
    SQLQueryPUState.reset();
    SQLQueryLastData.reset();
    SQLConnection1().Close();
    if (FormMain == this)
        FormMain = nullptr;
    // Only after the operator has confirmed the exit, never on any other teardown.
    if (FExitConfirmed && ShutdownOnExit)
        RequestPowerOff();
}

// --- actions, menu, toolbar

QAction *TFormMain::MakeAction(const QString &name, const QString &category, const QString &caption,
                               const QString &hint)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setProperty("Category", category);
    SetActionHint(action, hint);
    return action;
}

void TFormMain::CreateActions()
{
    const QString main = QStringLiteral("Главное");
    const QString graphs = QStringLiteral("Графики");
    const QString tasks = QStringLiteral("Задания");
    const QString service = QStringLiteral("Сервис");
    const QString print = QStringLiteral("Печать");

    ActionExit =
        MakeAction(QStringLiteral("ActionExit"), main, QStringLiteral("Вы&xод из программы"),
                   QStringLiteral("Завершить работу с программой"));
    ActionMainMenu =
        MakeAction(QStringLiteral("ActionMainMenu"), main, QStringLiteral("На главное меню"),
                   QStringLiteral("Вернуться к главному меню программы"));
    ActionMnemo = MakeAction(
        QStringLiteral("ActionMnemo"), QStringLiteral("Мнемосхемы"),
        QStringLiteral("Мнемосхема  процесса обогащения  угля в тяжелых средах"),
        QStringLiteral("Показать мнемосхему  процесса обогащения  угля в тяжелых средах"));
    ActionGraphGC_params = MakeAction(
        QStringLiteral("ActionGraphGC_params"), graphs,
        QStringLiteral("Графики параметров  процесса  обогащения в тяжелых средах"),
        QStringLiteral(
            "Перейти к окну графиков параметров  процесса  обогащения в тяжелых средах"));
    ActionGraphSuspLevel = MakeAction(
        QStringLiteral("ActionGraphSuspLevel"), graphs,
        QStringLiteral("Графики изменения уровней в сборниках суспензии"),
        QStringLiteral("Показать окно графиков изменения уровней в сборниках суспензии"));
    ActionGraphDivPosition =
        MakeAction(QStringLiteral("ActionGraphDivPosition"), graphs,
                   QStringLiteral("График работы делителя потока суспензии"),
                   QStringLiteral("Показать окно графиков работы делителя потока суспензии"));
    ActionGraphTrans = MakeAction(QStringLiteral("ActionGraphTrans"), graphs,
                                  QStringLiteral("Графики  нагрузки на конвейерах"), QString());
    ActionWorkLog = MakeAction(QStringLiteral("ActionWorkLog"), QStringLiteral("Журналы"),
                               QStringLiteral("Журнал регистрации событий"),
                               QStringLiteral("Показать журнал событий"));
    ActionCommandLog = MakeAction(QStringLiteral("ActionCommandLog"), QStringLiteral("Журналы"),
                                  QStringLiteral("Журнал заданий"),
                                  QStringLiteral("Показать журнал заданий плотности и нагрузки"));
    ActionSvodTable =
        MakeAction(QStringLiteral("ActionSvodTable"), QStringLiteral("Таблица"),
                   QStringLiteral("Таблица учета работы обогатительного  гидроциклона"),
                   QStringLiteral("Перейти к окну таблицы учета работы гидроциклона"));
    ActionAbout = MakeAction(QStringLiteral("ActionAbout"), QStringLiteral("Справка"),
                             QStringLiteral("О программе"),
                             QStringLiteral("Показать информацию о версии программы"));
    ActionSetPLSZ = MakeAction(QStringLiteral("ActionSetPLSZ"), tasks,
                               QStringLiteral("Задание плотности суспензии"),
                               QStringLiteral("Изменить заданную плотность суспензии"));
    ActionSet_TNZ =
        MakeAction(QStringLiteral("ActionSet_TNZ"), tasks, QStringLiteral("Задание нагрузки"),
                   QStringLiteral("Изменить заданную нагрузку на фабрику"));
    ActionConfig =
        MakeAction(QStringLiteral("ActionConfig"), service, QStringLiteral("Конфигурация"),
                   QStringLiteral("Настройки оформления, подключения к серверу и т.п."));
    ActionBaseView = MakeAction(QStringLiteral("ActionBaseView"), service,
                                QStringLiteral("Просмотр базы данных"),
                                QStringLiteral("Показать окно просмотра базы данных"));
    ActionDiagnostics =
        MakeAction(QStringLiteral("ActionDiagnostics"), service, QStringLiteral("Диагностика"),
                   QStringLiteral("Показать события фоновых процедур и историю связи с сервером"));
    ActionAlarms = MakeAction(QStringLiteral("ActionAlarms"), QStringLiteral("Журналы"),
                              QStringLiteral("Сводка тревог"),
                              QStringLiteral("Показать текущие тревоги и их архив"));
    ActionPrintAlarms = MakeAction(QStringLiteral("ActionPrintAlarms"), print,
                                   QStringLiteral("Печать сводки тревог"), QString());
    ActionPrint =
        MakeAction(QStringLiteral("ActionPrint"), print, QStringLiteral("Печать..."),
                   QStringLiteral("Выберите данные для печати через пункт меню \"Печать\""));
    ActionPrintHardParams = MakeAction(
        QStringLiteral("ActionPrintHardParams"), print,
        QStringLiteral("Графики параметров  процесса  обогащения в тяжелых средах"), QString());
    ActionPrintLevelGraph =
        MakeAction(QStringLiteral("ActionPrintLevelGraph"), print,
                   QStringLiteral("Графики изменения уровней в сборниках суспензии"), QString());
    ActionPrintDiverGraph =
        MakeAction(QStringLiteral("ActionPrintDiverGraph"), print,
                   QStringLiteral("График работы делителя потока суспензии"), QString());
    ActionPrintGCWorkReg = MakeAction(QStringLiteral("ActionPrintGCWorkReg"), print,
                                      QStringLiteral("Журнал регистрации событий"), QString());
    ActionPrintCommandLog = MakeAction(QStringLiteral("ActionPrintCommandLog"), print,
                                       QStringLiteral("Журнал заданий"), QString());
    ActionPrintSvodTable = MakeAction(
        QStringLiteral("ActionPrintSvodTable"), print,
        QStringLiteral("Таблица показателей работы  тяжелосредного гидроциклона"), QString());
    ActionPrintGraphTrans =
        MakeAction(QStringLiteral("ActionPrintGraphTrans"), print,
                   QStringLiteral("Графики  измениения нагрузки на конвейерах"), QString());

    ActionMainMenu->setShortcut(Qt::Key_F1);
    ActionMnemo->setShortcut(Qt::Key_F2);
    ActionGraphGC_params->setShortcut(Qt::Key_F3);
    ActionGraphSuspLevel->setShortcut(Qt::Key_F4);
    ActionGraphDivPosition->setShortcut(Qt::Key_F5);
    ActionGraphTrans->setShortcut(Qt::Key_F6);
    ActionWorkLog->setShortcut(Qt::Key_F7);
    ActionSvodTable->setShortcut(Qt::Key_F8);
    ActionAlarms->setShortcut(Qt::Key_F9);
    ActionAbout->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_F1), QKeySequence(Qt::ALT | Qt::Key_F1)});

    const std::pair<QAction *, TPicture> pictures[] = {
        {ActionExit, TPicture::Exit},
        {ActionMainMenu, TPicture::MainMenu},
        {ActionMnemo, TPicture::Mnemo},
        {ActionGraphGC_params, TPicture::GraphParams},
        {ActionGraphSuspLevel, TPicture::GraphLevels},
        {ActionGraphDivPosition, TPicture::GraphDivider},
        {ActionGraphTrans, TPicture::GraphTrans},
        {ActionWorkLog, TPicture::WorkLog},
        {ActionCommandLog, TPicture::WorkLog},
        {ActionSvodTable, TPicture::SvodTable},
        {ActionAbout, TPicture::About},
        {ActionSetPLSZ, TPicture::SetDensity},
        {ActionSet_TNZ, TPicture::SetLoad},
        {ActionConfig, TPicture::Config},
        {ActionBaseView, TPicture::BaseView},
        {ActionPrint, TPicture::Print},
        // The print button shows whichever print action it is bound to.
        {ActionPrintHardParams, TPicture::Print},
        {ActionPrintLevelGraph, TPicture::Print},
        {ActionPrintDiverGraph, TPicture::Print},
        {ActionPrintGCWorkReg, TPicture::Print},
        {ActionPrintCommandLog, TPicture::Print},
        {ActionPrintSvodTable, TPicture::Print},
        {ActionPrintGraphTrans, TPicture::Print},
        {ActionPrintAlarms, TPicture::Print},
    };
    for (const auto &[action, picture] : pictures)
        action->setIcon(PictureIcon(picture));

    // The windows behind these actions are routed in when they exist; until then the actions
    // keep their texts and keys but do nothing. No print action has a printer yet.
    for (QAction *action :
         {ActionMnemo, ActionGraphGC_params, ActionGraphSuspLevel, ActionGraphDivPosition,
          ActionGraphTrans, ActionWorkLog, ActionCommandLog, ActionSvodTable, ActionConfig,
          ActionBaseView, ActionDiagnostics, ActionPrint, ActionPrintHardParams,
          ActionPrintLevelGraph, ActionPrintDiverGraph, ActionPrintGCWorkReg, ActionPrintCommandLog,
          ActionPrintSvodTable, ActionPrintGraphTrans, ActionAlarms, ActionPrintAlarms})
        action->setEnabled(false);

    connect(ActionExit, &QAction::triggered, this, &TFormMain::ActionExitExecute);
    connect(ActionAbout, &QAction::triggered, this, [] {
        if (FormAbout)
            FormAbout->exec();
    });
    connect(ActionSetPLSZ, &QAction::triggered, this, &TFormMain::ActionSetPLSZExecute);
    connect(ActionSet_TNZ, &QAction::triggered, this, &TFormMain::ActionSet_TNZExecute);
}

void TFormMain::CreateMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *menu = MainMenu1->addMenu(QStringLiteral("Главное"));
    menu->addAction(ActionMainMenu);
    menu->addSeparator();
    menu->addAction(ActionExit);
    MainMenu1->addMenu(QStringLiteral("Мнемосхемы"))->addAction(ActionMnemo);
    menu = MainMenu1->addMenu(QStringLiteral("Графики"));
    menu->addActions(
        {ActionGraphGC_params, ActionGraphSuspLevel, ActionGraphDivPosition, ActionGraphTrans});
    MainMenu1->addMenu(QStringLiteral("Журнал"))
        ->addActions({ActionWorkLog, ActionCommandLog, ActionAlarms});
    MainMenu1->addMenu(QStringLiteral("Таблица"))->addAction(ActionSvodTable);
    MainMenu1->addMenu(QStringLiteral("Задания"))->addActions({ActionSetPLSZ, ActionSet_TNZ});
    // The conveyor print action is reached only through the print button.
    MainMenu1->addMenu(QStringLiteral("Печать"))
        ->addActions({ActionPrintHardParams, ActionPrintLevelGraph, ActionPrintDiverGraph,
                      ActionPrintGCWorkReg, ActionPrintCommandLog, ActionPrintSvodTable,
                      ActionPrintAlarms});
    MainMenu1->addMenu(QStringLiteral("Сервис"))
        ->addActions({ActionConfig, ActionBaseView, ActionDiagnostics});
    MainMenu1->addMenu(QStringLiteral("Справка"))->addAction(ActionAbout);
    // The shortcut of the conveyor print action must work although no menu shows it.
    addAction(ActionPrintGraphTrans);
}

void TFormMain::CreateToolBar()
{
    ToolBarMain = addToolBar(QStringLiteral("ToolBarMain"));
    ToolBarMain->setObjectName(QStringLiteral("ToolBarMain"));
    ToolBarMain->setMovable(false);
    ToolBarMain->setFloatable(false);
    ToolBarMain->setIconSize(ToolImageSize);
    ToolBarMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBarMain->setContextMenuPolicy(Qt::PreventContextMenu);

    auto addButton = [this](QAction *action) {
        ToolBarMain->addAction(action);
        auto *button = qobject_cast<QToolButton *>(ToolBarMain->widgetForAction(action));
        button->setFixedSize(ToolButtonSize);
        ShowHintsOnly(button);
    };
    addButton(ActionMainMenu);
    ToolBarMain->addSeparator();
    addButton(ActionMnemo);
    ToolBarMain->addSeparator();
    for (QAction *action :
         {ActionGraphGC_params, ActionGraphSuspLevel, ActionGraphDivPosition, ActionGraphTrans})
        addButton(action);
    ToolBarMain->addSeparator();
    addButton(ActionWorkLog);
    ToolBarMain->addSeparator();
    addButton(ActionSvodTable);
    ToolBarMain->addSeparator();
    ToolButtonPrint = new QToolButton(ToolBarMain);
    ToolButtonPrint->setObjectName(QStringLiteral("ToolButtonPrint"));
    ToolButtonPrint->setAutoRaise(true);
    ToolButtonPrint->setIconSize(ToolImageSize);
    ToolButtonPrint->setFixedSize(ToolButtonSize);
    ToolButtonPrint->setDefaultAction(ActionPrint);
    ShowHintsOnly(ToolButtonPrint);
    ToolBarMain->addWidget(ToolButtonPrint);
    ToolBarMain->addSeparator();
    addButton(ActionAbout);

    // The info panel takes the rest of the toolbar (an expanding item), clock and lamp at its
    // right edge, so it follows every resize of the toolbar.
    PanelInfo = new QWidget(ToolBarMain);
    PanelInfo->setObjectName(QStringLiteral("PanelInfo"));
    PanelInfo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    PanelInfo->setFixedHeight(ToolButtonSize.height());
    LabelClock = new QLabel(QStringLiteral("00:00:00"), PanelInfo);
    LabelClock->setObjectName(QStringLiteral("LabelClock"));
    LabelClock->setFixedWidth(ClockWidth);
    LabelClock->setAlignment(Qt::AlignCenter);
    LabelClock->setAutoFillBackground(true);
    QPalette clockColours = LabelClock->palette();
    clockColours.setColor(QPalette::Window, Qt::black);
    clockColours.setColor(QPalette::WindowText, QColor(0, 255, 0));
    LabelClock->setPalette(clockColours);
    QFont clockFont = LabelClock->font();
    clockFont.setPixelSize(19);
    clockFont.setBold(true);
    LabelClock->setFont(clockFont);
    PanelLink = new QWidget(PanelInfo);
    PanelLink->setObjectName(QStringLiteral("PanelLink"));
    PanelLink->setFixedWidth(LinkPanelWidth);
    ShapeLink = new TLinkLamp(PanelLink);
    auto *linkLayout = new QHBoxLayout(PanelLink);
    linkLayout->setContentsMargins(0, 0, 0, 0);
    linkLayout->addWidget(ShapeLink, 0, Qt::AlignCenter);
    auto *infoLayout = new QHBoxLayout(PanelInfo);
    infoLayout->setContentsMargins(0, 0, 0, 0);
    infoLayout->setSpacing(0);
    PanelAlarm = new QWidget(PanelInfo);
    PanelAlarm->setObjectName(QStringLiteral("PanelAlarm"));
    auto *alarmLayout = new QHBoxLayout(PanelAlarm);
    alarmLayout->setContentsMargins(4, 2, 6, 2);
    infoLayout->addWidget(PanelAlarm, 1);
    infoLayout->addWidget(LabelClock);
    infoLayout->addWidget(PanelLink);
    ToolBarMain->addWidget(PanelInfo);
    // The toolbar gives its widgets the button roles; the clock keeps its own black and lime.
    LabelClock->setBackgroundRole(QPalette::Window);
    LabelClock->setForegroundRole(QPalette::WindowText);
}

// --- child windows

QMdiSubWindow *TFormMain::AddChild(QWidget *form, Qt::WindowFlags flags)
{
    if (auto *existing = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        return existing;
    return MdiArea->addSubWindow(form, flags);
}

void TFormMain::ShowChild(QWidget *form)
{
    if (!form)
        return;
    QDir(FWorkFolder).mkpath(QStringLiteral("config"));
    FCurrentChild = form;
    QMdiSubWindow *window = AddChild(form);
    window->showMaximized();
    window->raise();
    MdiArea->setActiveSubWindow(window);
    // Keys, Enter above all, go to the window brought forward, not to the one in front before:
    // to the control of it that had the focus last, else to the window itself.
    QWidget *focus = form->focusWidget();
    (focus && form->isAncestorOf(focus) && focus->isVisible() ? focus : form)
        ->setFocus(Qt::OtherFocusReason);
}

void TFormMain::CreateWindows(const QList<TWindowRow> &rows)
{
    for (const TWindowRow &newRow : rows) {
        const TWindowRow &row = FWindowRows.emplace_back(newRow);
        QWidget *window = row.Create(*this);
        if (!row.Action)
            continue;
        QAction *action = this->*row.Action;
        AddChild(window, row.Frame)->show();
        const bool known = FRoutes.count(action) > 0;
        FRoutes[action] = TChildRoute {&row, window};
        if (!known)
            connect(action, &QAction::triggered, this, [this, action] { OpenRoute(action); });
        action->setEnabled(true);
    }
}

QWidget *TFormMain::RoutedChild(QAction *action) const
{
    const auto route = FRoutes.find(action);
    return route == FRoutes.end() ? nullptr : route->second.Window.data();
}

void TFormMain::OpenRoute(QAction *action)
{
    TChildRoute &route = FRoutes.at(action);
    const TWindowRow &row = *route.Row;
    // Only a window that was closed and freed is made again.
    if (!route.Window) {
        route.Window = row.Create(*this);
        AddChild(route.Window, row.Frame);
    }
    if (row.Print)
        ToolButtonPrint->setDefaultAction(this->*row.Print);
    ShowChild(route.Window);
    if (row.Shown)
        row.Shown(route.Window);
}

void TFormMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (FFirstShowDone)
        return;
    FFirstShowDone = true;
    ActionMainMenu->trigger();
}

// --- refresh cycle

QColor TFormMain::LinkColor() const
{
    return ShapeLink->GetColor();
}

void TFormMain::TimerRefreshStateTimer()
{
    LabelClock->setText(FormatDateTime(QStringLiteral("hh:nn:ss"), Now()));
    if (!SQLConnection1().Connected())
        TryReconnect();
    if (SQLConnection1().Connected()) {
        QSqlError error;
        if (!RefreshLiveData(error)) {
            Beep();
            DropLink(error);
        }
    } else if (FLinkBroken) {
        Beep(); // keep reminding while a lost link stays lost
    }
    ShowLinkState();
    ActionSetCheck();
}

void TFormMain::PrepareQueries()
{
    if (SQLQueryLastData)
        return;
    const QSqlDatabase db = SQLConnection1().Database();
    SQLQueryMaxTime.emplace(db);
    SQLQueryPUState.emplace(db);
    SQLQueryLastData.emplace(db);
    for (QSqlQuery *query : {&*SQLQueryMaxTime, &*SQLQueryPUState, &*SQLQueryLastData})
        query->setForwardOnly(true);
}

bool TFormMain::RefreshLiveData(QSqlError &error)
{
    PrepareQueries();
    QSqlQuery &state = *SQLQueryPUState;
    if (!state.exec(QStringLiteral("select * from last_state"))) {
        error = state.lastError();
        return false;
    }
    FHeartbeat = state.next() ? MomentOf(state.value(QStringLiteral("RecMoment"))) : 0.0;
    state.finish();
    FHeartbeatRead = true;

    QSqlQuery &maxTime = *SQLQueryMaxTime;
    if (!maxTime.exec(QStringLiteral("select max(RecMoment) MaxTime from pu_data"))) {
        error = maxTime.lastError();
        return false;
    }
    const TMoment newest =
        maxTime.next() ? MomentOf(maxTime.value(QStringLiteral("MaxTime"))) : 0.0;
    maxTime.finish();

    QSqlQuery &lastData = *SQLQueryLastData;
    // The moment goes into the text: a statement prepared on the server keeps the column layout
    // of its preparation and reads a changed table into the wrong fields without any error.
    if (!lastData.exec(QStringLiteral("select * from pu_data\r\nwhere RecMoment= '%1'")
                           .arg(FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), newest)))) {
        error = lastData.lastError();
        return false;
    }
    FLastData = lastData.next() ? lastData.record() : QSqlRecord();
    lastData.finish();
    return true;
}

// A failed refresh: when the server does not answer at all the link is closed, so the commands are
// disabled and the tick reopens it as soon as the server is back. A link the client library already
// gave up is not asked again (a server that stopped answering would hold the tick once more).
void TFormMain::DropLink(const QSqlError &error)
{
    if (!LinkLost(error)) {
        QSqlQuery probe(SQLConnection1().Database());
        if (probe.exec(QStringLiteral("select 1")))
            return; // the link is fine; only the refresh failed
    }
    SQLQueryMaxTime.reset();
    SQLQueryPUState.reset();
    SQLQueryLastData.reset();
    SQLConnection1().Close();
    FLinkHistory.Lost(Now());
    FLinkBroken = true;
    FReconnectClock.start();
    FReconnectPause = 0;
}

void TFormMain::TryReconnect()
{
    if (FOpener->Running()
        || (FReconnectClock.isValid() && FReconnectClock.elapsed() < FReconnectPause))
        return;
    FOpener->Start();
}

bool TFormMain::Connecting() const
{
    return FOpener->Running();
}

void TFormMain::LinkAttemptFinished(bool opened)
{
    FReconnectClock.start();
    FReconnectPause = !opened && FOpener->Answered() ? LoginRetryPause : ReconnectPause;
    if (opened) {
        FLinkBroken = false;
        FLinkHistory.Back(Now());
    } else {
        FLinkHistory.Lost(Now());
    }
    ActionSetCheck();
    if (opened)
        emit LinkOpened();
}

std::optional<double> TFormMain::HeartbeatAge() const
{
    if (!FHeartbeatRead)
        return std::nullopt;
    return (Now() - FHeartbeat) * 86400;
}

// The lamp follows the age of the last heartbeat actually read, so a dead link turns it yellow
// and red instead of freezing its last colour.
void TFormMain::ShowLinkState()
{
    if (FHeartbeatRead)
        ShapeLink->SetColor(LinkColour(FHeartbeat, Now()));
}

// --- commands

void TFormMain::ActionSetCheck()
{
    const bool open = SQLConnection1().Connected();
    ActionSetPLSZ->setEnabled(open);
    ActionSet_TNZ->setEnabled(open);
}

void TFormMain::ActionSetPLSZExecute()
{
    SendSetPoint(DensitySetPoint());
}

void TFormMain::ActionSet_TNZExecute()
{
    SendSetPoint(LoadSetPoint());
}

void TFormMain::SendSetPoint(const TSetPointCommand &command)
{
    if (!SQLConnection1().Connected() || !FormInputNewSet)
        return;
    QString text;
    // The newest record and the lamp only inform the operator; the command itself stays as it is.
    if (!FormInputNewSet->Ask(command.Label, text, CurrentValuesText(command, FLastData),
                              LinkColor() == LinkGreen))
        return;
    double value = 0;
    if (!CheckSetPointInput(command, text, value))
        return;
    // The refresh may have dropped the link while the dialog was open, or the server may have
    // dropped it unnoticed: the command is not sent then, and the operator is told why.
    if (!SQLConnection1().Connected()) {
        ShowError(NoLinkNotSent);
        return;
    }
    QSqlQuery SQLQueryNewSet(SQLConnection1().Database());
    if (SQLQueryNewSet.exec(SetPointInsertText(command, value))) {
        emit CommandSent();
        return;
    }
    const QSqlError error = SQLQueryNewSet.lastError();
    ShowError(LinkLost(error) ? NoLinkNotSent : error.text());
}

// --- exit

void TFormMain::ActionExitExecute()
{
    if (!AskYesNo(ExitQuestion, ExitCaption))
        return;
    FExitConfirmed = true;
    SaveConfig(FSettingsPath, Settings);
    close();
}

void TFormMain::closeEvent(QCloseEvent *event)
{
    if (!FExitConfirmed) {
        if (!AskYesNo(ExitQuestion, ExitCaption)) {
            event->ignore();
            return;
        }
        FExitConfirmed = true;
    }
    SaveConfig(FSettingsPath, Settings);
    event->accept();
}
