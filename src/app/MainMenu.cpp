#include "app/MainMenu.h"

#include "app/Main.h"
#include "elements/ActionImage.h"
#include "elements/ActionLabel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TFormMainMenu *FormMainMenu = nullptr;

namespace {

const int TitleHeight = 47;
const int SideMargin = 60;
const int BottomMargin = 28;
const int PictureWidth = 64;
const int PictureGap = 20;
const int KeyWidth = 50;

QFont SerifFont(int pixelSize)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// Enabled texts only: the caption of an action that cannot run yet stays greyed.
void SetTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

void TMenuRowsPanel::AddRow(QWidget *row)
{
    row->setParent(this);
    FRows.append(row);
    LayoutRows();
}

void TMenuRowsPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutRows();
}

void TMenuRowsPanel::LayoutRows()
{
    const int rowHeight = height() / TFormMainMenu::RowCount;
    for (int i = 0; i < FRows.size(); ++i)
        FRows[i]->setGeometry(0, i * rowHeight, width(), rowHeight);
}

TFormMainMenu::TFormMainMenu(TFormMain *frame, QWidget *parent)
    : QWidget(parent)
    , PanelCenter(new TMenuRowsPanel(this))
{
    setObjectName(QStringLiteral("FormMainMenu"));
    setWindowTitle(QStringLiteral("Главное меню"));
    setFont(SerifFont(19));
    SetTextColour(this, QColor(0, 0, 128));

    auto *title = new QLabel(QStringLiteral("ГЛАВНОЕ МЕНЮ"), this);
    QFont titleFont = SerifFont(32);
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setFixedHeight(TitleHeight);

    PanelCenter->setObjectName(QStringLiteral("PanelCenter"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, BottomMargin);
    layout->setSpacing(0);
    layout->addWidget(title);
    auto *centre = new QHBoxLayout;
    centre->setContentsMargins(SideMargin, 0, SideMargin, 0);
    centre->addWidget(PanelCenter);
    layout->addLayout(centre, 1);

    AddRow(QStringLiteral("PanelF2"), QStringLiteral("F2"), frame->ActionMnemo,
           QStringLiteral("Image1"), TPicture::Mnemo, false);
    AddRow(QStringLiteral("PanelF3"), QStringLiteral("F3"), frame->ActionGraphGC_params,
           QStringLiteral("Image2"), TPicture::GraphParams, false);
    AddRow(QStringLiteral("PanelF4"), QStringLiteral("F4"), frame->ActionGraphSuspLevel,
           QStringLiteral("Image3"), TPicture::GraphLevels, false);
    AddRow(QStringLiteral("PanelF5"), QStringLiteral("F5"), frame->ActionGraphDivPosition,
           QStringLiteral("Image4"), TPicture::GraphDivider, false);
    AddRow(QStringLiteral("PanelF6"), QStringLiteral("F6"), frame->ActionGraphTrans,
           QStringLiteral("ActionImage1"), TPicture::GraphTrans, true);
    AddRow(QStringLiteral("PanelF7"), QStringLiteral("F7"), frame->ActionWorkLog,
           QStringLiteral("Image5"), TPicture::WorkLog, false);
    AddRow(QStringLiteral("PanelF8"), QStringLiteral("F8"), frame->ActionSvodTable,
           QStringLiteral("Image6"), TPicture::SvodTable, false);

    if (!FormMainMenu)
        FormMainMenu = this;
}

TFormMainMenu::~TFormMainMenu()
{
    if (FormMainMenu == this)
        FormMainMenu = nullptr;
}

QWidget *TFormMainMenu::AddRow(const QString &name, const QString &key, QAction *action,
                               const QString &pictureName, TPicture picture, bool pictureRunsAction)
{
    auto *row = new QWidget;
    row->setObjectName(name);

    // ActionImage1 is bound to its action; the other pictures run the action on a click, which
    // respects the action's enabled state like a bound control does.
    TImage *image = nullptr;
    if (pictureRunsAction) {
        auto *bound = new TActionImage(row);
        bound->SetAction(action);
        image = bound;
    } else {
        image = new TImage(row);
        image->OnClick().Set([action](QObject *) { action->trigger(); }, this);
    }
    image->setObjectName(pictureName);
    image->SetPicture(DrawPicture(picture, QSize(PictureWidth, PictureWidth)));
    image->setAlignment(Qt::AlignCenter);
    image->setFixedWidth(PictureWidth);
    image->setCursor(Qt::PointingHandCursor);

    auto *label = new TActionLabel(row);
    label->setObjectName(QStringLiteral("ActionLabel") + key.mid(1));
    label->SetAction(action);
    label->setWordWrap(true);
    label->setCursor(Qt::PointingHandCursor);

    auto *keyLabel = new QLabel(key, row);
    keyLabel->setFixedWidth(KeyWidth);
    keyLabel->setAlignment(Qt::AlignCenter);
    SetTextColour(keyLabel, QColor(0, 0, 255));

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(image);
    layout->addSpacing(PictureGap);
    layout->addWidget(label, 1);
    layout->addWidget(keyLabel);

    PanelCenter->AddRow(row);
    return row;
}
