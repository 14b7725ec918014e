#pragma once

#include "app/Config.h"
#include "app/LinkHistory.h"
#include "app/Paths.h"
#include "base/Moment.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>
#include <functional>
#include <list>
#include <map>
#include <optional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QSqlError;
class QToolButton;
class TConnectionOpener;
class TLinkLamp;
struct TSetPointCommand;
struct TWindowRow;

// The main frame: menu, toolbar with clock and link lamp, the child windows in a multi-document
// area, the one-second refresh of the newest process record and the exit path.
class TFormMain : public QMainWindow
{
    Q_OBJECT

public:
    // settingsPath: the settings file; its folder becomes the working directory (the relative
    // "config" and colour files of the other windows resolve there). prompt: asked for the
    // database credentials when no password is stored.
    explicit TFormMain(const QString &settingsPath = SettingsFilePath(),
                       const TLoginPrompt &prompt = DefaultLoginPrompt(),
                       QWidget *parent = nullptr);
    ~TFormMain() override;

    static TLoginPrompt DefaultLoginPrompt();
    // The settings file the frame loads and saves.
    QString SettingsPath() const { return FSettingsPath; }

    // --- child windows
    // Brings the window forward maximised and makes it the current child; nothing for none.
    void ShowChild(QWidget *form);
    QWidget *CurrentChild() const { return FCurrentChild; }
    // Puts a form into the multi-document area (ShowChild does it with the default frame).
    QMdiSubWindow *AddChild(QWidget *form, Qt::WindowFlags flags = {});
    // Creates the windows of the table in its order (the start-up order) and keeps them to the
    // end: a row with an action becomes a child window, created visible, that the action brings
    // forward (binding the print button to the row's print action, if any, then running the
    // row's shown hook); a row without one is a dialog that wires its own actions.
    void CreateWindows(const QList<TWindowRow> &rows);
    // The window an action brings forward, if it exists.
    QWidget *RoutedChild(QAction *action) const;

    // --- live data, read by the other windows
    // The newest process record as of the last good refresh (empty before the first).
    const QSqlRecord &LastData() const { return FLastData; }
    // The link lamp's colour: silver before any heartbeat was read, then LinkColour of its age.
    QColor LinkColor() const;
    void TimerRefreshStateTimer();
    // An attempt to open the link is under way (the server has not answered yet).
    bool Connecting() const;
    // When the link dropped and came back.
    const TLinkHistory &LinkHistory() const { return FLinkHistory; }
    // Seconds since the newest heartbeat read; none before the first.
    std::optional<double> HeartbeatAge() const;

signals:
    // The link has just opened: the first time after start, or back after it was lost.
    void LinkOpened();
    // This station has just sent a set-point command.
    void CommandSent();

public:
    // --- commands
    void ActionExitExecute();
    void ActionSetPLSZExecute();
    void ActionSet_TNZExecute();
    // Enables the set-point actions exactly while the connection is open.
    void ActionSetCheck();

    TFrameSettings Settings;

    QAction *ActionExit;
    QAction *ActionMainMenu;
    QAction *ActionMnemo;
    QAction *ActionGraphGC_params;
    QAction *ActionGraphSuspLevel;
    QAction *ActionGraphDivPosition;
    QAction *ActionGraphTrans;
    QAction *ActionWorkLog;
    QAction *ActionCommandLog;
    QAction *ActionSvodTable;
    QAction *ActionAbout;
    QAction *ActionSetPLSZ;
    QAction *ActionSet_TNZ;
    QAction *ActionConfig;
    QAction *ActionBaseView;
    QAction *ActionDiagnostics;
    QAction *ActionAlarms;
    QAction *ActionPrint;
    QAction *ActionPrintHardParams;
    QAction *ActionPrintLevelGraph;
    QAction *ActionPrintDiverGraph;
    QAction *ActionPrintGCWorkReg;
    QAction *ActionPrintCommandLog;
    QAction *ActionPrintSvodTable;
    QAction *ActionPrintGraphTrans;
    QAction *ActionPrintAlarms;

    QMenuBar *MainMenu1;
    QToolBar *ToolBarMain;
    QToolButton *ToolButtonPrint;
    QWidget *PanelInfo;
    QWidget *PanelAlarm; // holds the alarm banner, left of the clock
    QLabel *LabelClock;
    QWidget *PanelLink;
    TLinkLamp *ShapeLink;
    QMdiArea *MdiArea;
    QTimer *TimerRefreshState;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct TChildRoute
    {
        const TWindowRow *Row;
        QPointer<QWidget> Window;
    };

    QAction *MakeAction(const QString &name, const QString &category, const QString &caption,
                        const QString &hint);
    void CreateActions();
    void CreateMenu();
    void CreateToolBar();
    void OpenRoute(QAction *action);
    void SendSetPoint(const TSetPointCommand &command);

    bool RefreshLiveData(QSqlError &error);
    void PrepareQueries();
    void DropLink(const QSqlError &error);
    void TryReconnect();
    void LinkAttemptFinished(bool opened);
    void ShowLinkState();

    QString FSettingsPath;
    QString FWorkFolder;
    bool FExitConfirmed = false;
    bool FFirstShowDone = false;
    QPointer<QWidget> FCurrentChild;
    std::list<TWindowRow> FWindowRows; // the routes point into it, so it only grows
    std::map<QAction *, TChildRoute> FRoutes;

    std::optional<QSqlQuery> SQLQueryMaxTime;
    std::optional<QSqlQuery> SQLQueryPUState;
    std::optional<QSqlQuery> SQLQueryLastData;
    QSqlRecord FLastData;
    bool FHeartbeatRead = false;
    TMoment FHeartbeat = 0;
    TLinkHistory FLinkHistory;
    bool FLinkBroken = false; // the open link failed; reopened every few seconds
    TConnectionOpener *FOpener = nullptr;
    QElapsedTimer FReconnectClock; // real time since the end of the last attempt to open the link
    qint64 FReconnectPause = 0; // ms from there to the next attempt
};

extern TFormMain *FormMain;

// One row of the start-up window table.
struct TWindowRow
{
    QAction *TFormMain::*Action = nullptr; // brings the window forward; none for a dialog
    QAction *TFormMain::*Print = nullptr; // the print button's binding; none leaves it as it is
    std::function<QWidget *(TFormMain &)> Create;
    Qt::WindowFlags Frame = {}; // of the child window's frame
    std::function<void(QWidget *)> Shown = {}; // after the action has brought the window forward
};

// A child window brought forward by an action of the frame.
template<class TForm>
TWindowRow ChildWindow(QAction *TFormMain::*action, QAction *TFormMain::*print,
                       std::function<void(QWidget *)> shown = {}, Qt::WindowFlags frame = {})
{
    return {action, print, [](TFormMain &main) -> QWidget * { return new TForm(&main); }, frame,
            std::move(shown)};
}

// A dialog, created at start-up like the child windows and kept to the end.
template<class TForm> TWindowRow DialogWindow()
{
    return {nullptr, nullptr, [](TFormMain &main) -> QWidget * {
                return new TForm(&main);
            }};
}
