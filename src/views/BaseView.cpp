#include "views/BaseView.h"

#include "app/Connection.h"
#include "app/CsvExport.h"
#include "app/Pickers.h"
#include "app/Utils.h"
#include "base/Feedback.h"
#include "base/Formats.h"
#include "base/Style.h"
#include "views/DataGrid.h"
#include "views/GridCsv.h"
#include "views/GridPrinter.h"
#include "views/PagedGridModel.h"

#include <QAction>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeEdit>
#include <QVBoxLayout>

TFormBaseView *FormBaseView = nullptr;

namespace {

const int PanelTopHeight = 41;

QVector<TGridColumn> RecordColumns()
{
    const Qt::Alignment number = Qt::AlignRight | Qt::AlignVCenter;
    const QString tasks = QStringLiteral("Задания|");
    QVector<TGridColumn> columns {
        {QStringLiteral("RecMoment"), QStringLiteral("Дата, время"), 170},
    };
    const std::pair<const char *, int> fields[] = {
        {"PLS", 80},   {"PLSZ", 80},  {"URKS", 65},  {"URNS", 65},   {"VODA1", 65}, {"VODA2", 65},
        {"DSUS", 65},  {"TNK41", 80}, {"TNK23", 80}, {"TNK2", 80},   {"G41", -1},   {"G_1T41", 70},
        {"G2", -1},    {"G_1T2", -1}, {"G23", -1},   {"G_1T23", -1}, {"BKK41", 55}, {"BKK2", 55},
        {"BKK23", 55}, {"RAB", 55},   {"RN", 55},    {"VPIT", -1},   {"TNZ", -1},
    };
    for (const auto &[field, width] : fields)
        columns.append({QString::fromLatin1(field), QString(), width, number});
    columns.append({QStringLiteral("_PLSZ"), tasks + QStringLiteral("PLSZ"), 80, number});
    columns.append({QStringLiteral("_TNZ"), tasks + QStringLiteral("URNSZ"), 80, number});
    columns.append({QStringLiteral("_TNK23"), tasks + QStringLiteral("_TNK23"), -1, number});
    return columns;
}

QLabel *MakeLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TFormBaseView::TFormBaseView(QWidget *parent)
    : QWidget(parent)
{
    if (!FormBaseView)
        FormBaseView = this;
    InstallFontSubstitutes();
    setObjectName(QStringLiteral("FormBaseView"));
    setWindowTitle(QStringLiteral("Просмотр базы данных"));

    PanelTop = new QWidget(this);
    PanelTop->setObjectName(QStringLiteral("PanelTop"));
    PanelTop->setFixedHeight(PanelTopHeight);
    Label1 = MakeLabel(QStringLiteral("Label1"), QStringLiteral("Интервал просмотра:"), PanelTop);
    Label1->setWordWrap(true);
    Label2 = MakeLabel(QStringLiteral("Label2"), QStringLiteral("от:"), PanelTop);
    Label3 = MakeLabel(QStringLiteral("Label3"), QStringLiteral("до:"), PanelTop);
    auto makeTime = [this](const QString &name, QTime time) {
        auto *picker = new QTimeEdit(time, PanelTop);
        picker->setObjectName(name);
        picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        return picker;
    };
    DateTimePicker1 = MakeDatePicker(PanelTop, QStringLiteral("DateTimePicker1"));
    DateTimePicker2 = makeTime(QStringLiteral("DateTimePicker2"), QTime(0, 0, 0));
    DateTimePicker3 = MakeDatePicker(PanelTop, QStringLiteral("DateTimePicker3"));
    DateTimePicker4 = makeTime(QStringLiteral("DateTimePicker4"), QTime(23, 59, 59));
    ButLoad = new QPushButton(QStringLiteral("Загрузить"), PanelTop);
    ButLoad->setObjectName(QStringLiteral("ButLoad"));
    ButLoad->setDefault(true);
    connect(ButLoad, &QPushButton::clicked, this, &TFormBaseView::Load);
    ButStop = new QPushButton(QStringLiteral("Стоп"), PanelTop);
    ButStop->setObjectName(QStringLiteral("ButStop"));
    ButStop->setEnabled(false);
    connect(ButStop, &QPushButton::clicked, this, &TFormBaseView::StopLoad);
    LabelRows = MakeLabel(QStringLiteral("LabelRows"), QString(), PanelTop);

    auto *top = new QHBoxLayout(PanelTop);
    top->setContentsMargins(8, 2, 8, 2);
    top->addWidget(Label1);
    top->addSpacing(8);
    top->addWidget(Label2);
    top->addWidget(DateTimePicker1);
    top->addWidget(DateTimePicker2);
    top->addSpacing(12);
    top->addWidget(Label3);
    top->addWidget(DateTimePicker3);
    top->addWidget(DateTimePicker4);
    top->addSpacing(12);
    top->addWidget(ButLoad);
    top->addWidget(ButStop);
    top->addSpacing(12);
    top->addWidget(LabelRows);
    top->addStretch(1);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    FRecords = new TPagedGridModel(QStringLiteral("pu_data"));
    connect(FRecords, &TPagedGridModel::Counted, this, &TFormBaseView::ShowRows);
    connect(FRecords, &TPagedGridModel::CountingEnded, this, &TFormBaseView::CountingEnded);
    Grid = new TDataGrid(FRecords);
    Grid->setObjectName(QStringLiteral("DBGrid1"));
    QFont courier(QStringLiteral("Courier New"));
    courier.setBold(true);
    Grid->setFont(courier);
    Grid->SetFrozenFirstColumn(true);
    Grid->SetColumns(RecordColumns());
    InstallCsvExport(
        Grid,
        [this](const QString &path, QString *error) {
            return WriteRangeCsv(this, *FRecords, path, error);
        },
        [this] {
            return QStringLiteral("kv512_")
                + FormatDateTime(QStringLiteral("yyyy-mm-dd_hh-nn"), StartMoment());
        });
    auto *print = new QAction(QStringLiteral("Печать..."), Grid);
    print->setObjectName(QStringLiteral("ActionPrintRecords"));
    connect(print, &QAction::triggered, this, &TFormBaseView::Print);
    Grid->addAction(print);
    PageControl1->addTab(Grid, QStringLiteral("Основная база данных"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelTop);
    layout->addWidget(PageControl1, 1);
}

TFormBaseView::~TFormBaseView()
{
    if (FormBaseView == this)
        FormBaseView = nullptr;
}

namespace {
// The day's number and the picked time of day, without passing through the day's first local
// instant, which a daylight-saving change at midnight moves to 01:00.
TMoment PickedMoment(const QDateEdit *date, const QTimeEdit *time)
{
    const QDate day = date->date();
    return EncodeMoment(day.year(), day.month(), day.day())
        + time->time().msecsSinceStartOfDay() * OneMillisecond;
}

const QString NoLink = QStringLiteral("Нет связи с сервером базы данных.");
} // namespace

TMoment TFormBaseView::StartMoment() const
{
    return PickedMoment(DateTimePicker1, DateTimePicker2);
}

TMoment TFormBaseView::StopMoment() const
{
    return PickedMoment(DateTimePicker3, DateTimePicker4);
}

void TFormBaseView::Load()
{
    QString error;
    const bool linked = SQLConnection1().Connected();
    // The driver says nothing about a link that is closed.
    if (!FRecords->Load(SQLConnection1().Database(), StartMoment(), StopMoment(), &error)
        || !linked) {
        LabelRows->clear();
        ButStop->setEnabled(false);
        ShowError(error.isEmpty() || !linked ? NoLink : error);
        return;
    }
    ButStop->setEnabled(FRecords->Counting());
    ShowRows();
    // The keys move from the first record on, Ctrl+End included.
    if (FRecords->rowCount() > 0)
        Grid->setCurrentIndex(FRecords->index(0, 0));
}

void TFormBaseView::StopLoad()
{
    FRecords->Stop();
}

void TFormBaseView::CountingEnded(bool, const QString &error)
{
    ButStop->setEnabled(false);
    ShowRows();
    if (!error.isEmpty())
        ShowError(error);
}

void TFormBaseView::ShowRows()
{
    const QString rows = QString::number(FRecords->rowCount());
    if (FRecords->Counting())
        LabelRows->setText(QStringLiteral("Подсчёт записей: ") + rows + QStringLiteral("..."));
    else if (FRecords->Complete())
        LabelRows->setText(QStringLiteral("Записей: ") + rows);
    else
        LabelRows->setText(QStringLiteral("Загрузка остановлена, записей: ") + rows);
}

void TFormBaseView::SetUpPrinter(TGridPrinter &printer) const
{
    printer.Orientation = QPageLayout::Landscape;
    printer.Header = QStringLiteral("<p align=center style=\"font-family:'Times New Roman'; "
                                    "font-size:14pt\">Просмотр базы данных: записи с %1 по %2</p>")
                         .arg(FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"), StartMoment()),
                              FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"), StopMoment()));
}

void TFormBaseView::Print()
{
    TGridPrinter printer(Grid);
    SetUpPrinter(printer);
    if (FRecords->rowCount() == 0 || !printer.ConfirmPrint(FRecords->rowCount()))
        return;
    // The pages need every row at once.
    TGridModel rows;
    rows.SetColumns(FRecords->Columns());
    QVector<TGridRow> all;
    QString error;
    if (!FRecords->ReadAll(
            TPagedGridModel::PageRows * 10,
            [&](const QVector<TGridRow> &page) {
                all.append(page);
                return all.size() < FRecords->rowCount();
            },
            &error)
        && !error.isEmpty()) {
        ShowError(error);
        return;
    }
    rows.SetRows(std::move(all));
    printer.Rows = &rows;
    printer.Preview(this);
}

void TFormBaseView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        ButLoad->click();
    else if (event->key() == Qt::Key_Escape)
        StopLoad();
    else
        QWidget::keyPressEvent(event);
}
