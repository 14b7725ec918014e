#include "RecordingFeedback.h"
#include "Render.h"
#include "TestMain.h"
#include "base/ElementRegistry.h"
#include "elements/ElementLibrary.h"
#include "elements/Poligon.h"
#include "elements/Pump.h"
#include "elements/Skat.h"
#include "elements/Transporter.h"
#include "elements/Valve.h"
#include "elements/WaterCircle.h"

#include <QAction>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <memory>

class TestFigures : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterElementLibrary(); }
    void pointList_data();
    void pointList();
    void faultyLineKeepsCountButReplacesEarlierPoints();
    void flippedTriangle();
    void skatCaps_data();
    void skatCaps();
    void sprinklerRaysPointDown();
    void shapeUnitsNotPositiveBeep_data();
    void shapeUnitsNotPositiveBeep();
    void conveyorDrums();
    void fixedFigures_data();
    void fixedFigures();
    void onlyTheValveIgnoresStyleEdits();
    void alignedPoligonsFollowTheParent_data();
    void alignedPoligonsFollowTheParent();
    void conveyorKeepsArrowsAndCharacters_data();
    void conveyorKeepsArrowsAndCharacters();
};

using TProbe = QPair<QPoint, QColor>;
using TProbes = QList<TProbe>;
Q_DECLARE_METATYPE(TProbes)
using TAligns = QList<TAlign>;
Q_DECLARE_METATYPE(TAligns)

void TestFigures::pointList_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("count");
    const QString badLine = QStringLiteral("Правильно указываете координаты точек.\n\r");
    QStringList tooMany;
    for (int i = 0; i < 101; ++i)
        tooMany << QStringLiteral("%1; 50").arg(i % 100);
    QStringList hundred = tooMany.mid(0, 100);
    QTest::newRow("two lines draw nothing") << QStringList {"0; 0", "10; 10"} << "" << 0;
    QTest::newRow("101 lines refused") << tooMany << "Слишком большое количество точек!" << 3;
    QTest::newRow("100 lines accepted") << hundred << "" << 100;
    QTest::newRow("line starting with separator")
        << QStringList {"0; 0", "; 10", "10; 10"} << badLine << 3;
    QTest::newRow("line without separator")
        << QStringList {"0; 0", "5 10", "10; 10"} << badLine << 3;
    QTest::newRow("not a number") << QStringList {"0; 0", "5; x", "10; 10"} << badLine << 3;
    QTest::newRow("blanks around numbers")
        << QStringList {" 0 ;0", "50 ; 25.5 ", "100;0"} << "" << 3;
}

void TestFigures::pointList()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, message);
    QFETCH(int, count);
    QLocale::setDefault(QLocale::c());
    RecordingFeedback feedback;
    TPoligon poligon;
    poligon.SetPointList(lines);
    QCOMPARE(poligon.Points().Count(), count);
    if (message.isEmpty()) {
        QVERIFY(feedback.messages.isEmpty());
    } else {
        QCOMPARE(feedback.messages.size(), 1);
        QCOMPARE(feedback.lastText(), message);
        QCOMPARE(feedback.messages.last().caption, QStringLiteral("Ошибка"));
        QCOMPARE(feedback.messages.last().icon, TMsgIcon::Error);
    }
    const QImage image = Render(poligon);
    const bool drawn = BoundsOfOther(image, Untouched, image.rect()).isValid();
    QCOMPARE(drawn, count > 2);
}

void TestFigures::faultyLineKeepsCountButReplacesEarlierPoints()
{
    QLocale::setDefault(QLocale::c());
    RecordingFeedback feedback;
    TPoligon poligon;
    poligon.SetPointList({"10; 20", "30; 40", "oops", "0; 0"});
    QCOMPARE(poligon.Points().Count(), 3);
    QCOMPARE(poligon.Points().Point(0), QPointF(10, 20));
    QCOMPARE(poligon.Points().Point(1), QPointF(30, 40));
    QCOMPARE(poligon.Points().Point(2), QPointF(100, 100));
}

void TestFigures::flippedTriangle()
{
    TPoligon poligon;
    poligon.SetXFlip(true);
    QCOMPARE(poligon.Points().Point(0), QPointF(50, 0));
    QCOMPARE(poligon.Points().Point(1), QPointF(100, 100));
    QCOMPARE(poligon.Points().Point(2), QPointF(0, 100));
    const QImage image = Render(poligon);
    QCOMPARE(Pixel(image, 50, 60), Rgb(clYellow));
    QCOMPARE(Pixel(image, 50, 0), Rgb(clRed));
    QCOMPARE(Pixel(image, 10, 10), Untouched);
    QCOMPARE(Pixel(image, 90, 10), Untouched);
}

void TestFigures::skatCaps_data()
{
    QTest::addColumn<int>("detLevel");
    QTest::addColumn<double>("topWidth");
    QTest::addColumn<int>("storedDetLevel");
    QTest::addColumn<double>("storedTopWidth");
    QTest::newRow("defaults") << 10 << 70.0 << 10 << 70.0;
    QTest::newRow("detail capped") << 200 << 70.0 << 80 << 70.0;
    QTest::newRow("top width capped") << 10 << 120.0 << 10 << 99.0;
}

// The outline is the top-right corner, the right wall, the bottom, then the parabola
// (x, 100 (x / c)^2) for x = c / DetLevel, 2c / DetLevel, ... below c = 100 - TopWidth.
void TestFigures::skatCaps()
{
    QFETCH(int, detLevel);
    QFETCH(double, topWidth);
    QFETCH(int, storedDetLevel);
    QFETCH(double, storedTopWidth);
    TSkat skat;
    skat.SetDetLevel(detLevel);
    skat.SetTopWidth(topWidth);
    QCOMPARE(skat.GetDetLevel(), storedDetLevel);
    QCOMPARE(skat.GetTopWidth(), storedTopWidth);
    const double c = 100 - storedTopWidth;
    const QList<QPointF> outline = skat.Outline();
    QCOMPARE(outline.size(), 4 + storedDetLevel - 1);
    QCOMPARE(outline.first(), QPointF(c, 100));
    for (int i = 4; i < outline.size(); ++i) {
        QVERIFY(outline[i].x() < c);
        QVERIFY(qFuzzyCompare(outline[i].y() + 1, 100 * std::pow(outline[i].x() / c, 2) + 1));
    }
    skat.SetColor(clBlack);
    const QImage image = Render(skat);
    QCOMPARE(Pixel(image, 99, 50), Rgb(clRed)); // right wall, pulled inside by the pen width
    QCOMPARE(Pixel(image, 80, 50), Rgb(clYellow));
    if (c >= 10)
        QCOMPARE(Pixel(image, 1, 10), Rgb(clBlack)); // left of the flank at the top
}

void TestFigures::sprinklerRaysPointDown()
{
    TWaterCircle circle; // 50 x 50: scale 25 / 16, disc radius 9, rays from 12.5 to 25
    const QImage image = Render(circle);
    QCOMPARE(Pixel(image, 25, 25), Rgb(clBlue));
    QCOMPARE(Pixel(image, 24, 45), Rgb(clBlue)); // cos 270° is a hair below 0: truncated to 24
    QCOMPARE(Pixel(image, 25, 5), Untouched); // transparent by default
    QCOMPARE(Pixel(image, 9, 34), Rgb(clBlue));
    QCOMPARE(Pixel(image, 9, 16), Untouched);
    circle.SetTransparent(false);
    QCOMPARE(Pixel(Render(circle), 25, 5), Rgb(clBlack));
}

void TestFigures::shapeUnitsNotPositiveBeep_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<double>("value");
    QTest::newRow("sprinkler R3 0") << "TWaterCircle" << QByteArray("R3") << 0.0;
    QTest::newRow("sprinkler R3 negative") << "TWaterCircle" << QByteArray("R3") << -16.0;
    QTest::newRow("water box BoxH 0") << "TWaterBox" << QByteArray("BoxH") << 0.0;
    QTest::newRow("water box MainW 0") << "TWaterBox" << QByteArray("MainW") << 0.0;
    QTest::newRow("pandus virtH 0") << "TPandus" << QByteArray("virtH") << 0.0;
    QTest::newRow("pandus virtW negative") << "TPandus" << QByteArray("virtW") << -1.0;
    QTest::newRow("sprinkler R3 tiny") << "TWaterCircle" << QByteArray("R3") << 1e-300;
}

// A shape whose units cannot be divided by is a failed paint: a beep and nothing drawn, never a
// box flooded by a conversion of an infinite coordinate.
void TestFigures::shapeUnitsNotPositiveBeep()
{
    QFETCH(QString, className);
    QFETCH(QByteArray, property);
    QFETCH(double, value);
    RecordingFeedback feedback;
    std::unique_ptr<QWidget> element(CreateElement(className));
    QVERIFY(element->setProperty(property, value));
    const QImage image = Render(*element);
    QCOMPARE(feedback.beeps, 1);
    QCOMPARE(BoundsOfOther(image, Untouched, image.rect()), QRect());
}

void TestFigures::conveyorDrums()
{
    TTransporter conveyor; // 100 x 20: drums of radius 10, hubs of radius 7
    const QImage image = Render(conveyor);
    QCOMPARE(Pixel(image, 50, 10), Rgb(clNavy));
    QCOMPARE(Pixel(image, 10, 10), Rgb(clBlack));
    QCOMPARE(Pixel(image, 10, 1), Rgb(clYellow));
    QCOMPARE(Pixel(image, 90, 10), Rgb(clBlack));
    QCOMPARE(Pixel(image, 0, 0), Untouched);
}

void TestFigures::fixedFigures_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("flag");
    QTest::addColumn<TProbes>("probes");
    const QColor red = Rgb(clRed);
    const QColor yellow = Rgb(clYellow);
    // Valve 40 x 40: triangles to the left and right of the centre, or above and below it.
    QTest::newRow("valve") << "TValve" << QByteArray()
                           << TProbes {{{5, 20}, red}, {{34, 20}, red}, {{20, 5}, Untouched}};
    QTest::newRow("valve vertical")
        << "TValve" << QByteArray("VertMode")
        << TProbes {{{20, 5}, red}, {{20, 34}, red}, {{5, 20}, Untouched}};
    // Pump 50 x 50 in thirds: motor top right, casing below it, outlet to the left.
    QTest::newRow("pump") << "TPump" << QByteArray()
                          << TProbes {{{42, 10}, yellow},
                                      {{33, 33}, yellow},
                                      {{5, 32}, yellow},
                                      {{5, 5}, Untouched},
                                      {{33, 45}, yellow}};
    QTest::newRow("pump flipped") << "TPump" << QByteArray("VertFlip")
                                  << TProbes {{{7, 10}, yellow},
                                              {{44, 32}, yellow},
                                              {{44, 5}, Untouched},
                                              {{16, 45}, yellow}};
    // Inclined plate 145 x 75 rising to the right, on an open support frame.
    QTest::newRow("pandus") << "TPandus" << QByteArray()
                            << TProbes {{{70, 28}, red}, {{75, 28}, red}, {{60, 60}, Untouched}};
    QTest::newRow("pandus flipped")
        << "TPandus" << QByteArray("XFlip")
        << TProbes {{{75, 28}, red}, {{140, 48}, red}, {{85, 60}, Untouched}};
}

void TestFigures::fixedFigures()
{
    QFETCH(QString, className);
    QFETCH(QByteArray, flag);
    QFETCH(TProbes, probes);
    std::unique_ptr<QWidget> element(CreateElement(className));
    if (!flag.isEmpty())
        QVERIFY(element->setProperty(flag, true));
    const QImage image = Render(*element);
    for (const TProbe &probe : probes)
        QVERIFY2(Pixel(image, probe.first.x(), probe.first.y()) == probe.second,
                 qPrintable(QStringLiteral("at %1,%2").arg(probe.first.x()).arg(probe.first.y())));
}

// Whoever recolours a valve repaints it; every other element repaints on its own.
void TestFigures::onlyTheValveIgnoresStyleEdits()
{
    class PaintCounter : public QObject
    {
    public:
        int paints = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    };
    QWidget form;
    form.resize(200, 100);
    auto *valve = new TValve(&form);
    auto *pump = new TPump(&form);
    pump->move(100, 0);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    PaintCounter valvePaints;
    PaintCounter pumpPaints;
    valve->installEventFilter(&valvePaints);
    pump->installEventFilter(&pumpPaints);
    valve->Pen().SetColor(clLime);
    valve->Brush().SetColor(clLime);
    pump->Brush().SetColor(clLime);
    QTRY_COMPARE(pumpPaints.paints, 1);
    QCOMPARE(valvePaints.paints, 0);
    valve->update();
    QTRY_COMPARE(valvePaints.paints, 1);
}

void TestFigures::alignedPoligonsFollowTheParent_data()
{
    QTest::addColumn<TAligns>("aligns");
    QTest::addColumn<bool>("parentLater");
    QTest::addColumn<QList<QRect>>("boxes");
    // Every polygon starts as 40 x 30 at (5, 7); the parent grows from 200 x 100 to 300 x 150.
    QTest::newRow("none stays") << TAligns {alNone} << false << QList<QRect> {{5, 7, 40, 30}};
    QTest::newRow("top") << TAligns {alTop} << false << QList<QRect> {{0, 0, 300, 30}};
    QTest::newRow("bottom") << TAligns {alBottom} << false << QList<QRect> {{0, 120, 300, 30}};
    QTest::newRow("left") << TAligns {alLeft} << false << QList<QRect> {{0, 0, 40, 150}};
    QTest::newRow("right") << TAligns {alRight} << false << QList<QRect> {{260, 0, 40, 150}};
    QTest::newRow("client") << TAligns {alClient} << false << QList<QRect> {{0, 0, 300, 150}};
    QTest::newRow("client, parent given later")
        << TAligns {alClient} << true << QList<QRect> {{0, 0, 300, 150}};
    QTest::newRow("client takes what the top strip leaves")
        << TAligns {alClient, alTop} << false << QList<QRect> {{0, 30, 300, 120}, {0, 0, 300, 30}};
    QTest::newRow("client between left and right")
        << TAligns {alLeft, alClient, alRight} << true
        << QList<QRect> {{0, 0, 40, 150}, {40, 0, 220, 150}, {260, 0, 40, 150}};
}

void TestFigures::alignedPoligonsFollowTheParent()
{
    QFETCH(TAligns, aligns);
    QFETCH(bool, parentLater);
    QFETCH(QList<QRect>, boxes);
    QWidget parent;
    parent.resize(200, 100);
    QList<TPoligon *> poligons;
    for (const TAlign align : aligns) {
        auto *poligon = new TPoligon(parentLater ? nullptr : &parent);
        poligon->setGeometry(5, 7, 40, 30);
        // The design-file loader sets it by number.
        QVERIFY(poligon->setProperty("Align", int(align)));
        if (parentLater)
            poligon->setParent(&parent);
        poligons << poligon;
    }
    parent.show();
    parent.resize(300, 150);
    const QImage image = Render(parent);
    for (int i = 0; i < poligons.size(); ++i) {
        QCOMPARE(poligons[i]->geometry(), boxes[i]);
        // The triangle is drawn to the new box: its base spans the box's full width.
        const QRect box = boxes[i];
        const int nearBase = box.bottom() - box.height() / 8;
        QCOMPARE(Pixel(image, box.left() + box.width() / 8, nearBase), Rgb(clYellow));
        QCOMPARE(Pixel(image, box.right() - box.width() / 8, nearBase), Rgb(clYellow));
        QCOMPARE(Pixel(image, box.left() + 2, box.top() + 2), Untouched);
    }
}

void TestFigures::conveyorKeepsArrowsAndCharacters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("kept");
    QTest::newRow("arrow down") << int(Qt::Key_Down) << int(Qt::NoModifier) << true;
    QTest::newRow("arrow left") << int(Qt::Key_Left) << int(Qt::NoModifier) << true;
    QTest::newRow("letter") << int(Qt::Key_Z) << int(Qt::NoModifier) << true;
    QTest::newRow("Ctrl+letter") << int(Qt::Key_Z) << int(Qt::ControlModifier) << false;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << int(Qt::NoModifier) << false;
    QTest::newRow("tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << false;
}

// A focused conveyor keeps arrows and characters: the scroll area around it does not scroll, a
// plain-letter shortcut does not fire and the focus stays. Other keys go their usual way.
void TestFigures::conveyorKeepsArrowsAndCharacters()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, kept);
    QWidget window;
    window.resize(200, 140);
    auto *area = new QScrollArea(&window);
    area->setGeometry(0, 0, 200, 100);
    auto *diagram = new QWidget;
    diagram->resize(600, 600);
    auto *conveyor = new TTransporter(diagram);
    conveyor->move(20, 20);
    area->setWidget(diagram);
    (new QLineEdit(&window))->setGeometry(0, 110, 200, 25);
    int shortcuts = 0;
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Z)}) {
        auto *action = new QAction(&window);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, [&shortcuts] { ++shortcuts; });
        window.addAction(action);
    }
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(conveyor, Qt::LeftButton, {}, QPoint(50, 10));
    QVERIFY(conveyor->hasFocus());

    // Scrolled into the middle, so a stray arrow would move it either way.
    area->horizontalScrollBar()->setValue(10);
    area->verticalScrollBar()->setValue(10);
    QTest::keyClick(conveyor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    const bool scrolled =
        area->verticalScrollBar()->value() != 10 || area->horizontalScrollBar()->value() != 10;
    const bool somethingHappened = scrolled || shortcuts > 0 || !conveyor->hasFocus();
    QCOMPARE(somethingHappened, !kept);
}

TALMER_TEST(TestFigures)
#include "TestFigures.moc"
