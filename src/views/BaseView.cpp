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
    top->addStretch(1);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    Grid = new TDataGrid;
    Grid->setObjectName(QStringLiteral("DBGrid1"));
    QFont courier(QStringLiteral("Courier New"));
    courier.setBold(true);
    Grid->setFont(courier);
    Grid->SetFrozenFirstColumn(true);
    Grid->SetColumns(RecordColumns());
    InstallCsvExport(
        Grid, [this] { return GridCsvRows(*Grid->Model()); },
        [this] {
            return QStringLiteral("kv512_")
                + FormatDateTime(QStringLiteral("yyyy-mm-dd_hh-nn"), StartMoment());
        });
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

TMoment TFormBaseView::StartMoment() const
{
    return DateTimeToMoment(DateTimePicker1->date().startOfDay())
        + DateTimePicker2->time().msecsSinceStartOfDay() * OneMillisecond;
}

TMoment TFormBaseView::StopMoment() const
{
    return DateTimeToMoment(DateTimePicker3->date().startOfDay())
        + DateTimePicker4->time().msecsSinceStartOfDay() * OneMillisecond;
}

void TFormBaseView::Load()
{
    QString error;
    if (!Grid->Model()->Load(SQLConnection1().Database(),
                             QStringLiteral("select * from pu_data ")
                                 + TimeRangeWhere(StartMoment(), StopMoment())
                                 + QStringLiteral(" ORDER BY RecMoment"),
                             &error))
        ShowError(error);
}

void TFormBaseView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        ButLoad->click();
    else
        QWidget::keyPressEvent(event);
}
