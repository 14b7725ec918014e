#include "ElementEditor.h"

#include "app/Layout.h"
#include "app/Pickers.h"
#include "base/Feedback.h"
#include "base/IniFile.h"
#include "base/Style.h"
#include "elements/Element.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace {

// The editor each route row currently opens.
QHash<QString, TElementEditor *> &RouteOwners()
{
    static QHash<QString, TElementEditor *> owners;
    return owners;
}

const QSize PreviewArea(220, 110);

using TSectionCopy = QList<QPair<QString, QString>>;

TSectionCopy CopySection(const QString &file, const QString &section)
{
    const TIniFile ini(file);
    TSectionCopy copy;
    for (const QString &key : ini.ReadSection(section))
        copy.append({key, ini.ReadString(section, key, QString())});
    return copy;
}

void RestoreSection(const QString &file, const QString &section, const TSectionCopy &copy)
{
    TIniFile ini(file);
    ini.EraseSection(section);
    for (const auto &[key, value] : copy)
        ini.WriteString(section, key, value);
}

QPushButton *MakeButton(const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

// The label route: the font dialog opened on the label's font; OK gives the label the font and
// keeps it in its layout file.
bool LabelFontRoute(QWidget *sender, QWidget *window)
{
    const QVariant value = sender->property("Font");
    if (value.metaType() != QMetaType::fromType<TFont>())
        return false;
    TFont font;
    font.Assign(value.value<TFont>());
    if (!PickFont(window, font))
        return false;
    sender->setProperty("Font", QVariant::fromValue(font));
    return SaveLabelFont(sender);
}

} // namespace

TElementEditor::TElementEditor(QWidget *parent, const QString &name, const QString &caption,
                               const QString &widthLabel, TElement *preview,
                               const QList<TColourButton> &colours, bool withFont, bool withClose)
    : QDialog(parent, Qt::Tool)
    , m_preview(preview)
{
    setObjectName(name);
    setWindowTitle(caption);
    SetEditRoute(QStringLiteral("TLabel"), LabelFontRoute);

    // The preview on the diagram's black ground.
    auto *stage = new QWidget(this);
    stage->setObjectName(QStringLiteral("PanelPreview"));
    stage->setFixedSize(PreviewArea);
    stage->setAutoFillBackground(true);
    QPalette black = stage->palette();
    black.setColor(QPalette::Window, Qt::black);
    stage->setPalette(black);
    m_preview->setParent(stage);
    m_preview->move((PreviewArea.width() - m_preview->width()) / 2,
                    (PreviewArea.height() - m_preview->height()) / 2);

    LabelWidth = new QLabel(widthLabel, this);
    EditWidth = new QLineEdit(this);
    EditWidth->setObjectName(QStringLiteral("EditWidth"));
    EditWidth->setFixedWidth(60);
    LabelWidth->setBuddy(EditWidth);
    connect(EditWidth, &QLineEdit::returnPressed, this, &TElementEditor::TakeWidth);
    auto *controls = new QGridLayout;
    controls->addWidget(LabelWidth, 0, 0);
    controls->addWidget(EditWidth, 0, 1, Qt::AlignLeft);
    int row = 1;
    for (const TColourButton &colour : colours) {
        QPushButton *button = MakeButton(colour.Caption, this);
        const char *property = colour.Property;
        connect(button, &QPushButton::clicked, this,
                [this, property] { PickButtonColour(property); });
        ColourButtons.append(button);
        controls->addWidget(button, row++, 0, 1, 2);
    }
    if (withFont) {
        ButFont = MakeButton(QStringLiteral("Шрифт"), this);
        connect(ButFont, &QPushButton::clicked, this, &TElementEditor::PickPreviewFont);
        controls->addWidget(ButFont, row++, 0, 1, 2);
    }
    controls->setRowStretch(row, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(stage, 0, Qt::AlignTop);
    top->addLayout(controls);

    ButApply = MakeButton(QStringLiteral("Применить"), this);
    ButCancel = MakeButton(QStringLiteral("Отменить"), this);
    ButSaveGroup = MakeButton(QStringLiteral("Сохранить для всей группы"), this);
    connect(ButApply, &QPushButton::clicked, this, &TElementEditor::Apply);
    connect(ButCancel, &QPushButton::clicked, this, &TElementEditor::CancelChanges);
    connect(ButSaveGroup, &QPushButton::clicked, this, &TElementEditor::SaveForGroup);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButApply);
    buttons->addWidget(ButCancel);
    buttons->addWidget(ButSaveGroup);
    if (withClose) {
        ButClose = MakeButton(QStringLiteral("Закрыть"), this);
        connect(ButClose, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addWidget(ButClose);
    }

    LabelSaved = new QLabel(this);
    LabelSaved->setObjectName(QStringLiteral("LabelSaved"));
    LabelSaved->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addWidget(LabelSaved);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TElementEditor::~TElementEditor()
{
    if (!m_routeClass.isEmpty() && RouteOwners().value(m_routeClass) == this) {
        RouteOwners().remove(m_routeClass);
        SetEditRoute(m_routeClass, {});
    }
}

void TElementEditor::RouteClass(const QString &className, bool group)
{
    m_routeClass = className;
    RouteOwners().insert(className, this);
    SetEditRoute(className, [this, group](QWidget *sender, QWidget *window) {
        auto *target = qobject_cast<TElement *>(sender);
        return target && Edit(target, window, group);
    });
}

TElement *TElementEditor::Target() const
{
    return m_target ? m_target.data() : m_preview;
}

void TElementEditor::SetTarget(TElement *target)
{
    m_target = target;
}

int TElementEditor::PreviewWidth() const
{
    return m_preview->property("Pen").value<TPen>().Width();
}

void TElementEditor::SetPreviewWidth(int width)
{
    TPen pen;
    pen.Assign(m_preview->property("Pen").value<TPen>());
    pen.SetWidth(width);
    m_preview->setProperty("Pen", QVariant::fromValue(pen));
}

bool TElementEditor::TakeWidth()
{
    bool ok = false;
    const int width = EditWidth->text().trimmed().toInt(&ok);
    if (!ok) {
        ShowError(QStringLiteral("\"%1\" - недопустимое целое значение.").arg(EditWidth->text()));
        return false;
    }
    SetPreviewWidth(width);
    return true;
}

// What was applied is kept at once, so that neither the next switch of the setup mode nor a
// restart undoes it.
void TElementEditor::Apply()
{
    if (!TakeWidth())
        return;
    ApplyToTarget();
    TElement *target = Target();
    const QString file = QFileInfo(target->GetConfigName()).fileName();
    LabelSaved->setText(
        target->SaveConfig()
            ? QStringLiteral("Сохранено для «%1» в файле %2.").arg(target->objectName(), file)
            : QStringLiteral("Не удалось сохранить «%1» в файле %2.")
                  .arg(target->objectName(), file));
}

void TElementEditor::CancelChanges()
{
    TElement *target = Target();
    RestoreSection(target->GetConfigName(), target->objectName(), m_snapshot);
    target->LoadConfig();
    reject();
}

void TElementEditor::SaveForGroup()
{
    Target()->SaveConfig();
    accept();
}

bool TElementEditor::Edit(TElement *target, QWidget *window, bool group)
{
    SetTarget(target);
    const bool ok = exec() == QDialog::Accepted;
    if (ok && group && target) {
        for (QWidget *member : ElementGroup(window, target)) {
            auto *element = static_cast<TElement *>(member);
            element->LoadConfig(target->objectName());
            element->SaveConfig();
        }
    }
    return ok;
}

void TElementEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    TElement *target = Target();
    target->SaveConfig(); // the snapshot "Отменить" returns to
    m_snapshot = CopySection(target->GetConfigName(), target->objectName());
    LabelSaved->clear();
    TakeTarget();
    m_preview->update();
    EditWidth->setText(QString::number(PreviewWidth()));
}

void TElementEditor::PickButtonColour(const char *property)
{
    TColor colour = ColourProperty(m_preview, property);
    if (PickColour(this, colour))
        SetColourProperty(m_preview, property, colour);
}

void TElementEditor::PickPreviewFont()
{
    TFont font;
    font.Assign(m_preview->property("Font").value<TFont>());
    if (PickFont(this, font))
        m_preview->setProperty("Font", QVariant::fromValue(font));
}

// --- section editors

void TSectionEditor::TakeTarget()
{
    Preview()->SetConfigName(Target()->GetConfigName());
    Preview()->LoadConfig(Target()->objectName());
}

void TSectionEditor::ApplyToTarget()
{
    Preview()->SaveConfig();
    Target()->LoadConfig(Preview()->objectName());
}
