#include "views/SvodTable.h"

#include "app/Connection.h"
#include "app/DayFollower.h"
#include "app/EventLog.h"
#include "app/FreshnessLabel.h"
#include "app/Main.h"
#include "app/Pickers.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "base/Style.h"
#include "views/DataGrid.h"
#include "views/GridPrinter.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTimer>

TFormSvodTable *FormSvodTable = nullptr;

namespace {

const int RefreshInterval = 45000; // ms
const int PanelTopHeight = 70;
const int CenterWidth = 1001;
const int GridWidth = 999;
const int GridHeight = 510;
const QColor NameBackground(0xC0, 0xC0, 0xC0);

const QString PrintHeaderTemplate =
    QStringLiteral("<p align=\"center\" style=\"margin:0; white-space:pre-wrap; font-family:'Times "
                   "New Roman'; font-size:20pt\">"
                   "&nbsp;<br/>[CAPTION]</p>"
                   "<p align=\"center\" style=\"margin:0; white-space:pre-wrap; font-family:'Times "
                   "New Roman'; font-size:8pt\">"
                   "&nbsp;</p>");

QString Where(const TSvodPeriod &period)
{
    return QStringLiteral(" where RecMoment >= '")
        + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:00:00"), period.Start)
        + QStringLiteral("' and RecMoment <= '")
        + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:59:59"), period.Stop) + QStringLiteral("' ");
}

QString RowStatement(const TSvodPeriod &period)
{
    const QString w = Where(period);
    const QString t = QStringLiteral("select CONVERT( CONCAT(LPAD(TRUNCATE(count(*)/60,0), 4, "
                                     "'  00'), ':', LPAD(MOD(count(*),60), 2, '0') ), CHAR) "
                                     "from pu_data ")
        + w;
    const QString fromW = QStringLiteral(" from pu_data ") + w + QStringLiteral(" )");
    return QStringLiteral("select ") + QString::number(period.Npp) + QStringLiteral(" as NPP, ")
        + SqlQuote(period.Name) + QStringLiteral(" as time_name, ") + QStringLiteral("( ") + t
        + QStringLiteral(" and RAB > 0 and RN > 0 )") + QStringLiteral(" as C1, ")
        + QStringLiteral("( ") + t + QStringLiteral(" and RAB > 0 and RN <= 0 )")
        + QStringLiteral(" as C2, ") + QStringLiteral("( ") + t + QStringLiteral(" and RAB > 0 )")
        + QStringLiteral(" as C3, ") + QStringLiteral("( select IFNULL(sum(G_1T41),0)") + fromW
        + QStringLiteral(" as C4, ") + QStringLiteral("( select IFNULL(sum(G_1T23),0)") + fromW
        + QStringLiteral(" as C5, ") + QStringLiteral("( select IFNULL(sum(G_1T2),0)") + fromW
        + QStringLiteral(" as C6, ") + QStringLiteral("( select 100*sum(G_1T2)/sum(G_1T23)") + fromW
        + QStringLiteral(" as C7");
}

// The figures of a day without records read as zeros; whether there are any is asked apart.
bool HasRecords(const TSvodPeriod &period)
{
    QSqlQuery query(SQLConnection1().Database());
    return query.exec(QStringLiteral("select 1 from pu_data") + Where(period)
                      + QStringLiteral("limit 1"))
        && query.next();
}

} // namespace

QVector<TSvodPeriod> SvodPeriods(TMoment date)
{
    const TMoment day = MomentDate(date);
    QVector<TSvodPeriod> periods {{1, QStringLiteral("Смена 1")},
                                  {2, QStringLiteral("Смена 2")},
                                  {3, QStringLiteral("За сутки")},
                                  {4, QStringLiteral("С начала месяца")}};
    for (int kind = 1; kind <= 3; ++kind)
        ShiftRange(day, kind, periods[kind - 1].Start, periods[kind - 1].Stop);
    QDate calendar;
    QTime unused;
    DecodeMoment(day, calendar, unused);
    TMoment monthStop;
    ShiftRange(EncodeMoment(calendar.year(), calendar.month(), 1), 3, periods[3].Start, monthStop);
    periods[3].Stop = periods[2].Stop;
    return periods;
}

QString SvodStatement(const QVector<TSvodPeriod> &periods)
{
    QStringList rows;
    for (const TSvodPeriod &period : periods)
        rows.append(RowStatement(period));
    return rows.join(QStringLiteral(" union ")) + QStringLiteral(" ORDER BY NPP");
}

TFormSvodTable::TFormSvodTable(QWidget *parent)
    : QWidget(parent)
{
    if (!FormSvodTable)
        FormSvodTable = this;
    InstallFontSubstitutes();
    setObjectName(QStringLiteral("FormSvodTable"));
    setWindowTitle(QStringLiteral("Таблица учета работы обогатительного  гидроциклона"));

    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    LabelCaption = new QLabel(
        QStringLiteral(
            "Таблица учета работы обогатительного  гидроциклона и конвейерных весов за "),
        PanelTop);
    LabelCaption->setObjectName(QStringLiteral("LabelCaption"));
    QFont captionFont(QStringLiteral("Times New Roman"));
    captionFont.setPixelSize(24);
    captionFont.setBold(true);
    LabelCaption->setFont(captionFont);
    LabelCaption->adjustSize();
    DateTimePicker1 = MakeDatePicker(PanelTop, QStringLiteral("DateTimePicker1"));
    DateTimePicker1->adjustSize();
    FFollower = new TDayFollower(DateTimePicker1);
    connect(FFollower, &TDayFollower::Moved, this, &TFormSvodTable::Reload);
    LabelFreshness = new TFreshnessLabel(PanelTop);
    LabelFreshness->setAlignment(Qt::AlignCenter);

    PanelLeft = new QWidget(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
    PanelCenter = new QWidget(this);
    PanelCenter->setObjectName(QStringLiteral("PanelCenter"));
    PanelRight = new QWidget(this);
    PanelRight->setObjectName(QStringLiteral("PanelRight"));
    PanelDown = new QWidget(this);
    PanelDown->setObjectName(QStringLiteral("PanelDown"));

    Grid = new TDataGrid(PanelCenter);
    Grid->setObjectName(QStringLiteral("DBGrid1"));
    Grid->setGeometry(0, 0, GridWidth, GridHeight);
    Grid->setFocusPolicy(Qt::NoFocus);
    Grid->setSelectionMode(QAbstractItemView::NoSelection);
    Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Grid->SetRowLines(3);
    const QString work = QStringLiteral("Работа обогатительного гидроциклона, час:мин|");
    const QString load = QStringLiteral("Суммарная нагрузка по конвейерам, тонн|");
    const QString tonnes = QStringLiteral("### ### ##0.00");
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    Grid->SetFrozenFirstColumn(true);
    Grid->SetColumns({
        {QStringLiteral("time_name"), QStringLiteral("Интервал"), 160, centre, {}, NameBackground},
        {QStringLiteral("C1"), work + QStringLiteral("Под нагрузкой"), 120, centre},
        {QStringLiteral("C2"), work + QStringLiteral("Без нагрузки"), 120, centre},
        {QStringLiteral("C3"), work + QStringLiteral("Общее время работы"), 120, centre},
        {QStringLiteral("C4"), load + QStringLiteral("Горная масса, поз.41"), 125, right, tonnes},
        {QStringLiteral("C5"), load + QStringLiteral("Поступило на фабрику, поз.23"), 125, right,
         tonnes},
        {QStringLiteral("C6"), load + QStringLiteral("Произведено концентрата, поз.2"), 125, right,
         tonnes},
        {QStringLiteral("C7"), QStringLiteral("Выход, %"), 70, centre, QStringLiteral("##0.0")},
    });
    // Shown, not operated: no focus, no selection, no clicks.
    Grid->setAttribute(Qt::WA_TransparentForMouseEvents);
    Grid->FrozenView()->setAttribute(Qt::WA_TransparentForMouseEvents);

    WaitPanel = new QLabel(QStringLiteral("Дождитесь загрузки данных"), this);
    WaitPanel->setObjectName(QStringLiteral("WaitPanel"));
    WaitPanel->setAlignment(Qt::AlignCenter);
    WaitPanel->setFrameShape(QFrame::Panel);
    WaitPanel->setFrameShadow(QFrame::Raised);
    WaitPanel->setAutoFillBackground(true);
    WaitPanel->setCursor(Qt::BusyCursor);
    WaitPanel->resize(WaitPanel->sizeHint() + QSize(60, 30));
    WaitPanel->hide();

    // Enter anywhere in the window presses it; it sits outside the visible area.
    ButReload = new QPushButton(QStringLiteral("Обновить"), this);
    ButReload->setObjectName(QStringLiteral("ButReload"));
    ButReload->setFocusPolicy(Qt::NoFocus);
    ButReload->move(-100, 0);
    connect(ButReload, &QPushButton::clicked, this, &TFormSvodTable::Reload);

    FPrinter = std::make_unique<TGridPrinter>(Grid);
    FPrinter->Header = PrintHeaderTemplate;
    FPrinter->FitToPageWidth = false;
    FPrinter->Orientation = QPageLayout::Landscape;

    FLastReload = Now();
    ShiftRange(ProductionDayOf(Now()), 3, FPeriodStart, FPeriodStop);
    TimerUpdate = new QTimer(this);
    TimerUpdate->setObjectName(QStringLiteral("TimerUpdate"));
    TimerUpdate->setInterval(RefreshInterval);
    connect(TimerUpdate, &QTimer::timeout, this, &TFormSvodTable::TimerUpdateTimer);
    TimerUpdate->start();

    if (FormMain) {
        connect(FormMain, &TFormMain::LinkOpened, this, &TFormSvodTable::LinkOpened);
        connect(FormMain->ActionPrintSvodTable, &QAction::triggered, this, &TFormSvodTable::Print);
        FormMain->ActionPrintSvodTable->setEnabled(true);
    }
    resize(1024, 700);
}

TFormSvodTable::~TFormSvodTable()
{
    if (FormSvodTable == this)
        FormSvodTable = nullptr;
}

void TFormSvodTable::Reload()
{
    if (FReloadBusy)
        return;
    FReloadBusy = true;
    WaitPanel->move((width() - WaitPanel->width()) / 2, (height() - WaitPanel->height()) / 2);
    WaitPanel->show();
    WaitPanel->raise();
    QCoreApplication::processEvents();

    FDay = MomentDate(DateTimeToMoment(DateTimePicker1->date().startOfDay()));
    const QVector<TSvodPeriod> periods = SvodPeriods(FDay);
    FPeriodStart = periods.at(3).Start;
    FPeriodStop = periods.at(2).Stop;
    if (Grid->Model()->Load(SQLConnection1().Database(), SvodStatement(periods))) {
        LabelFreshness->Loaded(HasRecords(periods.at(2)));
    } else {
        PostEvent(QStringLiteral("Ошибка в TFormSvodTable::Reload()"));
        LabelFreshness->Failed(SQLConnection1().Connected()
                                   ? TFreshnessLabel::ReasonOf(Grid->Model()->LastError())
                                   : TFreshnessLabel::NoLinkReason());
    }

    WaitPanel->hide();
    FReloadedOnce = true;
    FReloadBusy = false;
    emit Reloaded();
}

void TFormSvodTable::TimerUpdateTimer()
{
    if (!FormMain || !SQLConnection1().Connected() || FTimerBusy)
        return;
    FTimerBusy = true;
    ++FTickCount;
    if (FTickCount == 2)
        FReloadWanted = true;
    const TMoment now = Now();
    // In whole seconds, like every comparison of a moment with a period bound.
    const qint64 seconds = MomentSeconds(now);
    if (MomentSeconds(FPeriodStart) < seconds && seconds < MomentSeconds(FPeriodStop)
        && seconds - MomentSeconds(FLastReload) > 60)
        FReloadWanted = true;
    if (FReloadWanted) {
        FLastReload = now;
        FReloadWanted = false;
        Reload();
    }
    FTimerBusy = false;
}

void TFormSvodTable::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Without a link the first load waits for it (LinkOpened).
    FShownOnce = true;
    if (FReloadedOnce)
        return;
    if (SQLConnection1().Connected())
        ReloadSoon();
    else
        LabelFreshness->Failed(TFreshnessLabel::NoLinkReason());
}

void TFormSvodTable::LinkOpened()
{
    if (FShownOnce)
        ReloadSoon();
}

// Once the current event is over: the reload lets pending messages through, which must not
// happen in the middle of the frame showing its children or handling its link.
void TFormSvodTable::ReloadSoon()
{
    QTimer::singleShot(0, this, &TFormSvodTable::Reload);
}

void TFormSvodTable::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        ButReload->click();
    else
        QWidget::keyPressEvent(event);
}

void TFormSvodTable::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int side = qMax(0, (h - GridHeight) / 2);
    const int left = qMax(0, (w - CenterWidth) / 2);
    const int middle = qMax(0, h - 2 * side);
    PanelTop->setGeometry(0, 0, w, side);
    PanelDown->setGeometry(0, h - side, w, side);
    PanelLeft->setGeometry(0, side, left, middle);
    PanelCenter->setGeometry(left, side, CenterWidth, middle);
    PanelRight->setGeometry(left + CenterWidth, side, qMax(0, w - left - CenterWidth), middle);
    PanelTopResize();
}

void TFormSvodTable::PanelTopResize()
{
    const int panelHeight = PanelTop->height();
    const int labelLeft =
        (PanelTop->width() - LabelCaption->width() - DateTimePicker1->width() - 10) / 2;
    const int h = qMax(DateTimePicker1->height(), LabelCaption->height());
    LabelCaption->move(labelLeft, (h - LabelCaption->height()) / 2 + panelHeight - h - 24);
    DateTimePicker1->move(labelLeft + LabelCaption->width() + 10,
                          (h - DateTimePicker1->height()) / 2 + panelHeight - h - 24);
    // In the gap under the caption.
    const int freshnessHeight = LabelFreshness->sizeHint().height();
    LabelFreshness->setGeometry(0, panelHeight - 24 + (24 - freshnessHeight) / 2, PanelTop->width(),
                                freshnessHeight);
}

QString TFormSvodTable::PrintHeader()
{
    FPrinter->Substitutions = {
        QStringLiteral("[CAPTION]"),
        LabelCaption->text() + QLatin1Char(' ')
            + FormatDateTime(QStringLiteral("dd.mm.yyyy"),
                             DateTimeToMoment(DateTimePicker1->date().startOfDay()))};
    return FPrinter->HeaderText();
}

void TFormSvodTable::Print()
{
    PrintHeader();
    FPrinter->Preview(this);
}
