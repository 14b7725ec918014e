#include "TestMain.h"
#include "base/FormDesign.h"
#include "elements/Arrow.h"
#include "elements/ElementLibrary.h"
#include "elements/OutField.h"
#include "elements/Panel.h"

#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

class TestFormDesign : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterElementLibrary(); }
    void buildsComponentsInFileOrder();
    void brokenDesignIsRefused_data();
    void brokenDesignIsRefused();

private:
    QString Write(const QByteArray &json);
    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TestFormDesign::Write(const QByteArray &json)
{
    const QString path = m_dir.filePath(QStringLiteral("form%1.json").arg(++m_files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestFormDesign::buildsComponentsInFileOrder()
{
    // The second pipe names the first before it exists in the file: links resolve at the end.
    const QString path = Write(R"({ "components": [
      { "class": "TPanel", "name": "Panel1", "geometry": [10, 20, 300, 200], "tag": 7 },
      { "class": "TArrow", "name": "Arrow2", "parent": "Panel1", "geometry": [5, 6, 50, 10],
        "tag": 100, "properties": { "NextArrow": "Arrow1", "ArrowWidth": 4,
                                    "BubbleList": ["a", "b"] } },
      { "class": "TArrow", "name": "Arrow1", "geometry": [0, 0, 40, 40],
        "properties": { "NextArrow": "" } },
      { "class": "TOutField", "name": "OutField_PLS", "geometry": [1, 2, 80, 24],
        "properties": { "OutFormat": "#0.0", "VAlign": 1,
                        "Pen": { "Color": 255, "Width": 3 },
                        "Font": { "Name": "Arial", "Height": -19, "Style": 1 } } } ] })");
    QWidget form;
    const QList<QWidget *> components = LoadFormDesign(&form, path);
    QCOMPARE(components.size(), 4);
    QStringList names;
    for (const QWidget *component : components)
        names << component->objectName();
    QCOMPARE(names, QStringList({"Panel1", "Arrow2", "Arrow1", "OutField_PLS"}));

    auto *panel = qobject_cast<TPanel *>(components[0]);
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(10, 20, 300, 200));
    QCOMPARE(panel->GetTag(), 7);

    auto *arrow2 = qobject_cast<TArrow *>(components[1]);
    auto *arrow1 = qobject_cast<TArrow *>(components[2]);
    QVERIFY(arrow1 && arrow2);
    QCOMPARE(arrow2->parentWidget(), panel);
    QCOMPARE(arrow2->GetNextArrow(), arrow1);
    QCOMPARE(arrow1->GetNextArrow(), nullptr);
    QCOMPARE(arrow2->GetTag(), 100);
    QCOMPARE(arrow2->GetArrowWidth(), 4);
    QCOMPARE(arrow2->GetBubbleList(), QStringList({"a", "b"}));

    auto *field = qobject_cast<TOutField *>(components[3]);
    QVERIFY(field);
    QCOMPARE(field->GetOutFormat(), QStringLiteral("#0.0"));
    QCOMPARE(field->GetVAlign(), vb_VAlignTop);
    QCOMPARE(field->GetPen().Color(), TColor(255));
    QCOMPARE(field->GetPen().Width(), 3);
    QCOMPARE(field->GetFont().Name(), QStringLiteral("Arial"));
    QCOMPARE(field->GetFont().Height(), -19);
    QCOMPARE(field->GetFont().Style(), int(fsBold));
}

void TestFormDesign::brokenDesignIsRefused_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("reason");
    QTest::newRow("unknown class")
        << QByteArray(R"({"components": [{"class": "TNoSuch", "name": "X"}]})") << "TNoSuch";
    QTest::newRow("unknown property")
        << QByteArray(R"({"components": [{"class": "TArrow", "name": "A",
                          "properties": {"Colour": 1}}]})")
        << "Colour";
    QTest::newRow("parent not yet listed")
        << QByteArray(R"({"components": [{"class": "TArrow", "name": "A", "parent": "P"},
                          {"class": "TPanel", "name": "P"}]})")
        << "parent P";
    QTest::newRow("link to nothing")
        << QByteArray(R"({"components": [{"class": "TArrow", "name": "A",
                          "properties": {"NextArrow": "B"}}]})")
        << "B";
    QTest::newRow("link to a component of another class")
        << QByteArray(R"({"components": [{"class": "TPanel", "name": "P"},
                          {"class": "TArrow", "name": "A", "properties": {"NextArrow": "P"}}]})")
        << "NextArrow";
    QTest::newRow("not JSON") << QByteArray("{ components: ") << "form";
}

void TestFormDesign::brokenDesignIsRefused()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, reason);
    QWidget form;
    try {
        LoadFormDesign(&form, Write(json));
        QFAIL("a broken design was accepted");
    } catch (const std::runtime_error &error) {
        QVERIFY2(QString::fromStdString(error.what()).contains(reason), error.what());
    }
}

TALMER_TEST(TestFormDesign)
#include "TestFormDesign.moc"
