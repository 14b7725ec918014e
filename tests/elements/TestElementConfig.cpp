#include "TestMain.h"
#include "base/ElementRegistry.h"
#include "base/IniFile.h"
#include "elements/Arrow.h"
#include "elements/ElementLibrary.h"
#include "elements/OutField.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class TestElementConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterElementLibrary(); }
    void init() { QVERIFY(m_dir.isValid()); }
    void writtenKeys_data();
    void writtenKeys();
    void valueFieldRoundTrip();
    void pipeReadsOnlyWidthAndColour();
    void sectionCopiedFromAnotherElement();
    void systemColourAsNegativeInteger();
    void missingFileOrKeysChangeNothing();
    void unwritableFileFails();

private:
    QString File(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestElementConfig::writtenKeys_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QStringList>("keys");
    const QStringList pen {"PenWidth", "PenColor", "PenStyle"};
    QTest::newRow("TWaterBox") << "TWaterBox"
                               << pen + QStringList {"BackColor", "BorderColor", "WaterColor"};
    QTest::newRow("TArrow") << "TArrow"
                            << QStringList {"ArrowWidth", "Color", "EdgeLength", "EdgeAngle"};
    QTest::newRow("TShlamBox") << "TShlamBox" << QStringList {"Color", "BrushColor"} + pen;
    QTest::newRow("TBarrel") << "TBarrel"
                             << QStringList {"UpColor", "DownColor", "BackColor"} + pen;
    QTest::newRow("TOutField") << "TOutField"
                               << pen
            + QStringList {"FontSize", "FontColor", "FontName", "OutFormat", "BrushColor"};
    QTest::newRow("TPump") << "TPump" << pen + QStringList {"BrushColor"};
    QTest::newRow("TPoligon") << "TPoligon" << pen + QStringList {"BrushColor"};
    QTest::newRow("TSkat keeps nothing") << "TSkat" << QStringList {};
}

void TestElementConfig::writtenKeys()
{
    QFETCH(QString, className);
    QFETCH(QStringList, keys);
    std::unique_ptr<QWidget> widget(CreateElement(className));
    auto *element = qobject_cast<TElement *>(widget.get());
    QVERIFY(element);
    element->setObjectName(QStringLiteral("Element_1"));
    element->SetConfigName(File(className + ".INI"));
    QVERIFY(element->SaveConfig());
    // In the order the keys are written: the files are read by people as well.
    QCOMPARE(TIniFile(element->GetConfigName()).ReadSection("Element_1"), keys);
}

void TestElementConfig::valueFieldRoundTrip()
{
    TOutField saved;
    saved.setObjectName("OutField_PLSZ");
    saved.SetConfigName(File("FormMnemo.INI"));
    saved.Pen().SetColor(clLime);
    saved.Pen().SetWidth(3);
    saved.Pen().SetStyle(psDot);
    saved.Font().SetName("Arial");
    saved.Font().SetSize(14);
    saved.Font().SetColor(clAqua);
    saved.Brush().SetColor(clNavy);
    saved.SetOutFormat("###0 кг/м3");
    QVERIFY(saved.SaveConfig());

    TOutField loaded;
    loaded.setObjectName("OutField_PLSZ");
    loaded.SetConfigName(saved.GetConfigName());
    QVERIFY(loaded.LoadConfig());
    QVERIFY(loaded.GetPen() == saved.GetPen());
    QCOMPARE(loaded.GetFont().Name(), QStringLiteral("Arial"));
    QCOMPARE(loaded.GetFont().Size(), 14);
    QCOMPARE(loaded.GetFont().Color(), clAqua);
    QCOMPARE(loaded.GetBrush().Color(), clNavy);
    QCOMPARE(loaded.GetOutFormat(), QStringLiteral("###0.0")); // written, never read back
    QCOMPARE(TIniFile(saved.GetConfigName()).ReadString("OutField_PLSZ", "OutFormat", ""),
             QStringLiteral("###0 кг/м3"));
}

void TestElementConfig::pipeReadsOnlyWidthAndColour()
{
    TArrow saved;
    saved.setObjectName("Arrow7");
    saved.SetConfigName(File("Colors.INI"));
    saved.SetArrowWidth(6);
    saved.SetColor(clGreen);
    saved.SetEdgeLength(12);
    saved.SetEdgeAngle(90);
    QVERIFY(saved.SaveConfig());
    TArrow loaded;
    loaded.setObjectName("Arrow7");
    loaded.SetConfigName(saved.GetConfigName());
    QVERIFY(loaded.LoadConfig(QString()));
    QCOMPARE(loaded.GetArrowWidth(), 6);
    QCOMPARE(loaded.GetColor(), clGreen);
    QCOMPARE(loaded.GetEdgeLength(), 5);
    QCOMPARE(loaded.GetEdgeAngle(), 60);
}

void TestElementConfig::sectionCopiedFromAnotherElement()
{
    QWidget form;
    TArrow source(&form);
    TArrow target(&form);
    source.setObjectName("Arrow1");
    target.setObjectName("Arrow2");
    for (TArrow *arrow : {&source, &target})
        arrow->SetConfigName(File("FormMnemo.INI"));
    source.SetColor(clPurple);
    source.SetArrowWidth(9);
    QVERIFY(source.SaveConfig());
    QVERIFY(target.SaveConfig());
    QVERIFY(target.LoadConfig("Arrow1"));
    QCOMPARE(target.GetColor(), clPurple);
    QCOMPARE(target.GetArrowWidth(), 9);
    // Its own section still holds what it saved before.
    QVERIFY(target.LoadConfig());
    QCOMPARE(target.GetColor(), clRed);
    QCOMPARE(target.GetArrowWidth(), 3);
}

void TestElementConfig::systemColourAsNegativeInteger()
{
    TOutField field;
    field.setObjectName("Field");
    field.SetConfigName(File("Colors.INI"));
    field.Brush().SetColor(clBtnFace);
    QVERIFY(field.SaveConfig());
    QFile file(field.GetConfigName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(file.readAll()).contains("BrushColor=-2147483633"));
    TOutField loaded;
    loaded.setObjectName("Field");
    loaded.SetConfigName(field.GetConfigName());
    QVERIFY(loaded.LoadConfig());
    QCOMPARE(loaded.GetBrush().Color(), clBtnFace);
}

void TestElementConfig::missingFileOrKeysChangeNothing()
{
    TArrow arrow;
    arrow.setObjectName("Arrow3");
    arrow.SetColor(clTeal);
    arrow.SetConfigName(File("absent.INI"));
    QVERIFY(arrow.LoadConfig());
    QCOMPARE(arrow.GetColor(), clTeal);

    TIniFile ini(File("partial.INI"));
    ini.WriteInteger("Arrow3", "ArrowWidth", 7);
    arrow.SetConfigName(ini.FileName());
    QVERIFY(arrow.LoadConfig());
    QCOMPARE(arrow.GetArrowWidth(), 7);
    QCOMPARE(arrow.GetColor(), clTeal);
    QVERIFY(arrow.LoadConfig("NoSuchSection"));
    QCOMPARE(arrow.GetArrowWidth(), 7);
}

// A file that cannot be written is reported as a failure by every element.
void TestElementConfig::unwritableFileFails()
{
    for (const char *className : {"TOutField", "TArrow", "TWaterBox"}) {
        std::unique_ptr<QWidget> widget(CreateElement(className));
        auto *element = qobject_cast<TElement *>(widget.get());
        element->setObjectName("X");
        element->SetConfigName(File("no/such/folder/Colors.INI"));
        QVERIFY2(!element->SaveConfig(), className);
    }
}

TALMER_TEST(TestElementConfig)
#include "TestElementConfig.moc"
