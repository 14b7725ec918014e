#include "common/TestMain.h"

#include "base/Color.h"
#include "base/Random.h"
#include "base/Style.h"
#include "base/StyleKeys.h"

#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

class TestStyle : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Paints a shape with the pen and brush onto white and returns the picture.
    static QImage Render(const QPen &pen, const QBrush &brush,
                         const std::function<void(QPainter &)> &draw)
    {
        QImage image(32, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(pen);
        painter.setBrush(brush);
        draw(painter);
        return image;
    }

    template<class T> static void CheckDetached()
    {
        int calls = 0;
        T holder;
        holder.SetOnChange([&] { ++calls; });
        T copy = holder;
        copy.SetColor(clRed);
        T other;
        other = holder;
        other.SetColor(clGreen);
        QCOMPARE(calls, 0);

        holder = copy;
        QCOMPARE(calls, 1);
        QCOMPARE(holder.Color(), TColor(clRed));
        holder = copy;
        QCOMPARE(calls, 1);
        holder.SetColor(clBlue);
        QCOMPARE(calls, 2);
    }

private slots:
    void colorToQColor_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red") << clRed << QColor(255, 0, 0);
        QTest::newRow("blue") << clBlue << QColor(0, 0, 255);
        QTest::newRow("mixed") << 0x00804020 << QColor(0x20, 0x40, 0x80);
        QTest::newRow("none is transparent") << clNone << QColor(Qt::transparent);
    }

    void colorToQColor()
    {
        QFETCH(int, color);
        QFETCH(QColor, expected);
        QCOMPARE(ColorToQColor(color), expected);
        QCOMPARE(QColorToColor(ColorToQColor(color)), color);
    }

    void systemColorsFollowPalette_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<int>("role");
        QTest::newRow("window") << clWindow << int(QPalette::Base);
        QTest::newRow("window text") << clWindowText << int(QPalette::Text);
        QTest::newRow("button face") << clBtnFace << int(QPalette::Button);
        QTest::newRow("highlight") << clHighlight << int(QPalette::Highlight);
    }

    void systemColorsFollowPalette()
    {
        QFETCH(int, color);
        QFETCH(int, role);
        const QPalette saved = QGuiApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::ColorRole(role), QColor(1, 2, 3));
        QGuiApplication::setPalette(palette);
        const QColor mapped = ColorToQColor(color);
        QGuiApplication::setPalette(saved);
        QCOMPARE(mapped, QColor(1, 2, 3));
    }

    void notifications()
    {
        int pens = 0, brushes = 0, fonts = 0;
        TPen pen;
        TBrush brush;
        TFont font;
        pen.SetOnChange([&] { ++pens; });
        brush.SetOnChange([&] { ++brushes; });
        font.SetOnChange([&] { ++fonts; });

        pen.SetColor(pen.Color());
        pen.SetWidth(pen.Width());
        pen.SetStyle(pen.Style());
        brush.SetColor(brush.Color());
        brush.SetStyle(brush.Style());
        font.SetName(font.Name());
        font.SetSize(font.Size());
        font.SetHeight(font.Height());
        font.SetColor(font.Color());
        font.SetStyle(font.Style());
        pen.Assign(TPen());
        brush.Assign(TBrush());
        font.Assign(TFont());
        QCOMPARE(pens + brushes + fonts, 0);

        pen.SetColor(clRed);
        pen.SetWidth(3);
        pen.SetStyle(psDot);
        brush.SetStyle(bsCross);
        font.SetSize(12);
        font.SetStyle(fsBold);
        QCOMPARE(pens, 3);
        QCOMPARE(brushes, 1);
        QCOMPARE(fonts, 2);

        // Assigning several changed settings notifies once and leaves the notification as it was.
        TPen other;
        other.SetColor(clGreen);
        other.SetWidth(5);
        other.SetStyle(psDash);
        pen.Assign(other);
        QCOMPARE(pens, 4);
        QVERIFY(pen == other);
        TFont big;
        big.SetName("Arial");
        big.SetSize(20);
        big.SetColor(clBlue);
        font.Assign(big);
        QCOMPARE(fonts, 3);
        pen.SetWidth(1);
        QCOMPARE(pens, 5);
    }

    // A copy never calls its original's owner, however it is made or edited; assigning into a
    // holder notifies that holder's owner and leaves its notification wired.
    void copiesAreDetached_data()
    {
        QTest::addColumn<std::function<void()>>("check");
        QTest::newRow("pen") << std::function<void()>(&CheckDetached<TPen>);
        QTest::newRow("brush") << std::function<void()>(&CheckDetached<TBrush>);
        QTest::newRow("font") << std::function<void()>(&CheckDetached<TFont>);
    }
    void copiesAreDetached()
    {
        QFETCH(std::function<void()>, check);
        check();
    }

    void fontHeight_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("height");
        QTest::newRow("8") << 8 << -11;
        QTest::newRow("9") << 9 << -12;
        QTest::newRow("10") << 10 << -13;
        QTest::newRow("11 rounds up") << 11 << -15;
        QTest::newRow("7 rounds down") << 7 << -9;
        QTest::newRow("negative size") << -8 << 11;
    }

    void fontHeight()
    {
        QFETCH(int, points);
        QFETCH(int, height);
        TFont font;
        font.SetSize(points);
        QCOMPARE(font.Height(), height);
        QCOMPARE(font.Size(), points);
    }

    void fontSizeFromHeight_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("points");
        QTest::newRow("-13") << -13 << 10;
        QTest::newRow("-14 half rounds away") << -14 << 11;
        QTest::newRow("-15") << -15 << 11;
        QTest::newRow("cell height") << 16 << -12;
    }

    void fontSizeFromHeight()
    {
        QFETCH(int, height);
        QFETCH(int, points);
        TFont font;
        font.SetHeight(height);
        QCOMPARE(font.Size(), points);
        QCOMPARE(font.Height(), height);
    }

    void classicFacesResolve_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("family");
        QTest::newRow("Times New Roman") << "Times New Roman"
                                         << "Liberation Serif";
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans";
        QTest::newRow("Courier New") << "Courier New"
                                     << "Liberation Mono";
        QTest::newRow("Courier New Cyr") << "Courier New Cyr"
                                         << "Liberation Mono";
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans";
    }

    void classicFacesResolve()
    {
        QFETCH(QString, face);
        QFETCH(QString, family);
        TFont font;
        font.SetName(face);
        font.SetSize(10);
        font.SetStyle(fsBold | fsItalic | fsUnderline);
        const QFont qfont = font.ToQFont(600);
        QCOMPARE(QFontInfo(qfont).family(), family);
        QCOMPARE(QFontInfo(QFont(face)).family(), family); // for fonts made directly as well
        QCOMPARE(qfont.pixelSize(), 13);
        QCOMPARE(qfont.weight(), QFont::DemiBold);
        QVERIFY(qfont.italic() && qfont.underline() && !qfont.strikeOut());
        font.SetStyle(0);
        QCOMPARE(font.ToQFont(600).weight(), QFont::Normal);
    }

    void penStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("qtStyle");
        QTest::newRow("solid") << int(psSolid) << int(Qt::SolidLine);
        QTest::newRow("dash") << int(psDash) << int(Qt::DashLine);
        QTest::newRow("dot") << int(psDot) << int(Qt::DotLine);
        QTest::newRow("dash dot") << int(psDashDot) << int(Qt::DashDotLine);
        QTest::newRow("dash dot dot") << int(psDashDotDot) << int(Qt::DashDotDotLine);
        QTest::newRow("clear") << int(psClear) << int(Qt::NoPen);
        QTest::newRow("inside frame") << int(psInsideFrame) << int(Qt::SolidLine);
    }

    void penStyles()
    {
        QFETCH(int, style);
        QFETCH(int, qtStyle);
        TPen pen;
        pen.SetStyle(TPenStyle(style));
        pen.SetColor(clRed);
        QCOMPARE(int(pen.ToQPen().style()), qtStyle);
        // A one-pixel line across the picture: solid styles cover every pixel, dashed ones leave
        // gaps, the clear pen nothing.
        const QImage image =
            Render(pen.ToQPen(), Qt::NoBrush, [](QPainter &p) { p.drawLine(0, 10, 31, 10); });
        int red = 0;
        for (int x = 0; x < 32; ++x)
            red += image.pixelColor(x, 10) == QColor(255, 0, 0);
        if (qtStyle == Qt::SolidLine)
            QCOMPARE(red, 32);
        else if (qtStyle == Qt::NoPen)
            QCOMPARE(red, 0);
        else
            QVERIFY2(red > 4 && red < 30, qPrintable(QString::number(red)));
    }

    void penWidthZeroIsCosmetic()
    {
        TPen pen;
        pen.SetWidth(0);
        QVERIFY(pen.ToQPen().isCosmetic());
        QPen scaled = pen.ToQPen();
        const QImage image = Render(scaled, Qt::NoBrush, [](QPainter &p) {
            p.scale(4, 4);
            p.drawLine(0, 2, 7, 2);
        });
        // Still one pixel thick although the painter scales by four.
        QCOMPARE(image.pixelColor(10, 8), QColor(Qt::black));
        QCOMPARE(image.pixelColor(10, 10), QColor(Qt::white));
        QCOMPARE(image.pixelColor(10, 6), QColor(Qt::white));
    }

    void brushHatches_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("dx"); // a step that stays on the hatch line
        QTest::addColumn<int>("dy");
        QTest::newRow("horizontal") << int(bsHorizontal) << 1 << 0;
        QTest::newRow("vertical") << int(bsVertical) << 0 << 1;
        QTest::newRow("forward diagonal rises") << int(bsFDiagonal) << 1 << -1;
        QTest::newRow("backward diagonal falls") << int(bsBDiagonal) << 1 << 1;
    }

    void brushHatches()
    {
        QFETCH(int, style);
        QFETCH(int, dx);
        QFETCH(int, dy);
        TBrush brush;
        brush.SetColor(clBlack);
        brush.SetStyle(TBrushStyle(style));
        const QImage image =
            Render(Qt::NoPen, brush.ToQBrush(), [](QPainter &p) { p.drawRect(0, 0, 32, 32); });
        int black = 0;
        for (int y = 1; y < 31; ++y)
            for (int x = 1; x < 31; ++x)
                if (image.pixelColor(x, y) == Qt::black) {
                    ++black;
                    QCOMPARE(image.pixelColor(x + dx, y + dy), QColor(Qt::black));
                }
        QVERIFY(black > 0 && black < 30 * 30);
    }

    void clearBrushPaintsNothing()
    {
        TBrush brush;
        brush.SetStyle(bsClear);
        const QImage image =
            Render(Qt::NoPen, brush.ToQBrush(), [](QPainter &p) { p.drawRect(0, 0, 32, 32); });
        QCOMPARE(image.pixelColor(16, 16), QColor(Qt::white));
    }

    void penAndFontKeysRoundTrip()
    {
        const QString path = m_dir.filePath("Colors.INI");
        TIniFile ini(path);
        TPen pen;
        pen.SetWidth(3);
        pen.SetColor(clBtnFace);
        pen.SetStyle(psDashDot);
        WritePen(ini, "OutField1", "Pen", pen);
        TFont font;
        font.SetName("Courier New Cyr");
        font.SetSize(14);
        font.SetColor(65280);
        WriteFont(ini, "OutField1", "Font", font);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("[OutField1]\r\nPenWidth=3\r\nPenColor=-2147483633\r\n"
                            "PenStyle=3\r\nFontSize=14\r\nFontColor=65280\r\n"
                            "FontName=Courier New Cyr\r\n"));

        int changes = 0;
        TPen readPen;
        TFont readFont;
        readPen.SetOnChange([&] { ++changes; });
        readFont.SetOnChange([&] { ++changes; });
        ReadPen(TIniFile(path), "outfield1", "PEN", readPen);
        ReadFont(TIniFile(path), "OutField1", "Font", readFont);
        QVERIFY(readPen == pen);
        QVERIFY(readFont == font);
        QCOMPARE(changes, 6);
        // Reading the same values again changes nothing.
        ReadPen(TIniFile(path), "OutField1", "Pen", readPen);
        ReadFont(TIniFile(path), "OutField1", "Font", readFont);
        QCOMPARE(changes, 6);
    }

    void missingKeysLeaveValues()
    {
        const QString path = m_dir.filePath("partial.ini");
        TIniFile ini(path);
        ini.WriteInteger("E", "PenColor", clRed);
        ini.WriteInteger("E", "PenStyle", 9);
        TPen pen;
        pen.SetWidth(4);
        ReadPen(ini, "E", "Pen", pen);
        QCOMPARE(pen.Color(), clRed);
        QCOMPARE(pen.Width(), 4);
        QCOMPARE(pen.Style(), psSolid); // an unknown ordinal is not taken
        TFont font;
        font.SetHeight(-14); // not a whole point size: must survive a read without FontSize
        ReadFont(ini, "E", "Font", font);
        QCOMPARE(font.Height(), -14);
        QCOMPARE(font.Name(), QString("MS Sans Serif"));
    }

    void stringLists_data()
    {
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("current");
        QTest::newRow("points") << QStringList {"0,0", "10,5", " 3 , 4 "} << QStringList {"x"};
        QTest::newRow("empty list") << QStringList {} << QStringList {"a", "b"};
        QTest::newRow("empty lines") << QStringList {"", "b", ""} << QStringList {};
    }

    void stringLists()
    {
        QFETCH(QStringList, written);
        QFETCH(QStringList, current);
        const QString path = m_dir.filePath("lists.ini");
        QFile::remove(path);
        TIniFile ini(path);
        WriteStrings(ini, "Poligon1", "PointList", written);
        QCOMPARE(ini.ReadInteger("Poligon1", "PointListCount", -1), written.size());
        QCOMPARE(ReadStrings(TIniFile(path), "Poligon1", "PointList", current), written);
        QCOMPARE(ReadStrings(TIniFile(path), "Absent", "PointList", current), current);
    }

    void damagedListCount_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("negative") << QByteArray("[S]\nLCount=-3\n") << QStringList {"keep"};
        QTest::newRow("huge") << QByteArray("[S]\nLCount=2000000000\n") << QStringList {"keep"};
        QTest::newRow("lines missing")
            << QByteArray("[S]\nLCount=3\nLL1=b\n") << QStringList {"keep", "b", ""};
    }

    void damagedListCount()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        const QString path = m_dir.filePath("damaged.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        QCOMPARE(ReadStrings(TIniFile(path), "S", "L", {"keep"}), expected);
    }

    void randomNormal()
    {
        SeedRandom(7);
        const double first = RandomNormal(128, 43);
        SeedRandom(7);
        QCOMPARE(RandomNormal(128, 43), first);

        const int n = 20000;
        double sum = 0, squares = 0;
        for (int i = 0; i < n; ++i) {
            const double v = RandomNormal(128, 43);
            QVERIFY(std::isfinite(v));
            sum += v;
            squares += v * v;
        }
        const double mean = sum / n;
        const double deviation = std::sqrt(squares / n - mean * mean);
        QVERIFY2(std::abs(mean - 128) < 1.5, qPrintable(QString::number(mean)));
        QVERIFY2(std::abs(deviation - 43) < 1.5, qPrintable(QString::number(deviation)));
    }

    void wrapStep_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("expected");
        QTest::newRow("inside") << 10.0 << 360.0 << 5.0 << 0.0 << 15.0;
        QTest::newRow("reaches high") << 355.0 << 360.0 << 5.0 << 0.0 << 360.0;
        QTest::newRow("above high wraps to low") << 358.0 << 360.0 << 5.0 << 0.0 << 0.0;
        QTest::newRow("below low wraps to high") << 2.0 << 360.0 << -5.0 << 0.0 << 360.0;
        QTest::newRow("reaches low") << 5.0 << 360.0 << -5.0 << 0.0 << 0.0;
        QTest::newRow("low above high ends at high") << 0.0 << 1.0 << 0.5 << 3.0 << 1.0;
    }

    void wrapStep()
    {
        QFETCH(double, value);
        QFETCH(double, high);
        QFETCH(double, step);
        QFETCH(double, low);
        QFETCH(double, expected);
        QCOMPARE(WrapStep(value, high, step, low), expected);
    }
};

TALMER_TEST(TestStyle)

#include "tst_Style.moc"
