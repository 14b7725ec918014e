#include "GraphEditor.h"

#include "base/Feedback.h"
#include "base/Formats.h"
#include "charts/LevelGraph.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *NewEdit(const char *name)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QCheckBox *NewCheck(const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

TFormEditGraph::TFormEditGraph(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , EditYMin(NewEdit("EditYMin"))
    , EditYMax(NewEdit("EditYMax"))
    , EditYLabelStep(NewEdit("EditYLabelStep"))
    , EditRightYMin(NewEdit("EditRightYMin"))
    , EditRightScaleStep(NewEdit("EditRightScaleStep"))
    , CheckBoxAutoYMin(NewCheck("CheckBoxAutoYMin", QStringLiteral("Автомат")))
    , CheckBoxAutoYMax(NewCheck("CheckBoxAutoYMax", QStringLiteral("Автомат")))
    , CheckBoxAutoYScale(NewCheck("CheckBoxAutoYScale", QStringLiteral("Автомат")))
    , CheckBoxShowRightScale(
          NewCheck("CheckBoxShowRightScale", QStringLiteral("Отображать шкалу справа")))
    , BitBtn1(new QPushButton(QStringLiteral("Установить")))
    , BitBtn2(new QPushButton(QStringLiteral("Отменить")))
{
    setObjectName(QStringLiteral("FormEditGraph"));
    setWindowTitle(QStringLiteral("Параметры шкалы графика"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto *mainGroup = new QGroupBox(QStringLiteral("Основная шкала:"));
    auto *mainGrid = new QGridLayout(mainGroup);
    const struct
    {
        const char *label;
        QLineEdit *edit;
        QCheckBox *check;
    } rows[] = {{"Минимум:", EditYMin, CheckBoxAutoYMin},
                {"Максимум:", EditYMax, CheckBoxAutoYMax},
                {"Шаг шкалы:", EditYLabelStep, CheckBoxAutoYScale}};
    for (int r = 0; r < 3; ++r) {
        mainGrid->addWidget(new QLabel(QString::fromUtf8(rows[r].label)), r, 0);
        mainGrid->addWidget(rows[r].edit, r, 1);
        mainGrid->addWidget(rows[r].check, r, 2);
    }

    auto *rightGroup = new QGroupBox(QStringLiteral("Шкала справа:"));
    auto *rightGrid = new QGridLayout(rightGroup);
    rightGrid->addWidget(CheckBoxShowRightScale, 0, 0, 1, 2);
    rightGrid->addWidget(new QLabel(QStringLiteral("Минимум:")), 1, 0);
    rightGrid->addWidget(EditRightYMin, 1, 1);
    rightGrid->addWidget(new QLabel(QStringLiteral("Шаг шкалы:")), 2, 0);
    rightGrid->addWidget(EditRightScaleStep, 2, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    BitBtn1->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mainGroup);
    layout->addWidget(rightGroup);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(CheckBoxAutoYMin, &QCheckBox::toggled, this, &TFormEditGraph::CheckBoxAutoYMinClick);
    connect(CheckBoxAutoYMax, &QCheckBox::toggled, this, &TFormEditGraph::CheckBoxAutoYMaxClick);
    connect(CheckBoxAutoYScale, &QCheckBox::toggled, this,
            &TFormEditGraph::CheckBoxAutoYScaleClick);
    connect(CheckBoxShowRightScale, &QCheckBox::toggled, this,
            &TFormEditGraph::CheckBoxShowRightScaleClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    CheckBoxAutoYMinClick();
    CheckBoxAutoYMaxClick();
    CheckBoxAutoYScaleClick();
    CheckBoxShowRightScaleClick();
}

void TFormEditGraph::CheckBoxAutoYMinClick()
{
    EditYMin->setVisible(!CheckBoxAutoYMin->isChecked());
}

void TFormEditGraph::CheckBoxAutoYMaxClick()
{
    EditYMax->setVisible(!CheckBoxAutoYMax->isChecked());
}

void TFormEditGraph::CheckBoxAutoYScaleClick()
{
    EditYLabelStep->setVisible(!CheckBoxAutoYScale->isChecked());
}

void TFormEditGraph::CheckBoxShowRightScaleClick()
{
    EditRightYMin->setVisible(CheckBoxShowRightScale->isChecked());
    EditRightScaleStep->setVisible(CheckBoxShowRightScale->isChecked());
}

void EditChartSettings(QWidget *chart)
{
    auto *graph = qobject_cast<TLevelGraph *>(chart);
    if (!graph)
        return;
    TFormEditGraph dialog(graph->window());
    dialog.CheckBoxAutoYMin->setChecked(graph->GetAutoYMin());
    dialog.CheckBoxAutoYMax->setChecked(graph->GetAutoYMax());
    dialog.CheckBoxAutoYScale->setChecked(graph->GetAutoYScale());
    dialog.CheckBoxShowRightScale->setChecked(graph->GetShowRightScale());
    dialog.EditYMin->setText(FloatToStr(graph->GetYMin()));
    dialog.EditYMax->setText(FloatToStr(graph->GetYMax()));
    dialog.EditYLabelStep->setText(FloatToStr(graph->GetYLabelStep()));
    dialog.EditRightYMin->setText(FloatToStr(graph->GetRightYMin()));
    dialog.EditRightScaleStep->setText(FloatToStr(graph->GetRightScaleStep()));
    if (dialog.exec() != QDialog::Accepted)
        return;

    const std::pair<QLineEdit *, void (TLevelGraph::*)(double)> fields[] = {
        {dialog.EditYMin, &TLevelGraph::SetYMin},
        {dialog.EditYMax, &TLevelGraph::SetYMax},
        {dialog.EditYLabelStep, &TLevelGraph::SetYLabelStep},
        {dialog.EditRightYMin, &TLevelGraph::SetRightYMin},
        {dialog.EditRightScaleStep, &TLevelGraph::SetRightScaleStep}};
    for (const auto &[edit, setter] : fields) {
        double value = 0;
        if (!TryStrToFloat(edit->text(), value)) {
            ShowError(QStringLiteral("Правильно вводите числа."));
            return;
        }
        (graph->*setter)(value);
    }
    graph->SetAutoYMin(dialog.CheckBoxAutoYMin->isChecked());
    graph->SetAutoYMax(dialog.CheckBoxAutoYMax->isChecked());
    graph->SetAutoYScale(dialog.CheckBoxAutoYScale->isChecked());
    graph->SetShowRightScale(dialog.CheckBoxShowRightScale->isChecked());
}
