#include "RecordingFeedback.h"
#include "Render.h"
#include "TestMain.h"
#include "base/ElementRegistry.h"
#include "elements/Arrow.h"
#include "elements/CachedElement.h"
#include "elements/ElementLibrary.h"
#include "elements/Label.h"
#include "elements/OutField.h"
#include "elements/Panel.h"

#include <QTest>
#include <memory>

class TestElementBase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterElementLibrary(); }
    void unchangedPropertyKeepsCache_data();
    void unchangedPropertyKeepsCache();
    void styleEditMarksDirty();
    void transparentFieldKeepsFigureWithoutBackground();
    void paintErrorBeepsAndNextPaintRetries();
    void onClickRemembersItsOwner();
    void labelFollowsParentUntilFontEdited();
    void panelCaptionInItsFont();
};

void TestElementBase::unchangedPropertyKeepsCache_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("newValue");
    QTest::newRow("value field OutValue")
        << "TOutField" << QByteArray("OutValue") << QVariant(12.5);
    QTest::newRow("value field Alpha") << "TOutField" << QByteArray("Alpha") << QVariant(450);
    QTest::newRow("cone tank WaterH") << "TConusBox" << QByteArray("WaterH") << QVariant(75.0);
    QTest::newRow("level gauge WaterLevel")
        << "TBarrel" << QByteArray("WaterLevel") << QVariant(7.0);
    QTest::newRow("settling box L1") << "TShlamBox" << QByteArray("L1") << QVariant(50.0);
    QTest::newRow("conveyor Position") << "TAniTrans" << QByteArray("Position") << QVariant(99.0);
    QTest::newRow("drum BladeAngle") << "TEBM" << QByteArray("BladeAngle") << QVariant(359);
    QTest::newRow("column mixer WaterLevel")
        << "TColumnMixer" << QByteArray("WaterLevel") << QVariant(80.0);
    QTest::newRow("tank WaterLevel") << "TFlake" << QByteArray("WaterLevel") << QVariant(45.0);
    QTest::newRow("vessel WaterLevel") << "TGFlake" << QByteArray("WaterLevel") << QVariant(70.0);
    QTest::newRow("density meter OutValue")
        << "TDensMeter" << QByteArray("OutValue") << QVariant(1500.0);
}

// The 100 ms refresh feeds the same values again and again: those must only copy the cache, while
// a real change or a resize redraws it.
void TestElementBase::unchangedPropertyKeepsCache()
{
    QFETCH(QString, className);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, newValue);
    std::unique_ptr<QWidget> widget(CreateElement(className));
    auto *element = qobject_cast<TCachedElement *>(widget.get());
    QVERIFY(element);
    QVERIFY(element->IsDirty());
    Render(*element);
    QCOMPARE(element->RedrawCount(), 1);
    QVERIFY(!element->IsDirty());

    QVERIFY(element->setProperty(property, element->property(property)));
    QVERIFY(!element->IsDirty());
    Render(*element);
    QCOMPARE(element->RedrawCount(), 1);

    QVERIFY(element->setProperty(property, newValue));
    QVERIFY(element->IsDirty());
    Render(*element);
    QCOMPARE(element->RedrawCount(), 2);

    element->resize(element->width() + 7, element->height() + 3);
    Render(*element);
    QCOMPARE(element->RedrawCount(), 3);
}

void TestElementBase::styleEditMarksDirty()
{
    TOutField field;
    Render(field);
    field.Pen().SetColor(field.GetPen().Color());
    QVERIFY(!field.IsDirty());
    field.Pen().SetColor(clRed);
    QVERIFY(field.IsDirty());
    const QImage image = Render(field);
    QCOMPARE(Pixel(image, 0, 0), Rgb(clRed));
    QCOMPARE(field.RedrawCount(), 2);
}

void TestElementBase::transparentFieldKeepsFigureWithoutBackground()
{
    TOutField field;
    field.resize(120, 40);
    field.Font().SetColor(clBlack);
    field.SetOutValue(1888);
    field.SetTransparent(true);
    for (int pass = 0; pass < 2; ++pass) {
        const QImage image = Render(field);
        QCOMPARE(Pixel(image, 0, 0), Untouched);
        QCOMPARE(Pixel(image, 60, 2), Untouched);
        const QRect text = BoundsOfOther(image, Untouched, image.rect());
        QVERIFY2(text.width() > 10 && text.height() > 5, "the text must be drawn on every paint");
    }
    QCOMPARE(field.RedrawCount(), 1);
}

void TestElementBase::paintErrorBeepsAndNextPaintRetries()
{
    RecordingFeedback feedback;
    TArrow arrow;
    arrow.resize(155, 18);
    arrow.SetEdgeLength(0);
    arrow.SetBubbleList({QStringLiteral("12"), QStringLiteral("x1")});
    QImage image = Render(arrow);
    QCOMPARE(feedback.beeps, 1);
    QVERIFY(feedback.messages.isEmpty());
    QCOMPARE(Pixel(image, 80, 9), Rgb(clRed)); // drawn before the failure stays drawn
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, arrow.BubbleStep());

    arrow.SetBubbleList({QStringLiteral("12")});
    image = Render(arrow);
    QCOMPARE(feedback.beeps, 1);
    QCOMPARE(Pixel(image, 14, 9), Rgb(clWhite));
}

void TestElementBase::onClickRemembersItsOwner()
{
    QObject window;
    QObject otherWindow;
    TArrow arrow;
    arrow.resize(50, 20);
    QObject *clicked = nullptr;
    arrow.OnClick().Set([&](QObject *sender) { clicked = sender; }, &window);
    QVERIFY(arrow.OnClick().IsOwnedBy(&window));
    QVERIFY(!arrow.OnClick().IsOwnedBy(&otherWindow));
    arrow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&arrow));
    QTest::mouseClick(&arrow, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(clicked, nullptr);
    QTest::mouseClick(&arrow, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicked, &arrow);
    arrow.OnClick().Clear();
    QVERIFY(!arrow.OnClick().IsOwnedBy(&window));
}

// A designed label keeps its parent's font; once its font holder is edited, face, size and colour
// show at once.
void TestElementBase::labelFollowsParentUntilFontEdited()
{
    QWidget form;
    QFont formFont = form.font();
    formFont.setPixelSize(23);
    form.setFont(formFont);
    TLabel label(&form);
    label.setText(QStringLiteral("ЖЖЖЖ"));
    QCOMPARE(label.font().pixelSize(), 23);

    label.Font().SetHeight(-30);
    label.Font().SetColor(clRed);
    QCOMPARE(label.font().pixelSize(), 30);
    label.resize(label.sizeHint());
    QVERIFY(!BoundsOfNear(Render(label), Rgb(clRed)).isEmpty());
}

void TestElementBase::panelCaptionInItsFont()
{
    TPanel panel;
    panel.resize(120, 60);
    panel.SetColor(clBlack);
    panel.SetCaption(QStringLiteral("ЖЖ"));
    panel.Font().SetColor(clLime);
    const QRect small = BoundsOfNear(Render(panel), Rgb(clLime));
    QVERIFY(!small.isEmpty());
    // Centred in the box.
    QVERIFY(qAbs(small.center().x() - 60) <= 2);
    QVERIFY(qAbs(small.center().y() - 30) <= 3);
    panel.Font().SetHeight(-30);
    QVERIFY(BoundsOfNear(Render(panel), Rgb(clLime)).height() > small.height());
}

TALMER_TEST(TestElementBase)
#include "TestElementBase.moc"
