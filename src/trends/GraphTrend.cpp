#include "GraphTrend.h"

#include "GraphEditor.h"
#include "TrendLayout.h"
#include "TrendLoader.h"
#include "TrendPrint.h"
#include "TrendRange.h"
#include "app/Connection.h"
#include "app/CsvExport.h"
#include "app/DayFollower.h"
#include "app/EventLog.h"
#include "app/FreshnessLabel.h"
#include "app/Global.h"
#include "app/Layout.h"
#include "app/Main.h"
#include "app/Pickers.h"
#include "app/Utils.h"
#include "base/Csv.h"
#include "base/Formats.h"
#include "base/IniFile.h"
#include "charts/LevelGraph.h"
#include "elements/Arrow.h"
#include "elements/Label.h"
#include "elements/OutField.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <stdexcept>

namespace {

const QString CursorTimeFormat = QStringLiteral("dd.mm.yyyy hh:nn:ss");

// Losslessly, so a limit read back is the limit written.
QString LimitText(double value)
{
    return QString::number(value, 'g', 17);
}

qint64 WholeSeconds(TMoment moment)
{
    return std::llround(moment * 86400);
}

TMoment DateMoment(const QDate &date)
{
    return EncodeMoment(date.year(), date.month(), date.day());
}

} // namespace

TFormGraphTrend::TFormGraphTrend(const TTrendWindowDef &def, QWidget *parent)
    : QWidget(parent)
    , FDef(def)
{
    setObjectName(def.ObjectName);
    setWindowTitle(def.Title);
    setAutoFillBackground(true);
    CreateControls();

    // 1. The working day that holds the present, both shifts; kept on it while the operator has
    // not chosen another day. The first showing with an open link loads.
    ComboBox1->setCurrentIndex(2);
    FFollower = new TDayFollower(DateTimePicker1, ComboBox1);
    connect(FFollower, &TDayFollower::Moved, this, &TFormGraphTrend::Reload);
    Day = DateMoment(DateTimePicker1->date()); // a report before the first load is dated
    // 2. The layout and limits file.
    const QString configFolder = QDir::current().filePath(QStringLiteral("config"));
    QDir().mkpath(configFolder);
    IniPath = QDir(configFolder).filePath(def.IniName);
    // 4, 5. Elements, limits, legend pens.
    ApplyLayout();
    LoadLimits();
    ApplyLegendPens();

    connect(&LayoutNotifier(), &TLayoutNotifier::SetupModeChanged, this,
            &TFormGraphTrend::ApplyLayout);

    TimerUpdate = new QTimer(this);
    TimerUpdate->setObjectName(QStringLiteral("TimerUpdate"));
    TimerUpdate->setInterval(UpdateInterval);
    connect(TimerUpdate, &QTimer::timeout, this, &TFormGraphTrend::TimerUpdateTimer);
    TimerUpdate->start();

    if (FormMain)
        connect(FormMain, &TFormMain::LinkOpened, this, [this] {
            if (FFirstShowDone)
                Reload();
        });

    if (FormMain && def.PrintAction) {
        QAction *print = FormMain->*def.PrintAction;
        connect(print, &QAction::triggered, this, [this] { Print(); });
        print->setEnabled(true);
    }
}

TFormGraphTrend::~TFormGraphTrend()
{
    SaveLimits();
}

// ------------------------------------------------------------------------------ controls

void TFormGraphTrend::CreateControls()
{
    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedHeight(36);
    auto *top = new QHBoxLayout(PanelTop);
    top->setContentsMargins(6, 2, 6, 2);
    LabelLeft = new TLabel(PanelTop);
    LabelLeft->setObjectName(QStringLiteral("LabelLeft"));
    LabelLeft->setFixedWidth(10);
    LabelTop = new TLabel(PanelTop);
    LabelTop->setObjectName(QStringLiteral("LabelTop"));
    LabelTop->setText(FDef.Title);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(17);
    titleFont.setBold(true);
    LabelTop->setFont(titleFont);
    PanelTopRight = new QWidget(PanelTop);
    PanelTopRight->setObjectName(QStringLiteral("PanelTopRight"));
    auto *right = new QHBoxLayout(PanelTopRight);
    right->setContentsMargins(0, 0, 0, 0);
    ComboBox1 = new QComboBox(PanelTopRight);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(TrendRangeNames());
    DateTimePicker1 = MakeDatePicker(PanelTopRight, QStringLiteral("DateTimePicker1"));
    right->addWidget(ComboBox1);
    right->addWidget(DateTimePicker1);
    top->addWidget(LabelLeft);
    LabelFreshness = new TFreshnessLabel(PanelTop);
    top->addWidget(LabelTop, 1);
    top->addWidget(LabelFreshness);
    top->addSpacing(8);
    top->addWidget(PanelTopRight);
    // Off-screen: only Enter reaches it.
    ButReload = new QPushButton(QStringLiteral("Обновить"), this);
    ButReload->setObjectName(QStringLiteral("ButReload"));
    ButReload->setGeometry(-200, -200, 75, 25);
    connect(ButReload, &QPushButton::clicked, this, &TFormGraphTrend::Reload);
    FComponents << PanelTop << LabelLeft << LabelTop << PanelTopRight << ComboBox1
                << DateTimePicker1 << ButReload;

    QList<TTrendSource> sources;
    for (int i = 0; i < FDef.Charts.size() && i < MaxCharts; ++i) {
        Charts << CreateChart(FDef.Charts.at(i), i);
        const QStringList &columns = FDef.Charts.at(i).Columns;
        for (int g = 0; g < columns.size(); ++g)
            sources.append({Charts.last(), g, columns.at(g)});
    }
    FLoader = std::make_unique<TTrendLoader>(sources);

    if (FDef.Divider) {
        CreateDividerPanel();
    } else {
        PopupMenu1 = new QMenu(this);
        PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
        CmdShowSatellite = PopupMenu1->addAction(QStringLiteral("Показать цифровые значения"));
        CmdShowSatellite->setObjectName(QStringLiteral("CmdShowSatellite"));
        connect(CmdShowSatellite, &QAction::triggered, this,
                &TFormGraphTrend::CmdShowSatelliteClick);
    }

    FLayout = std::make_unique<TTrendLayout>(FDef, this, PanelTop, PanelBottom, Charts);

    WaitPanel = new QLabel(QStringLiteral("Дождитесь загрузки данных"), this);
    WaitPanel->setObjectName(QStringLiteral("WaitPanel"));
    WaitPanel->setAlignment(Qt::AlignCenter);
    WaitPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    WaitPanel->setLineWidth(2);
    WaitPanel->setAutoFillBackground(true);
    QFont waitFont(QStringLiteral("Arial"));
    waitFont.setPixelSize(16);
    waitFont.setBold(true);
    WaitPanel->setFont(waitFont);
    WaitPanel->resize(320, 60);
    WaitPanel->hide();
    FComponents << WaitPanel;
}

TLevelGraph *TFormGraphTrend::CreateChart(const TTrendChartDef &def, int position)
{
    auto *chart = new TLevelGraph(this);
    chart->setObjectName(def.Name); // before the pens file, whose sections are chart names
    chart->SetIniName(QStringLiteral(".\\GraphColors.INI"));
    chart->SetDataStep(OneMinute);
    chart->SetArraySize(3000);
    chart->SetScaleXFormat(QStringLiteral("hh:mm"));
    chart->SetScaleYFormat(QStringLiteral("###0"));
    chart->SetMinXLabel(true);
    chart->SetMaxXLabel(true);
    chart->SetEnablePresentArray(true);
    chart->SetShowCursor(true);
    chart->SetShowBorder(true);
    chart->LabelNetPen().SetStyle(psDot);
    chart->BorderPen().SetWidth(2);
    chart->SetBestNetLineCount(4);
    chart->SetXLabelStep(2 * OneHour);
    chart->SetGraphCount(def.GraphCount);
    chart->SetYMax(def.YMax);
    chart->SetYMin(def.YMin);
    chart->SetYLabelStep(def.YLabelStep);
    chart->SetGraphTop(TrendTitleHeight + 6);
    TMoment start = 0, stop = 0;
    if (ShiftRange(ProductionDayOf(Now()), 3, start, stop)) {
        chart->SetNewStartTime(start);
        chart->SetNewStopTime(stop);
        chart->SetNewCursorTime((start + stop) / 2);
        chart->SetNewIntervalAccepted(true);
    }
    InstallCsvExport(
        chart, [this, position] { return CsvRows(position); },
        [this, chart] {
            return chart->objectName()
                + FormatDateTime(QStringLiteral("_yyyy-mm-dd_hh-nn"), RangeStart);
        });
    // The window decides what the right button offers (the settings in the setup mode, else the
    // window's menu with the chart's items), so the chart does not open a menu of its own.
    chart->setContextMenuPolicy(Qt::DefaultContextMenu);
    if (FDef.Divider)
        chart->SetOnChange([this](TLevelGraph *sender) { LevelGraphDSUSChange(sender); });
    else
        chart->SetOnChange([this](TLevelGraph *sender) { OnCursorMove(sender); });
    chart->SetOnZoom([this](TLevelGraph *sender) { OnChartZoom(sender); });
    FComponents << chart;

    auto *title = new TLabel(chart);
    title->setObjectName(QStringLiteral("LabelTitle%1").arg(def.TitleLabel));
    title->setText(def.Title);
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->move(chart->GetGraphLeft(), 4);
    title->adjustSize();
    FComponents << title;

    if (def.ZoomButton > 0) {
        auto *zoom = new QToolButton(chart);
        zoom->setObjectName(QStringLiteral("SButGraphZoom%1").arg(def.ZoomButton));
        zoom->setText(QStringLiteral("[]"));
        zoom->setToolTip(QStringLiteral("Развернуть график на весь экран"));
        zoom->setProperty("Tag", position);
        zoom->resize(25, 22);
        connect(zoom, &QToolButton::clicked, this,
                [this, zoom] { InverseZoom(zoom->property("Tag").toInt()); });
        ZoomButtons << zoom;
        FComponents << zoom;
    }

    // Named after the chart's position, as the legend pens look them up.
    for (int g = 0; g < def.Legend.size(); ++g) {
        const QString suffix = QStringLiteral("%1%2").arg(position + 1).arg(g + 1);
        auto *arrow = new TArrow(chart);
        arrow->setObjectName(QStringLiteral("ArrowLegend") + suffix);
        arrow->SetArrowWidth(3);
        arrow->SetEdgeLength(0);
        arrow->SetColor(def.Legend.at(g).Color);
        arrow->resize(36, 12);
        auto *label = new TLabel(chart);
        label->setObjectName(QStringLiteral("LabelLegend") + suffix);
        label->setText(def.Legend.at(g).Caption);
        QFont legendFont(QStringLiteral("Arial"));
        legendFont.setPixelSize(13);
        label->setFont(legendFont);
        label->adjustSize();
        label->resize(80, label->height());
        FComponents << arrow << label;
    }
    return chart;
}

void TFormGraphTrend::CreateDividerPanel()
{
    PanelBottom = new QWidget(this);
    PanelBottom->setObjectName(QStringLiteral("PanelBottom"));
    PanelBottom->setFixedHeight(44);
    PanelBottomLeft = new QWidget(PanelBottom);
    PanelBottomLeft->setObjectName(QStringLiteral("PanelBottomLeft"));
    PanelBottomCenter = new QWidget(PanelBottom);
    PanelBottomCenter->setObjectName(QStringLiteral("PanelBottomCenter"));
    PanelBottomRight = new QWidget(PanelBottom);
    PanelBottomRight->setObjectName(QStringLiteral("PanelBottomRight"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    font.setBold(true);
    auto makeLabel = [&](const char *name, const QString &caption, int x, int w) {
        auto *label = new TLabel(PanelBottomCenter);
        label->setObjectName(QLatin1String(name));
        label->setText(caption);
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(x, 8, w, 28);
        return label;
    };
    auto makeField = [&](const char *name, int x, int w) {
        auto *field = new TOutField(PanelBottomCenter);
        field->setObjectName(QLatin1String(name));
        field->Font().SetName(QStringLiteral("Arial"));
        field->Font().SetHeight(-15);
        field->Font().SetStyle(fsBold);
        field->Pen().SetWidth(2);
        field->setGeometry(x, 8, w, 28);
        return field;
    };
    TLabel *labelTime = makeLabel("LabelCurTime", QStringLiteral("Дата, время:"), 0, 110);
    OutFieldCurTime = makeField("OutFieldCurTime", 114, 180);
    TLabel *labelValue =
        makeLabel("LabelCursorVal", QStringLiteral("Положение делителя потока:"), 300, 240);
    OutFieldCursorVal = makeField("OutFieldCursorVal", 544, 80);
    // An empty slot reads -1: blank, as the other readouts show it; 0 still reads "0.0".
    OutFieldCursorVal->SetOutFormat(QStringLiteral("##0.0; ;0.0"));
    OutFieldCursorVal->SetOutValue(-1); // nothing loaded yet
    FComponents << PanelBottom << PanelBottomLeft << PanelBottomCenter << PanelBottomRight
                << labelTime << OutFieldCurTime << labelValue << OutFieldCursorVal;
}

TLevelGraph *TFormGraphTrend::ChartAt(const QPoint &globalPos) const
{
    for (QWidget *w = childAt(mapFromGlobal(globalPos)); w; w = w->parentWidget())
        if (auto *chart = qobject_cast<TLevelGraph *>(w); chart && Charts.contains(chart))
            return chart;
    return nullptr;
}

QList<QStringList> TFormGraphTrend::CsvRows(int position) const
{
    const TLevelGraph *chart = Charts.value(position);
    if (!chart)
        return {};
    const TTrendChartDef &def = FDef.Charts.at(position);
    QStringList titles {QStringLiteral("Время")};
    // A curve is named by the chart's title (its padding trimmed) and its legend caption, a
    // single curve by the title alone.
    const QString title = def.Title.trimmed();
    for (int g = 0; g < chart->GetGraphCount(); ++g)
        titles << (g < def.Legend.size() ? title + QStringLiteral(": ") + def.Legend.at(g).Caption
                                         : title);
    QList<QStringList> rows {titles};
    const int slotCount = chart->Geometry().StoredPointCount();
    for (int slot = 0; slot < slotCount; ++slot) {
        QStringList cells {FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"),
                                          chart->GetStartTime() + slot * chart->GetDataStep())};
        for (int g = 0; g < chart->GetGraphCount(); ++g)
            cells << CsvNumber(chart->SlotValue(g, slot));
        rows << cells;
    }
    return rows;
}

TLevelGraph *TFormGraphTrend::FindChart(const QString &name) const
{
    for (TLevelGraph *chart : Charts)
        if (chart->objectName() == name)
            return chart;
    return nullptr;
}

// --------------------------------------------------------------------- layout and limits

void TFormGraphTrend::ApplyLayout()
{
    ::ApplyLayout(this, FComponents, IniPath);
    for (TLevelGraph *chart : std::as_const(Charts)) {
        if (InteractiveSetup)
            chart->SetOnMouseDown([this](TLevelGraph *sender, Qt::MouseButton button,
                                         Qt::KeyboardModifiers, int,
                                         int) { OnLevelGraphMouseDown(sender, button); });
        else
            chart->SetOnMouseDown({});
    }
}

void TFormGraphTrend::OnLevelGraphMouseDown(TLevelGraph *sender, Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        EditChartSettings(sender);
}

void TFormGraphTrend::LoadLimits()
{
    const TIniFile ini(IniPath);
    for (TLevelGraph *chart : std::as_const(Charts)) {
        const QString section = chart->objectName() + QStringLiteral("Limits");
        chart->SetYMin(ini.ReadFloat(section, QStringLiteral("YMin"), chart->GetYMin()));
        chart->SetYMax(ini.ReadFloat(section, QStringLiteral("YMax"), chart->GetYMax()));
        chart->SetYLabelStep(
            ini.ReadFloat(section, QStringLiteral("YLabelStep"), chart->GetYLabelStep()));
        if (chart->GetShowRightScale()) {
            chart->SetRightYMin(
                ini.ReadFloat(section, QStringLiteral("RightYMin"), chart->GetRightYMin()));
            chart->SetRightYMax(
                ini.ReadFloat(section, QStringLiteral("RightYMax"), chart->GetRightYMax()));
            chart->SetRightScaleStep(ini.ReadFloat(section, QStringLiteral("RightScaleStep"),
                                                   chart->GetRightScaleStep()));
        }
    }
}

void TFormGraphTrend::SaveLimits()
{
    TIniFile ini(IniPath);
    for (TLevelGraph *chart : std::as_const(Charts)) {
        const QString section = chart->objectName() + QStringLiteral("Limits");
        ini.WriteString(section, QStringLiteral("YMin"), LimitText(chart->GetYMin()));
        ini.WriteString(section, QStringLiteral("YMax"), LimitText(chart->GetYMax()));
        ini.WriteString(section, QStringLiteral("YLabelStep"), LimitText(chart->GetYLabelStep()));
        if (chart->GetShowRightScale()) {
            ini.WriteString(section, QStringLiteral("RightYMin"), LimitText(chart->GetRightYMin()));
            ini.WriteString(section, QStringLiteral("RightYMax"), LimitText(chart->GetRightYMax()));
            ini.WriteString(section, QStringLiteral("RightScaleStep"),
                            LimitText(chart->GetRightScaleStep()));
        }
    }
}

void TFormGraphTrend::ApplyLegendPens()
{
    // One pen carried from chart to chart, as the legend arrows leave it.
    TPen pen;
    if (FDef.Divider) {
        pen.SetColor(TColor(0xFF0000));
        pen.SetWidth(2);
    }
    for (int c = 0; c < Charts.size(); ++c) {
        TLevelGraph *chart = Charts.at(c);
        if (!FDef.Divider)
            pen.SetColor(clRed);
        chart->SetGraphPen(0, pen);
        for (int g = 1; g <= 5; ++g) {
            auto *arrow = findChild<TArrow *>(QStringLiteral("ArrowLegend%1%2").arg(c + 1).arg(g));
            if (!arrow)
                break;
            pen.SetWidth(arrow->GetArrowWidth());
            pen.SetColor(arrow->GetColor());
            chart->SetGraphPen(g - 1, pen);
        }
    }
}

void TFormGraphTrend::NormalLayout()
{
    FLayout->Normal();
    Zoomed.fill(false);
}

void TFormGraphTrend::InverseZoom(int ix)
{
    if (ix < 0 || ix >= MaxCharts || ix >= Charts.size())
        return;
    try {
        if (Zoomed[ix]) {
            NormalLayout();
            return;
        }
        FLayout->BlowUp(ix);
        // Only the chart in front counts as blown up, so its button always brings the normal
        // layout back.
        Zoomed.fill(false);
        Zoomed[ix] = true;
    } catch (const std::exception &) {
        PostEvent(Where("InverseZoom( int ix )"));
    }
}

void TFormGraphTrend::FormResize()
{
    FLayout->Resize();
    WaitPanel->move((width() - WaitPanel->width()) / 2, (height() - WaitPanel->height()) / 2);
    PanelBottomResize();
}

void TFormGraphTrend::PanelBottomResize()
{
    if (!PanelBottom)
        return;
    const int side = std::max((PanelBottom->width() - 630) / 2, 0);
    const int h = PanelBottom->height();
    PanelBottomLeft->setGeometry(0, 0, side, h);
    PanelBottomCenter->setGeometry(side, 0, 630, h);
    PanelBottomRight->setGeometry(side + 630, 0, side, h);
}

void TFormGraphTrend::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TFormGraphTrend::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (FFirstShowDone)
        return;
    FFirstShowDone = true;
    // After the frame has given the window its size.
    QTimer::singleShot(0, this, [this] {
        if (Zoomed == decltype(Zoomed) {})
            NormalLayout();
        if (SQLConnection1().Connected())
            Reload();
    });
}

void TFormGraphTrend::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ButReload->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormGraphTrend::contextMenuEvent(QContextMenuEvent *event)
{
    // In the setup mode the right button belongs to the chart settings.
    if (InteractiveSetup)
        return;
    TLevelGraph *chart = ChartAt(event->globalPos());
    if (!chart) {
        if (PopupMenu1)
            PopupMenu1->popup(event->globalPos());
        return;
    }
    // Over a chart the window's items come with the chart's own (its CSV export).
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("ChartMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (PopupMenu1)
        menu->addActions(PopupMenu1->actions());
    menu->addActions(chart->actions());
    menu->popup(event->globalPos());
}

// ------------------------------------------------------------------------------- loading

QString TFormGraphTrend::Where(const char *method) const
{
    return QStringLiteral("Ошибка в %1::%2")
        .arg(QLatin1String(metaObject()->className()), QLatin1String(method));
}

void TFormGraphTrend::Reload()
{
    ReloadRequested = false;
    ShiftNo = ComboBox1->currentIndex() + 1;
    if (ShiftNo < RangeFirstShift || ShiftNo > RangeMonth) {
        ComboBox1->setCurrentIndex(2);
        ShiftNo = 3;
    }
    if (Loading)
        return;
    Loading = true;
    try {
        Day = DateMoment(DateTimePicker1->date());
        if (!TrendSpan(Day, ShiftNo, FSpan)) {
            Loading = false;
            return;
        }
        RangeStart = FSpan.Start;
        RangeStop = FSpan.Stop;
        for (TLevelGraph *chart : std::as_const(Charts)) {
            chart->SetSecondStep(FSpan.SlotSeconds);
            chart->SetScaleXFormat(FSpan.LabelFormat);
        }
        FLoader->SetRange(RangeStart, RangeStop, FSpan.LabelStep);
        LastLoaded = RangeStart - OneMinute;
        FHasRecords = false;
        WaitPanel->show();
        WaitPanel->raise();
        QCoreApplication::processEvents();
        FHasRecords = LoadRecords(RangeStart) > 0;
        FLoader->Finish();
        LabelFreshness->Loaded(FHasRecords);
    } catch (const TTrendLoadError &error) {
        LabelFreshness->Failed(error.Reason);
        PostEvent(Where("Reload()"));
    } catch (const std::exception &) {
        PostEvent(Where("Reload()"));
    }
    ShowDividerReadout();
    WaitPanel->hide();
    Loading = false;
}

int TFormGraphTrend::LoadRecords(TMoment from)
{
    return FSpan.Extremes() ? LoadSlotExtremes(*FLoader, FSpan, from, RangeStop, LastLoaded)
                            : FLoader->Load(from, RangeStop, LastLoaded);
}

void TFormGraphTrend::CheckForUpdates()
{
    if (Loading)
        return;
    Loading = true;
    try {
        // Never from before the range: in a range that loaded empty, the previous shift's last
        // record would land in the first slot.
        if (LoadRecords(std::max(LastLoaded, RangeStart)) > 0)
            FHasRecords = true;
        FLoader->Finish();
        LabelFreshness->Loaded(FHasRecords);
    } catch (const TTrendLoadError &error) {
        LabelFreshness->Failed(error.Reason);
        PostEvent(Where("CheckForUpdates()."));
    } catch (const std::exception &) {
        PostEvent(Where("CheckForUpdates()."));
    }
    ShowDividerReadout();
    WaitPanel->hide();
    Loading = false;
}

void TFormGraphTrend::TimerUpdateTimer()
{
    if (!FormMain || !SQLConnection1().Connected() || TimerBusy)
        return;
    TimerBusy = true;
    try {
        if (TickCount++ == 4)
            ReloadRequested = true;
        // In whole seconds: the range's ends and the clock differ in the last bits.
        const qint64 now = WholeSeconds(Now());
        if (ReloadRequested)
            Reload();
        else if (now > WholeSeconds(RangeStart) && now < WholeSeconds(RangeStop)
                 && now - WholeSeconds(LastLoaded) > 60)
            CheckForUpdates();
    } catch (const std::exception &) {
        PostEvent(Where("TimerUpdateTimer"));
    }
    TimerBusy = false;
}

// -------------------------------------------------------------------- cursor and readouts

void TFormGraphTrend::OnCursorMove(TLevelGraph *sender)
{
    if (!sender)
        return;
    for (TLevelGraph *chart : std::as_const(Charts))
        if (chart != sender)
            chart->SetCursorTime(sender->GetCursorTime());
}

void TFormGraphTrend::ShowDividerReadout()
{
    if (FDef.Divider && !Charts.isEmpty())
        LevelGraphDSUSChange(Charts.first());
}

void TFormGraphTrend::OnChartZoom(TLevelGraph *sender)
{
    for (TLevelGraph *chart : std::as_const(Charts))
        if (chart != sender)
            chart->SetView(sender->View());
}

void TFormGraphTrend::LevelGraphDSUSChange(TLevelGraph *sender)
{
    if (!sender || !OutFieldCursorVal)
        return;
    const TMoment t = sender->GetCursorTime();
    OutFieldCursorVal->SetOutValue(sender->GetPoint(0, t));
    const QString text = FormatDateTime(CursorTimeFormat, t);
    // A date-time is no number picture: quoted, the text is shown as it is.
    OutFieldCurTime->SetOutFormat(QLatin1Char('"') + text + QLatin1Char('"'));
    OutFieldCurTime->SetCaption(text);
}

void TFormGraphTrend::CmdShowSatelliteClick()
{
    if (!FSatellite)
        FSatellite = CreateSatellite();
    if (FSatellite) {
        FSatellite->show();
        FSatellite->raise();
    }
}

// ------------------------------------------------------------------------------ printing

QStringList TFormGraphTrend::PicturePaths() const
{
    return TrendPicturePaths(*this);
}

void TFormGraphTrend::DrawLegend(TLevelGraph *chart, QImage &image) const
{
    DrawTrendLegend(FComponents, chart, image);
}

bool TFormGraphTrend::Print()
{
    return PrintTrendWindow(*this);
}
