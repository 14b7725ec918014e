#include "TestMain.h"
#include "base/ElementRegistry.h"
#include "elements/ActionLabel.h"
#include "elements/ActionPanel.h"
#include "elements/ElementLibrary.h"
#include "elements/OutField.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <memory>

class TestElementRegistry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { RegisterElementLibrary(); }
    void everyClassCreatesItself();
    void actionControlsFollowTheirAction();
    void propertiesSettableByName();
};

void TestElementRegistry::everyClassCreatesItself()
{
    const QStringList names = RegisteredElementClasses();
    for (const char *name :
         {"TOutField",    "TArrow",       "TConusBox",  "TBarrel",      "TWaterBox",
          "TShlamBox",    "TPullOut",     "TPoligon",   "TSkat",        "TPandus",
          "TValve",       "TWaterCircle", "TPump",      "TTransporter", "TActionPanel",
          "TActionLabel", "TActionImage", "TEBM",       "TColumnMixer", "TBladeWheel",
          "TMixer",       "TFan",         "TSeparator", "TTermoScale",  "TDensMeter",
          "TWaterMEO",    "TAniTrans",    "TFlake",     "TGFlake"})
        QVERIFY2(names.contains(name), name);
    QWidget form;
    for (const QString &name : names) {
        QWidget *element = CreateElement(name, &form);
        QVERIFY(element);
        QCOMPARE(QString::fromLatin1(element->metaObject()->className()), name);
        QCOMPARE(element->parentWidget(), &form);
    }
    QCOMPARE(CreateElement("TNoSuchElement"), nullptr);
}

void TestElementRegistry::actionControlsFollowTheirAction()
{
    QWidget form;
    QAction action("&Задание плотности суспензии", &form);
    action.setToolTip("Плотность");
    QSignalSpy triggered(&action, &QAction::triggered);
    auto *panel = new TActionPanel(&form);
    auto *label = new TActionLabel(&form);
    label->move(0, 60);
    label->resize(200, 20);
    panel->SetAction(&action);
    label->SetAction(&action);
    QCOMPARE(panel->GetCaption(), QStringLiteral("Задание плотности суспензии"));
    QCOMPARE(label->text(), QStringLiteral("Задание плотности суспензии"));
    QCOMPARE(label->toolTip(), QStringLiteral("Плотность"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(triggered.count(), 2);

    action.setText("Нагрузка");
    action.setEnabled(false);
    QCOMPARE(label->text(), QStringLiteral("Нагрузка"));
    QVERIFY(!panel->isEnabled());
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(triggered.count(), 2);
    action.setVisible(false);
    QVERIFY(!label->isVisible());
    QVERIFY(!panel->isVisible());
}

// The design-file loader sets properties by name from plain values and style objects.
void TestElementRegistry::propertiesSettableByName()
{
    std::unique_ptr<QWidget> widget(CreateElement("TOutField"));
    auto *field = qobject_cast<TOutField *>(widget.get());
    QVERIFY(field);
    QVERIFY(field->setProperty("VAlign", 2));
    QCOMPARE(field->GetVAlign(), vb_VAlignBottom);
    QVERIFY(field->setProperty("Tag", 300));
    QCOMPARE(field->GetTag(), 300);
    TPen pen;
    pen.SetColor(clFuchsia);
    pen.SetWidth(2);
    QVERIFY(field->setProperty("Pen", QVariant::fromValue(pen)));
    QVERIFY(field->GetPen() == pen);
    QCOMPARE(field->property("Pen").value<TPen>().Color(), clFuchsia);
    QVERIFY(field->IsDirty());
}

TALMER_TEST(TestElementRegistry)
#include "TestElementRegistry.moc"
