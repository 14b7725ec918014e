#include "TestMain.h"
#include "app/Layout.h"
#include "elements/OutField.h"
#include "mnemo/Mnemo.h"
#include "mnemo/ScaledSheet.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

namespace {

constexpr int DesignWidth = 1280;
constexpr int DesignHeight = 746;

// The diagram in a window of the given size, its own timer stopped.
std::unique_ptr<TFormMnemo> ShownDiagram(QSize size)
{
    auto mnemo = std::make_unique<TFormMnemo>();
    mnemo->Timer1->stop();
    mnemo->resize(size);
    mnemo->show();
    if (!QTest::qWaitForWindowExposed(mnemo.get()))
        return nullptr;
    return mnemo;
}

// Where a point of the design lies in the window: scaled to fit, centred on the band.
QPoint Expected(QSize window, QPointF design)
{
    const double scale =
        std::min(double(window.width()) / DesignWidth, double(window.height()) / DesignHeight);
    const QPointF offset((window.width() - DesignWidth * scale) / 2,
                         (window.height() - DesignHeight * scale) / 2);
    return (offset + design * scale).toPoint();
}

// Aligned 2 × 2 blocks of an image region whose four pixels are not all alike: detail finer
// than a design pixel, which an enlarged picture of the design cannot have.
int MixedBlocks(const QImage &image, QRect region)
{
    int mixed = 0;
    for (int y = region.top() & ~1; y + 1 <= region.bottom(); y += 2)
        for (int x = region.left() & ~1; x + 1 <= region.right(); x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p
                || image.pixel(x + 1, y + 1) != p)
                ++mixed;
        }
    return mixed;
}

} // namespace

// The diagram fitted to its window: clicks, pixels at the design size and sharpness when enlarged.
class TestMnemoScale : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_oldDir;

private slots:
    void initTestCase()
    {
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldDir); }

    void clickReachesElementAtEveryScale_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QString>("element");
        const QList<QPair<const char *, QSize>> windows {{"0.8", QSize(1024, 600)},
                                                         {"1.0", QSize(1280, 746)},
                                                         {"1.5", QSize(1920, 1119)},
                                                         {"1.5 with a band", QSize(2100, 1119)}};
        // The set-point fields, and pipes and labels of the bottom strip and the corners.
        for (const auto &[scale, size] : windows)
            for (const char *element :
                 {"OutField_PLSZ", "OutField_TNZ", "Label37", "Arrow64", "Arrow71", "Label30"})
                QTest::addRow("%s %s", scale, element) << size << QString::fromLatin1(element);
    }
    void clickReachesElementAtEveryScale()
    {
        QFETCH(QSize, window);
        QFETCH(QString, element);
        const std::unique_ptr<TFormMnemo> mnemo = ShownDiagram(window);
        QVERIFY(mnemo);
        QWidget *target = mnemo->findChild<QWidget *>(element);
        QVERIFY(target);
        const QPointF centre = QRectF(target->geometry()).center();
        QCOMPARE(mnemo->SheetView->Sheet()->childAt(centre.toPoint()), target);

        // In the setup mode a click opens the editor of the element's class.
        QStringList clicked;
        const QString className = QString::fromLatin1(target->metaObject()->className());
        TEditRouteHandler kept;
        for (const TEditRouterRec &row : EditRouteTable())
            if (row.Name == className)
                kept = row.Handler;
        QVERIFY(SetEditRoute(className, [&clicked](QWidget *sender, QWidget *) {
            clicked << sender->objectName();
            return true;
        }));
        SetInteractiveSetup(true);
        QWidget *viewport = mnemo->SheetView->viewport();
        const QPoint at = viewport->mapFrom(mnemo.get(), Expected(window, centre));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        SetInteractiveSetup(false);
        SetEditRoute(className, kept);
        QCOMPARE(clicked, QStringList {element});
    }

    void designSizeIsPixelForPixel()
    {
        const std::unique_ptr<TFormMnemo> mnemo = ShownDiagram(QSize(DesignWidth, DesignHeight));
        QVERIFY(mnemo);
        QCOMPARE(mnemo->SheetView->Scale(), 1.0);
        const QImage shown = mnemo->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage design =
            mnemo->SheetView->Sheet()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), design.size());
        QVERIFY(shown == design);
    }

    void bandKeepsBackgroundAndAspect()
    {
        // A wide window: the diagram takes the full height, the band left and right is black.
        const std::unique_ptr<TFormMnemo> mnemo = ShownDiagram(QSize(1800, 746));
        QVERIFY(mnemo);
        QCOMPARE(mnemo->SheetView->Scale(), 1.0);
        const QImage shown = mnemo->grab().toImage();
        for (int y : {0, 300, 745})
            for (int x : {0, 200, 1600, 1799})
                QCOMPARE(QColor(shown.pixel(x, y)), QColor(Qt::black));
    }

    void enlargedFieldIsDrawnNotBlownUp_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("density set-point") << "OutField_PLSZ";
        QTest::newRow("load set-point") << "OutField_TNZ";
    }
    void enlargedFieldIsDrawnNotBlownUp()
    {
        QFETCH(QString, field);
        const std::unique_ptr<TFormMnemo> single = ShownDiagram(QSize(DesignWidth, DesignHeight));
        const std::unique_ptr<TFormMnemo> twice =
            ShownDiagram(QSize(2 * DesignWidth, 2 * DesignHeight));
        QVERIFY(single && twice);
        QCOMPARE(twice->SheetView->Scale(), 2.0);
        for (TFormMnemo *mnemo : {single.get(), twice.get()})
            mnemo->findChild<TOutField *>(field)->SetOutValue(1458.7);
        const QImage one = single->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage two = twice->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect box = single->findChild<TOutField *>(field)->geometry();

        // The digits have edges finer than a design pixel.
        const QRect enlarged(box.topLeft() * 2, box.size() * 2);
        QVERIFY2(MixedBlocks(two, enlarged) > 20,
                 qPrintable(QString::number(MixedBlocks(two, enlarged))));
        // The one-pixel frame is two pixels wide, without a grey fringe on either side.
        const int x = box.center().x();
        const QRgb outside = one.pixel(x, box.top() - 1);
        const QRgb frame = one.pixel(x, box.top());
        const QRgb inside = one.pixel(x, box.top() + 1);
        QVERIFY(frame != inside && frame != outside);
        const QList<QRgb> column {
            two.pixel(2 * x, 2 * box.top() - 1), two.pixel(2 * x, 2 * box.top()),
            two.pixel(2 * x, 2 * box.top() + 1), two.pixel(2 * x, 2 * box.top() + 2)};
        QCOMPARE(column, (QList<QRgb> {outside, frame, frame, inside}));
    }
};

TALMER_TEST(TestMnemoScale)
#include "TestMnemoScale.moc"
