#include "Render.h"
#include "TestMain.h"
#include "elements/OutField.h"

#include <QTest>

class TestOutField : public QObject
{
    Q_OBJECT

private slots:
    void captionFollowsOnlyNewValues();
    void quarterTurnCounterClockwise();
    void verticalAlignment_data();
    void verticalAlignment();
    void framedBox();
    void boldDrawsHeavier();

private:
    static QRect TextBounds(const QImage &image);
};

QRect TestOutField::TextBounds(const QImage &image)
{
    // Inside the one-pixel frame, everything not white is text.
    return BoundsOfOther(image, Qt::white, image.rect().adjusted(1, 1, -1, -1));
}

void TestOutField::captionFollowsOnlyNewValues()
{
    TOutField field;
    field.SetCaption(QStringLiteral("1952 кг/м3"));
    field.SetOutValue(0); // the stored value starts at 0: nothing happens
    QCOMPARE(field.GetCaption(), QStringLiteral("1952 кг/м3"));
    field.SetOutFormat(QStringLiteral("###0 кг/м3"));
    QCOMPARE(field.GetCaption(), QStringLiteral("1952 кг/м3"));
    field.SetOutValue(1952.4);
    QCOMPARE(field.GetCaption(), QStringLiteral("1952 кг/м3"));
    field.SetOutValue(1000.6);
    QCOMPARE(field.GetCaption(), QStringLiteral("1001 кг/м3"));
    field.SetOutFormat(QStringLiteral("###0 %"));
    field.SetOutValue(1000.6); // unchanged value: the new format waits for a new value
    QCOMPARE(field.GetCaption(), QStringLiteral("1001 кг/м3"));
    field.SetOutValue(100);
    QCOMPARE(field.GetCaption(), QStringLiteral("100 %"));
}

// The caption starts with dense glyphs and ends with a thin one, so the ink's centre of mass lies
// toward the start of the text. A counter-clockwise quarter turn puts the start at the bottom.
void TestOutField::quarterTurnCounterClockwise()
{
    TOutField field;
    field.Font().SetColor(clBlack);
    field.Font().SetSize(14);
    field.SetCaption(QStringLiteral("ЖЖЖЖЖ-"));
    field.resize(200, 60);
    const QRect flat = TextBounds(Render(field));
    QVERIFY(flat.width() > 2 * flat.height());

    field.resize(60, 200);
    field.SetAlpha(900);
    const QImage image = Render(field);
    const QRect turned = TextBounds(image);
    QVERIFY2(turned.height() > 2 * turned.width(), "the text must run upward");
    QVERIFY(std::abs(turned.height() - flat.width()) <= 3);
    QVERIFY(std::abs(turned.center().x() - 30) <= 3);
    QVERIFY(std::abs(turned.center().y() - 100) <= 3);
    double inkY = 0;
    int ink = 0;
    for (int y = turned.top(); y <= turned.bottom(); ++y)
        for (int x = turned.left(); x <= turned.right(); ++x)
            if (image.pixelColor(x, y) != Qt::white) {
                inkY += y;
                ++ink;
            }
    QVERIFY2(inkY / ink > turned.center().y(), "the start of the text must be at the bottom");
}

void TestOutField::verticalAlignment_data()
{
    QTest::addColumn<int>("align");
    QTest::newRow("top") << int(vb_VAlignTop);
    QTest::newRow("bottom") << int(vb_VAlignBottom);
}

// The text centre sits on the anchor: h + 1 below the top, or h above the bottom (h the text
// height), against Height / 2 when centred.
void TestOutField::verticalAlignment()
{
    QFETCH(int, align);
    TOutField field;
    field.Font().SetColor(clBlack);
    field.SetCaption(QStringLiteral("8888"));
    field.resize(100, 120);
    const double centred = TextBounds(Render(field)).center().y();
    field.SetVAlign(TVorbinVAlign(align));
    const double placed = TextBounds(Render(field)).center().y();
    const int h = QFontMetrics(field.TextFont()).height();
    const double anchor = align == vb_VAlignTop ? h + 1 : field.height() - h;
    QVERIFY2(std::abs((placed - centred) - (anchor - field.height() / 2.0)) <= 1.0,
             qPrintable(QStringLiteral("moved %1, expected %2")
                            .arg(placed - centred)
                            .arg(anchor - field.height() / 2.0)));
}

void TestOutField::framedBox()
{
    TOutField field;
    field.resize(60, 20);
    field.Pen().SetColor(clRed);
    field.Brush().SetColor(clYellow);
    const QImage image = Render(field);
    for (const QPoint &p : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 19), QPoint(59, 19)})
        QCOMPARE(Pixel(image, p.x(), p.y()), Rgb(clRed));
    QCOMPARE(Pixel(image, 2, 2), Rgb(clYellow));
}

// Bold is drawn with weight 600, which still inks more than the regular face.
void TestOutField::boldDrawsHeavier()
{
    TOutField field;
    field.resize(150, 40);
    field.Font().SetColor(clBlack);
    field.Font().SetSize(14);
    field.SetCaption(QStringLiteral("Плотность"));
    auto ink = [&field] {
        const QImage image = Render(field);
        int count = 0;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                count += image.pixelColor(x, y) != Qt::white;
        return count;
    };
    const int regular = ink();
    field.Font().SetStyle(fsBold);
    QCOMPARE(field.TextFont().weight(), QFont::Weight(600));
    QVERIFY(ink() > regular);
}

TALMER_TEST(TestOutField)
#include "TestOutField.moc"
