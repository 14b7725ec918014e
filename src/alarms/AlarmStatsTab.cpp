#include "alarms/AlarmStatsTab.h"

#include "app/Connection.h"
#include "app/CsvExport.h"
#include "app/FreshnessLabel.h"
#include "app/Global.h"
#include "app/Pickers.h"
#include "app/Utils.h"
#include "base/Formats.h"
#include "views/DataGrid.h"
#include "views/GridCsv.h"
#include "views/GridPrinter.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QColor MissedColour(255, 200, 200);
const QColor BarColour(0, 90, 160);
const QString MissedMark = QStringLiteral("не выполнена");
const QString MetMark = QStringLiteral("в норме");

// A figure that misses its target is marked on its mark cell.
class TMarkDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data().toString() == MissedMark)
            option->backgroundBrush = MissedColour;
    }
};

const QString PrintHeaderTemplate = QStringLiteral(
    "<p align=\"center\" style=\"margin:0; font-family:'Times New Roman'; font-size:16pt\">"
    "Показатели тревог за период с [StartTime] по [StopTime]</p>"
    "<p align=\"center\" style=\"margin:0\"><img src=\"[Chart]\" width=\"640\" height=\"200\"/>"
    "</p><p style=\"margin:0; font-size:8pt\">&nbsp;</p>");

} // namespace

TAlarmRateChart::TAlarmRateChart(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChartRates"));
    setMinimumHeight(160);
}

void TAlarmRateChart::SetCounts(const QVector<int> &perHour, TMoment start)
{
    FCounts = perHour;
    FStart = start;
    update();
}

void TAlarmRateChart::Render(QPainter &painter, const QRect &area) const
{
    painter.fillRect(area, Qt::white);
    const int most = FCounts.isEmpty() ? 0 : *std::max_element(FCounts.begin(), FCounts.end());
    const QFontMetrics metrics(painter.font());
    const int textHeight = metrics.height();
    const QRect plot = area.adjusted(metrics.horizontalAdvance(QStringLiteral("0000")) + 6, 4, -4,
                                     -textHeight - 4);
    painter.setPen(Qt::black);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawText(
        QRect(area.left(), plot.top() - textHeight / 2, plot.left() - area.left() - 4, textHeight),
        Qt::AlignRight | Qt::AlignVCenter, QString::number(most));
    painter.drawText(QRect(area.left(), plot.bottom() - textHeight / 2,
                           plot.left() - area.left() - 4, textHeight),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0"));
    if (FCounts.isEmpty())
        return;
    const double slot = double(plot.width()) / FCounts.size();
    // A label every few hours, as many as fit.
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("00.00 00:00")) + 8;
    const int step = std::max(1, int(std::ceil(labelWidth / slot)));
    for (int hour = 0; hour < FCounts.size(); ++hour) {
        const int left = plot.left() + int(hour * slot);
        const int right = plot.left() + int((hour + 1) * slot);
        if (most > 0 && FCounts[hour] > 0) {
            const int height = int(std::lround(double(FCounts[hour]) * plot.height() / most));
            painter.fillRect(
                QRect(left, plot.bottom() - height + 1, std::max(1, right - left - 1), height),
                BarColour);
        }
        if (hour % step == 0)
            painter.drawText(
                QRect(left, plot.bottom() + 2, labelWidth, textHeight),
                Qt::AlignLeft | Qt::AlignTop,
                FormatDateTime(step >= 24 ? QStringLiteral("dd.mm") : QStringLiteral("dd.mm hh:nn"),
                               FStart + hour * OneHour));
    }
}

void TAlarmRateChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Render(painter, rect());
}

TAlarmStatsTab::TAlarmStatsTab(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TabStatistics"));
    ComboPeriod = new QComboBox(this);
    ComboPeriod->setObjectName(QStringLiteral("ComboPeriod"));
    ComboPeriod->addItems(
        {QStringLiteral("Сутки"), QStringLiteral("Неделя"), QStringLiteral("Месяц")});
    DatePeriod = MakeDatePicker(this, QStringLiteral("DatePeriod"));
    DatePeriod->setDate(MomentToDateTime(ProductionDayOf(Now())).date());
    ButShow = new QPushButton(QStringLiteral("Показать"), this);
    ButShow->setObjectName(QStringLiteral("ButShowStatistics"));
    connect(ButShow, &QPushButton::clicked, this, &TAlarmStatsTab::Load);
    LabelState = new QLabel(this);
    GridFigures = new TDataGrid(this);
    GridFigures->setObjectName(QStringLiteral("GridFigures"));
    GridFigures->SetColumns({{QStringLiteral("Name"), QStringLiteral("Показатель"), 420},
                             {QStringLiteral("Value"), QStringLiteral("Значение"), 200},
                             {QStringLiteral("Target"), QStringLiteral("Цель"), 300},
                             {QStringLiteral("Mark"), QStringLiteral("Оценка"), 120}});
    GridFigures->SetRowLines(2);
    GridFigures->setItemDelegateForColumn(3, new TMarkDelegate(GridFigures));
    InstallCsvExport(
        GridFigures, [this] { return GridCsvRows(*GridFigures->Model()); },
        [this] {
            return QStringLiteral("alarm_rates")
                + FormatDateTime(QStringLiteral("_yyyy-mm-dd"), FStart);
        });
    Chart = new TAlarmRateChart(this);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Период"), this));
    top->addWidget(ComboPeriod);
    top->addWidget(new QLabel(QStringLiteral("по производственные сутки"), this));
    top->addWidget(DatePeriod);
    top->addWidget(ButShow);
    top->addWidget(LabelState, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(GridFigures, 1);
    layout->addWidget(Chart);

    FPrinter = std::make_unique<TGridPrinter>(GridFigures);
    FPrinter->Header = PrintHeaderTemplate;
}

TAlarmStatsTab::~TAlarmStatsTab() = default;

void TAlarmStatsTab::Load()
{
    if (!SQLConnection1().Connected()) {
        LabelState->setText(QStringLiteral("Данные не загружены: ")
                            + TFreshnessLabel::NoLinkReason());
        return;
    }
    const QDate day = DatePeriod->date();
    StatsPeriodRange(EncodeMoment(day.year(), day.month(), day.day()),
                     static_cast<TStatsPeriod>(ComboPeriod->currentIndex()), FStart, FStop);
    QString error;
    if (!ReadAlarmRates(SQLConnection1().Database(), FStart, FStop, Now(), FFigures, error)) {
        LabelState->setText(QStringLiteral("Данные не загружены: ") + error);
        return;
    }
    QVector<QVector<QVariant>> rows;
    for (const TFigureRow &row : FigureRows(FFigures))
        rows.append({row.Name, row.Value, row.Target,
                     !row.Judged      ? QStringLiteral("—")
                         : row.Missed ? MissedMark
                                      : MetMark});
    GridFigures->Model()->SetRows(std::move(rows));
    Chart->SetCounts(FFigures.PerHour, FStart);
    LabelState->setText(QStringLiteral("Всего тревог: %1").arg(FFigures.Total));
}

QString TAlarmStatsTab::PrintHeader()
{
    QImage picture(1280, 400, QImage::Format_RGB32);
    {
        QPainter painter(&picture);
        QFont font = painter.font();
        font.setPixelSize(16);
        painter.setFont(font);
        Chart->Render(painter, picture.rect());
    }
    const QString path = QDir(TempDir.isEmpty() ? QDir::tempPath() : TempDir)
                             .absoluteFilePath(QStringLiteral("alarm_rates.png"));
    picture.save(path);
    const QString format = QStringLiteral("dd.mm.yyyy hh:nn");
    FPrinter->Substitutions = {QStringLiteral("[StartTime]"), FormatDateTime(format, FStart),
                               QStringLiteral("[StopTime]"),  FormatDateTime(format, FStop),
                               QStringLiteral("[Chart]"),     QUrl::fromLocalFile(path).toString()};
    return FPrinter->HeaderText();
}

void TAlarmStatsTab::Print()
{
    PrintHeader();
    FPrinter->Preview(this);
}
