#include "app/About.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TFormAbout *FormAbout = nullptr;

namespace {

QFont SerifFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// The designation in aqua over a black copy one step lower right: a raised title on teal.
class TShadowTitle : public QWidget
{
public:
    TShadowTitle(const QString &text, QWidget *parent)
        : QWidget(parent)
        , FText(text)
    {
        setFont(SerifFont(37, true));
        setMinimumSize(fontMetrics().horizontalAdvance(text) + 16, fontMetrics().height() + 8);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setFont(font());
        const QRect area = rect().adjusted(0, 0, -3, -3);
        p.setPen(Qt::black);
        p.drawText(area.translated(3, 3), Qt::AlignCenter, FText);
        p.setPen(QColor(0, 255, 255));
        p.drawText(area, Qt::AlignCenter, FText);
    }

private:
    QString FText;
};

const int FadeInterval = 100; // ms
const int FadeStepSize = 20;
const int FadeEnd = 236;

} // namespace

QString TFormAbout::ProductDesignation()
{
    return QStringLiteral("КВ-512ТС/НК");
}

QString TFormAbout::Version()
{
    return QStringLiteral("1.19");
}

TFormAbout::TFormAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , ButtonClose(new QPushButton(QStringLiteral("Закрыть"), this))
{
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setAutoFillBackground(true);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    teal.setColor(QPalette::WindowText, Qt::white);
    setPalette(teal);

    auto *details = new QLabel(QStringLiteral("Автоматизированная система управления\n"
                                              "тяжелосредной обогатительной установкой\n"
                                              "Станция оператора АСУ ТП\n\n"
                                              "Версия %1")
                                   .arg(Version()),
                               this);
    details->setObjectName(QStringLiteral("LabelDetails"));
    details->setFont(SerifFont(21, false));
    details->setAlignment(Qt::AlignCenter);

    ButtonClose->setDefault(true); // Enter; Esc closes the dialog as well
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(new TShadowTitle(ProductDesignation(), this));
    layout->addSpacing(12);
    layout->addWidget(details);
    layout->addSpacing(12);
    layout->addWidget(ButtonClose, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect free = screen->availableGeometry();
        move(free.left() + (free.width() - width()) / 2,
             free.top() + (free.height() - height()) / 2);
    }

    FadeTimer.setInterval(FadeInterval);
    connect(&FadeTimer, &QTimer::timeout, this, &TFormAbout::FadeStep);
    if (!FormAbout)
        FormAbout = this;
}

TFormAbout::~TFormAbout()
{
    if (FormAbout == this)
        FormAbout = nullptr;
}

void TFormAbout::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FOpacity = 0;
    setWindowOpacity(0.0);
    FadeTimer.start();
}

void TFormAbout::FadeStep()
{
    if (FOpacity < FadeEnd) {
        FOpacity += FadeStepSize;
    } else {
        FOpacity = 255;
        FadeTimer.stop();
    }
    setWindowOpacity(FOpacity / 255.0);
}
