#include "alarms/FormAlarms.h"

#include "alarms/AlarmBanner.h"
#include "alarms/AlarmStatsTab.h"
#include "alarms/ShelveDialog.h"
#include "app/CsvExport.h"
#include "app/LinkLamp.h"
#include "app/Main.h"
#include "app/Pickers.h"
#include "app/Utils.h"
#include "base/Feedback.h"
#include "base/Formats.h"
#include "views/DataGrid.h"
#include "views/GridCsv.h"
#include "views/GridPrinter.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

TFormAlarms *FormAlarms = nullptr;

namespace {

const int FlashInterval = 500; // ms

const QString PrintCurrentHeader = QStringLiteral(
    "<p align=\"center\" style=\"margin:0; font-family:'Times New Roman'; font-size:16pt\">"
    "Текущие тревоги на [Moment]</p><p style=\"margin:0; font-size:8pt\">&nbsp;</p>");
const QString PrintArchiveHeader = QStringLiteral(
    "<p align=\"center\" style=\"margin:0; font-family:'Times New Roman'; font-size:16pt\">"
    "Архив тревог за период с [StartTime] по [StopTime]</p>"
    "<p style=\"margin:0; font-size:8pt\">&nbsp;</p>");

QVector<TGridColumn> CurrentColumns()
{
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {QStringLiteral("Activated"), QStringLiteral("Время"), 140, centre},
        {QStringLiteral("Priority"), QStringLiteral("Приоритет"), 90, centre},
        {QStringLiteral("AlarmText"), QStringLiteral("Тревога"), 380},
        {QStringLiteral("Value"), QStringLiteral("Значение"), 80, right, QStringLiteral("#0.0")},
        {QStringLiteral("AlarmLimit"), QStringLiteral("Предел"), 80, right, QStringLiteral("#0.0")},
        {QStringLiteral("State"), QStringLiteral("Состояние"), 200},
        {QStringLiteral("AckedBy"), QStringLiteral("Квитировал"), 150},
        {QStringLiteral("AckedAt"), QStringLiteral("Квитирована"), 140, centre}};
}

QVector<TGridColumn> ArchiveColumns()
{
    const Qt::Alignment centre = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {QStringLiteral("Activated"), QStringLiteral("Возникла"), 130, centre},
        {QStringLiteral("Code"), QStringLiteral("Код"), 95},
        {QStringLiteral("Priority"), QStringLiteral("Приоритет"), 90, centre},
        {QStringLiteral("AlarmText"), QStringLiteral("Тревога"), 380},
        {QStringLiteral("Value"), QStringLiteral("Значение"), 75, right, QStringLiteral("#0.0")},
        {QStringLiteral("AlarmLimit"), QStringLiteral("Предел"), 75, right, QStringLiteral("#0.0")},
        {QStringLiteral("Returned"), QStringLiteral("В норме с"), 130, centre},
        {QStringLiteral("AckedAt"), QStringLiteral("Квитирована"), 130, centre},
        {QStringLiteral("AckedBy"), QStringLiteral("Квитировал"), 120},
        {QStringLiteral("State"), QStringLiteral("Состояние"), 180},
        {QStringLiteral("ShelveReason"), QStringLiteral("Отложена: причина"), 200}};
}

// As the grid shows moments; text, since ten thousand date-times in local time cost more than
// the whole rest of a load.
QVariant MomentCell(TMoment moment)
{
    return moment == 0 ? QVariant()
                       : QVariant(FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"), moment));
}

QVariant NumberCell(double value)
{
    return std::isnan(value) ? QVariant() : QVariant(value);
}

// One cell of an activation, by the column's field.
QVariant AlarmCell(const TAlarm &a, const QString &field, TMoment now)
{
    if (field == QLatin1String("Activated"))
        return MomentCell(a.Activated);
    if (field == QLatin1String("Code"))
        return a.Code;
    if (field == QLatin1String("Priority"))
        return PriorityText(a.Priority);
    if (field == QLatin1String("AlarmText"))
        return a.Text;
    if (field == QLatin1String("Value"))
        return NumberCell(a.Value);
    if (field == QLatin1String("AlarmLimit"))
        return NumberCell(a.Limit);
    if (field == QLatin1String("State"))
        return StateText(a, now);
    if (field == QLatin1String("Returned"))
        return MomentCell(a.Returned);
    if (field == QLatin1String("AckedAt"))
        return MomentCell(a.AckedAt);
    if (field == QLatin1String("AckedBy"))
        return a.AckedBy;
    if (field == QLatin1String("ShelveReason"))
        return a.ShelvedBy.isEmpty()
            ? QVariant()
            : QVariant(a.ShelvedBy + QStringLiteral(": ") + a.ShelveReason);
    return QVariant();
}

QVector<QVector<QVariant>> AlarmRows(const QVector<TAlarm> &alarms,
                                     const QVector<TGridColumn> &columns, TMoment now)
{
    QVector<QVector<QVariant>> rows;
    rows.reserve(alarms.size());
    for (const TAlarm &alarm : alarms) {
        QVector<QVariant> row;
        row.reserve(columns.size());
        for (const TGridColumn &column : columns)
            row.append(AlarmCell(alarm, column.Field, now));
        rows.append(std::move(row));
    }
    return rows;
}

// The priority cell on its priority's colour.
class TPriorityDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString text = index.data().toString();
        for (TAlarmPriority priority :
             {TAlarmPriority::High, TAlarmPriority::Medium, TAlarmPriority::Low}) {
            if (text != PriorityText(priority))
                continue;
            const QColor colour = PriorityColor(priority);
            option->backgroundBrush = colour;
            option->palette.setColor(QPalette::Text, InkOn(colour));
        }
    }
};

TDataGrid *MakeGrid(QWidget *parent, const QString &name, const QVector<TGridColumn> &columns)
{
    auto *grid = new TDataGrid(parent);
    grid->setObjectName(name);
    grid->SetColumns(columns);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].Field == QLatin1String("Priority"))
            grid->setItemDelegateForColumn(i, new TPriorityDelegate(grid));
    }
    InstallCsvExport(
        grid, [grid] { return GridCsvRows(*grid->Model()); },
        [name] {
            return QStringLiteral("alarms_%1_").arg(name)
                + FormatDateTime(QStringLiteral("yyyy-mm-dd_hh-nn"), Now());
        });
    return grid;
}

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

TFormAlarms::TFormAlarms(QWidget *parent)
    : TFormAlarms(parent, StationAlarmSource())
{ }

TFormAlarms::TFormAlarms(QWidget *parent, TAlarmSource source)
    : QWidget(parent)
    , FSource(std::move(source))
{
    if (!FormAlarms)
        FormAlarms = this;
    setObjectName(QStringLiteral("FormAlarms"));
    setWindowTitle(QStringLiteral("Сводка тревог"));

    Monitor = new TAlarmMonitor(FSource, this);
    LabelStore = new QLabel(this);
    LabelStore->setObjectName(QStringLiteral("LabelStore"));
    LabelStore->setWordWrap(true);
    LabelStore->setContentsMargins(8, 4, 8, 4);
    LabelStore->hide();
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    CreateCurrentTab();
    CreateArchiveTab();
    TabStatistics = new TAlarmStatsTab;
    PageControl->addTab(TabStatistics, QStringLiteral("Статистика"));
    connect(PageControl, &QTabWidget::currentChanged, this, [this] {
        if (PageControl->currentWidget() == TabArchive && !FArchiveLoaded)
            LoadArchive();
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(LabelStore);
    layout->addWidget(PageControl, 1);

    FPrintCurrent = std::make_unique<TGridPrinter>(GridCurrent);
    FPrintCurrent->Header = PrintCurrentHeader;
    FPrintCurrent->Orientation = QPageLayout::Landscape;
    FPrintArchive = std::make_unique<TGridPrinter>(GridArchive);
    FPrintArchive->Header = PrintArchiveHeader;
    FPrintArchive->Orientation = QPageLayout::Landscape;

    // The banner lives in the main frame's info panel when there is one.
    QWidget *panel = FormMain ? FormMain->PanelAlarm : nullptr;
    Banner = new TAlarmBanner(panel ? panel : this);
    FBannerGuard = Banner;
    if (panel)
        panel->layout()->addWidget(Banner);
    else
        Banner->hide();
    connect(Banner, &TAlarmBanner::Clicked, this, [] {
        if (FormMain)
            FormMain->ActionAlarms->trigger();
    });

    TimerFlash = new QTimer(this);
    TimerFlash->setObjectName(QStringLiteral("TimerFlash"));
    TimerFlash->setInterval(FlashInterval);
    connect(TimerFlash, &QTimer::timeout, this, [this] {
        FFlashOn = !FFlashOn;
        Banner->SetFlashOn(FFlashOn);
        FFrames.Show(Monitor->Table(), Now(), FFlashOn);
    });
    TimerFlash->start();

    connect(Monitor, &TAlarmMonitor::Changed, this, &TFormAlarms::Refresh);
    if (FormMain) {
        connect(FormMain->TimerRefreshState, &QTimer::timeout, Monitor, &TAlarmMonitor::Tick);
        connect(FormMain->ActionPrintAlarms, &QAction::triggered, this, &TFormAlarms::Print);
        FormMain->ActionPrintAlarms->setEnabled(true);
    }
    Refresh();
}

TFormAlarms::~TFormAlarms()
{
    if (FormAlarms == this)
        FormAlarms = nullptr;
    // The banner may live in the frame's panel, which outlives this window.
    if (FBannerGuard && FBannerGuard->parentWidget() != this)
        delete FBannerGuard;
}

void TFormAlarms::CreateCurrentTab()
{
    TabCurrent = new QWidget;
    TabCurrent->setObjectName(QStringLiteral("TabCurrent"));
    GridCurrent = MakeGrid(TabCurrent, QStringLiteral("GridCurrent"), CurrentColumns());
    ButAck = MakeButton(TabCurrent, QStringLiteral("ButAck"), QStringLiteral("Квитировать"));
    ButAckAll =
        MakeButton(TabCurrent, QStringLiteral("ButAckAll"), QStringLiteral("Квитировать все"));
    ButShelve = MakeButton(TabCurrent, QStringLiteral("ButShelve"), QStringLiteral("Отложить…"));
    ButUnshelve = MakeButton(TabCurrent, QStringLiteral("ButUnshelve"), QStringLiteral("Вернуть"));
    connect(ButAck, &QPushButton::clicked, this, &TFormAlarms::ButAckClick);
    connect(ButAckAll, &QPushButton::clicked, this, &TFormAlarms::ButAckAllClick);
    connect(ButShelve, &QPushButton::clicked, this, &TFormAlarms::ButShelveClick);
    connect(ButUnshelve, &QPushButton::clicked, this, &TFormAlarms::ButUnshelveClick);
    connect(GridCurrent->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFormAlarms::UpdateButtons);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {ButAck, ButAckAll, ButShelve, ButUnshelve})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(TabCurrent);
    layout->addLayout(buttons);
    layout->addWidget(GridCurrent, 1);
    PageControl->addTab(TabCurrent, QStringLiteral("Текущие"));
}

void TFormAlarms::CreateArchiveTab()
{
    TabArchive = new QWidget;
    TabArchive->setObjectName(QStringLiteral("TabArchive"));
    const QDate today = MomentToDateTime(ProductionDayOf(Now())).date();
    DateFrom = MakeDatePicker(TabArchive, QStringLiteral("DateFrom"));
    DateFrom->setDate(today);
    DateTo = MakeDatePicker(TabArchive, QStringLiteral("DateTo"));
    DateTo->setDate(today);
    ComboCode = new QComboBox(TabArchive);
    ComboCode->setObjectName(QStringLiteral("ComboCode"));
    ComboCode->addItem(QStringLiteral("Все тревоги"), QString());
    for (const TAlarmCondition &condition : AlarmConditions())
        ComboCode->addItem(condition.Code + QStringLiteral(" — ") + condition.Text, condition.Code);
    ComboCode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ButShow = MakeButton(TabArchive, QStringLiteral("ButShow"), QStringLiteral("Показать"));
    connect(ButShow, &QPushButton::clicked, this, &TFormAlarms::LoadArchive);
    for (QWidget *control : std::initializer_list<QWidget *> {DateFrom, DateTo, ComboCode})
        control->installEventFilter(this);
    LabelArchive = new QLabel(TabArchive);
    LabelArchive->setObjectName(QStringLiteral("LabelArchive"));
    GridArchive = MakeGrid(TabArchive, QStringLiteral("GridArchive"), ArchiveColumns());

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Производственные сутки с"), TabArchive));
    top->addWidget(DateFrom);
    top->addWidget(new QLabel(QStringLiteral("по"), TabArchive));
    top->addWidget(DateTo);
    top->addWidget(ComboCode);
    top->addWidget(ButShow);
    top->addWidget(LabelArchive, 1);
    auto *layout = new QVBoxLayout(TabArchive);
    layout->addLayout(top);
    layout->addWidget(GridArchive, 1);
    PageControl->addTab(TabArchive, QStringLiteral("Архив"));
}

bool TFormAlarms::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            LoadArchive();
    }
    return QWidget::eventFilter(watched, event);
}

void TFormAlarms::BindDiagram(QWidget *diagram)
{
    FFrames.Bind(diagram);
    FFrames.Show(Monitor->Table(), Now(), FFlashOn);
}

void TFormAlarms::Refresh()
{
    const TMoment now = Now();
    const QVector<TAlarm> current = Monitor->Table().Current(now);
    QVector<QVector<QVariant>> rows = AlarmRows(current, GridCurrent->Model()->Columns(), now);
    if (rows != FShownRows) {
        // The operator's selection follows its alarm through the new rows.
        const TAlarm *selected = SelectedAlarm();
        const QString code = selected ? selected->Code : QString();
        const TMoment activated = selected ? selected->Activated : 0;
        FShown = current;
        FShownRows = rows;
        GridCurrent->Model()->SetRows(std::move(rows));
        for (int i = 0; i < FShown.size(); ++i) {
            if (!code.isEmpty() && FShown[i].SameActivation(code, activated))
                GridCurrent->selectRow(i);
        }
    }
    if (Monitor->Stored() || !Monitor->Started()) {
        LabelStore->hide();
    } else {
        LabelStore->setText(QStringLiteral("Тревоги не сохраняются на сервере (%1): они "
                                           "вычисляются и видны только на этой станции.")
                                .arg(Monitor->StoreReason()));
        LabelStore->show();
    }
    ShowBanner(now);
    FFrames.Show(Monitor->Table(), now, FFlashOn);
    UpdateButtons();
}

void TFormAlarms::ShowBanner(TMoment now)
{
    const TAlarmTable &table = Monitor->Table();
    TAlarmBanner::TView view;
    view.Unacked = table.UnackedCount(now);
    if (const TAlarm *top = table.Top(now)) {
        view.Text = top->Text;
        view.Color = PriorityColor(top->Priority);
    }
    const QSqlDatabase db = FSource.Database();
    if (!db.isValid() || !db.isOpen())
        view.Link = QStringLiteral("Нет связи с сервером");
    else if (FormMain && FormMain->LinkColor() == LinkRed)
        view.Link = QStringLiteral("Нет связи с системой сбора");
    Banner->SetView(view);

    // A new unacknowledged high-priority alarm is announced once.
    bool announce = false;
    QSet<QString> waiting;
    for (const TAlarm &alarm : table.All()) {
        if (alarm.Priority != TAlarmPriority::High || alarm.Acked() || !alarm.Active()
            || alarm.ShelvedAtMoment(now))
            continue;
        const QString key = alarm.Code + QString::number(MomentSecond(alarm.Activated));
        waiting.insert(key);
        announce = announce || !FBeeped.contains(key);
    }
    FBeeped = waiting;
    if (announce)
        Beep();
}

const TAlarm *TFormAlarms::SelectedAlarm() const
{
    const QModelIndexList rows = GridCurrent->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= FShown.size())
        return nullptr;
    return &FShown[rows.first().row()];
}

void TFormAlarms::UpdateButtons()
{
    const TMoment now = Now();
    const TAlarm *alarm = SelectedAlarm();
    const bool shelved = alarm && alarm->ShelvedAtMoment(now);
    ButAck->setEnabled(alarm && !alarm->Acked() && !shelved);
    ButAckAll->setEnabled(Monitor->Table().UnackedCount(now) > 0);
    ButShelve->setEnabled(alarm && !shelved);
    ButUnshelve->setEnabled(shelved);
}

void TFormAlarms::ButAckClick()
{
    if (const TAlarm *alarm = SelectedAlarm())
        Monitor->Acknowledge(alarm->Code, alarm->Activated);
}

void TFormAlarms::ButAckAllClick()
{
    Monitor->AcknowledgeAll();
}

void TFormAlarms::ButShelveClick()
{
    const TAlarm *alarm = SelectedAlarm();
    if (!alarm)
        return;
    const QString code = alarm->Code;
    const TMoment activated = alarm->Activated;
    int minutes = 0;
    QString reason;
    if (TFormShelve::Ask(this, alarm->Text, minutes, reason))
        Monitor->Shelve(code, activated, minutes, reason);
}

void TFormAlarms::ButUnshelveClick()
{
    if (const TAlarm *alarm = SelectedAlarm())
        Monitor->Unshelve(alarm->Code, alarm->Activated);
}

void TFormAlarms::LoadArchive()
{
    FArchiveLoaded = true;
    TMoment stop = 0;
    ShiftRange(DateTimeToMoment(DateFrom->date().startOfDay()), 3, FArchiveStart, stop);
    ShiftRange(DateTimeToMoment(DateTo->date().startOfDay()), 3, stop, FArchiveStop);
    GridArchive->Model()->Clear();
    const QSqlDatabase db = FSource.Database();
    if (!db.isValid() || !db.isOpen()) {
        LabelArchive->setText(QStringLiteral("Архив недоступен: нет связи с сервером."));
        return;
    }
    TAlarmStore store(db);
    QVector<TAlarm> rows;
    if (store.ReadArchive(FArchiveStart, FArchiveStop, ComboCode->currentData().toString(), rows)
        != TAlarmStore::TResult::Done) {
        LabelArchive->setText(QStringLiteral("Архив недоступен: %1.").arg(store.Reason()));
        return;
    }
    LabelArchive->setText(QStringLiteral("Тревог за период: %1").arg(rows.size()));
    GridArchive->Model()->SetRows(AlarmRows(rows, GridArchive->Model()->Columns(), Now()));
}

QString TFormAlarms::PrintHeader()
{
    const QString format = QStringLiteral("dd.mm.yyyy hh:nn");
    if (PageControl->currentWidget() == TabArchive) {
        FPrintArchive->Substitutions = {
            QStringLiteral("[StartTime]"), FormatDateTime(format, FArchiveStart),
            QStringLiteral("[StopTime]"), FormatDateTime(format, FArchiveStop)};
        return FPrintArchive->HeaderText();
    }
    FPrintCurrent->Substitutions = {QStringLiteral("[Moment]"), FormatDateTime(format, Now())};
    return FPrintCurrent->HeaderText();
}

void TFormAlarms::Print()
{
    if (PageControl->currentWidget() == TabStatistics) {
        TabStatistics->Print();
        return;
    }
    PrintHeader();
    (PageControl->currentWidget() == TabArchive ? FPrintArchive : FPrintCurrent)->Preview(this);
}
