#include "app/Global.h"
#include "app/GroupColours.h"
#include "app/Layout.h"
#include "base/ElementRegistry.h"
#include "base/IniFile.h"
#include "common/TestMain.h"
#include "elements/ActionLabel.h"
#include "elements/Arrow.h"
#include "elements/ElementLibrary.h"
#include "elements/Label.h"
#include "elements/OutField.h"
#include "elements/Pump.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The route rows a test installs, cleared again when it ends.
struct TRouteRecorder
{
    QList<QPair<QWidget *, QWidget *>> calls; // (sender, window)

    TRouteRecorder(std::initializer_list<const char *> classes)
    {
        for (const char *name : classes) {
            m_names.append(QString::fromLatin1(name));
            SetEditRoute(m_names.last(), [this](QWidget *sender, QWidget *window) {
                calls.append(qMakePair(sender, window));
                return true;
            });
        }
    }
    ~TRouteRecorder()
    {
        for (const QString &name : m_names)
            SetEditRoute(name, {});
    }

private:
    QStringList m_names;
};

void Click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_oldCurrent;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        RegisterElementLibrary();
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldCurrent); }
    void cleanup() { SetInteractiveSetup(false); }

    void layoutFileLivesInTheConfigFolder()
    {
        const QString path = LayoutFilePath(QStringLiteral("FormMnemo"));
        QCOMPARE(path, m_dir.filePath(QStringLiteral("config/FormMnemo.INI")));
        QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("config"))).isDir());
    }

    void clickRoutesOnlyInSetupMode_data()
    {
        QTest::addColumn<QString>("className");
        QTest::newRow("pipe") << "TArrow";
        QTest::newRow("value field") << "TOutField";
        QTest::newRow("label") << "TLabel";
        QTest::newRow("pump") << "TPump";
        QTest::newRow("polygon") << "TPoligon";
        QTest::newRow("level indicator") << "TBarrel";
    }
    void clickRoutesOnlyInSetupMode()
    {
        QFETCH(QString, className);
        TRouteRecorder routes {"TArrow", "TOutField", "TLabel", "TPump", "TPoligon", "TBarrel"};
        QWidget window;
        window.resize(200, 200);
        QWidget *element = CreateElement(className, &window);
        QVERIFY(element);
        element->setGeometry(10, 10, 50, 30);
        window.show();
        const QList<QWidget *> components {element};
        const QString file = LayoutFilePath(QStringLiteral("LayoutClick"));

        ApplyLayout(&window, components, file);
        Click(element);
        QVERIFY(routes.calls.isEmpty());
        QCOMPARE(element->cursor().shape(), Qt::ArrowCursor);

        SetInteractiveSetup(true);
        ApplyLayout(&window, components, file);
        QCOMPARE(element->cursor().shape(), Qt::CrossCursor);
        Click(element);
        QCOMPARE(routes.calls.size(), 1);
        QCOMPARE(routes.calls[0].first, element);
        QCOMPARE(routes.calls[0].second, &window);

        SetInteractiveSetup(false);
        ApplyLayout(&window, components, file);
        Click(element);
        QCOMPARE(routes.calls.size(), 1);
        QCOMPARE(element->cursor().shape(), Qt::ArrowCursor);
    }

    // A set-point field keeps its own click and hand cursor across the setup mode.
    void ownClickComesBackAfterSetupMode()
    {
        TRouteRecorder routes {"TOutField"};
        QWidget window;
        window.resize(200, 200);
        auto *field = new TOutField(&window);
        field->setGeometry(10, 10, 80, 30);
        int ownClicks = 0;
        field->OnClick().Set([&](QObject *) { ++ownClicks; }, &window);
        field->setCursor(Qt::PointingHandCursor);
        window.show();
        const QList<QWidget *> components {field};
        const QString file = LayoutFilePath(QStringLiteral("LayoutOwnClick"));

        for (bool on : {true, false, true, false}) {
            SetInteractiveSetup(on);
            ApplyLayout(&window, components, file);
            // Re-applying while on must not make the route the handler to give back.
            ApplyLayout(&window, components, file);
        }
        Click(field);
        QCOMPARE(ownClicks, 1);
        QCOMPARE(routes.calls.size(), 0);
        QCOMPARE(field->cursor().shape(), Qt::PointingHandCursor);
    }

    // Only the window that bound an element may unbind it.
    void anotherWindowsRouteIsLeftAlone()
    {
        QWidget window, other;
        auto *arrow = new TArrow(&window);
        SetInteractiveSetup(true);
        BindLayoutClick(arrow, &window);
        InteractiveSetup = false;
        BindLayoutClick(arrow, &other);
        QVERIFY(arrow->OnClick().IsAssigned());
        BindLayoutClick(arrow, &window);
        QVERIFY(!arrow->OnClick().IsAssigned());
    }

    void routeUsesTheExactClassName()
    {
        TRouteRecorder routes {"TLabel"};
        QWidget window;
        TActionLabel actionLabel(&window);
        TLabel label(&window);
        QVERIFY(!RouteElementClick(&window, &actionLabel));
        QVERIFY(RouteElementClick(&window, &label));
        QCOMPARE(routes.calls.size(), 1);
        // A row without a handler, and a class without a row, do nothing.
        TArrow arrow(&window);
        QVERIFY(!RouteElementClick(&window, &arrow));
        QVERIFY(!SetEditRoute(QStringLiteral("TActionLabel"), {}));
        QCOMPARE(EditRouteTable().last().Name, QString());
    }

    void failingRouteIsSwallowed()
    {
        SetEditRoute(QStringLiteral("TArrow"),
                     [](QWidget *, QWidget *) -> bool { throw std::runtime_error("broken"); });
        QWidget window;
        TArrow arrow(&window);
        QVERIFY(!RouteElementClick(&window, &arrow));
        SetEditRoute(QStringLiteral("TArrow"), {});
    }

    void applyLayoutLoadsTheOwnSection()
    {
        const QString file = LayoutFilePath(QStringLiteral("LayoutLoad"));
        TIniFile ini(file);
        ini.WriteInteger(QStringLiteral("Pipe1"), QStringLiteral("ArrowWidth"), 7);
        ini.WriteInteger(QStringLiteral("Pipe1"), QStringLiteral("Color"), clLime);
        ini.WriteInteger(QStringLiteral("Field1"), QStringLiteral("PenWidth"), 4);
        ini.WriteInteger(QStringLiteral("Pump1"), QStringLiteral("PenWidth"), 5);
        QWidget window;
        auto *pipe = new TArrow(&window);
        pipe->setObjectName(QStringLiteral("Pipe1"));
        auto *field = new TOutField(&window);
        field->setObjectName(QStringLiteral("Field1"));
        auto *pump = new TPump(&window);
        pump->setObjectName(QStringLiteral("Pump1"));
        ApplyLayout(&window, {pipe, field, pump}, file);
        QCOMPARE(pipe->GetConfigName(), file);
        QCOMPARE(pipe->GetArrowWidth(), 7);
        QCOMPARE(pipe->GetColor(), clLime);
        QCOMPARE(field->GetConfigName(), file);
        QCOMPARE(field->GetPen().Width(), 4);
        QCOMPARE(pump->GetConfigName(), file);
        QCOMPARE(pump->GetPen().Width(), 5);
    }

    void groupColourByExactClass_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<bool>("recoloured");
        QTest::newRow("pipe") << "TArrow" << QByteArray("Color") << true;
        QTest::newRow("value field pen") << "TOutField" << QByteArray("Pen") << true;
        QTest::newRow("value field brush kept") << "TOutField" << QByteArray("Brush") << false;
        QTest::newRow("pump") << "TPump" << QByteArray("Brush") << true;
        QTest::newRow("valve pen") << "TValve" << QByteArray("Pen") << true;
        QTest::newRow("valve brush") << "TValve" << QByteArray("Brush") << true;
        QTest::newRow("polygon") << "TPoligon" << QByteArray("Brush") << true;
        QTest::newRow("cone") << "TConusBox" << QByteArray("WaterColor") << true;
        QTest::newRow("sprinkler") << "TWaterCircle" << QByteArray("WaterColor") << true;
        QTest::newRow("chute") << "TSkat" << QByteArray("Brush") << true;
        QTest::newRow("action panel") << "TActionPanel" << QByteArray("Color") << true;
        QTest::newRow("label") << "TLabel" << QByteArray("Font") << true;
        QTest::newRow("action label") << "TActionLabel" << QByteArray("Font") << false;
        QTest::newRow("tank not in the table") << "TWaterBox" << QByteArray("WaterColor") << false;
    }
    void groupColourByExactClass()
    {
        QFETCH(QString, className);
        QFETCH(QByteArray, property);
        QFETCH(bool, recoloured);
        QWidget window;
        QWidget *inGroup = CreateElement(className, &window);
        QWidget *otherGroup = CreateElement(className, &window);
        QVERIFY(inGroup && otherGroup);
        inGroup->setProperty("Tag", 300);
        otherGroup->setProperty("Tag", 400);
        const auto colourOf = [&](QWidget *w) {
            return ColourProperty(w, property);
        };
        const TColor before = colourOf(otherGroup);
        const TColor colour = 0x123456;
        SetGroupColour({inGroup, otherGroup}, 300, colour);
        QCOMPARE(colourOf(inGroup) == colour, recoloured);
        QCOMPARE(colourOf(otherGroup), before);
    }

    void groupOfAnElement()
    {
        QWidget window;
        auto *a = new TArrow(&window);
        auto *b = new TArrow(&window);
        auto *c = new TArrow(&window);
        auto *field = new TOutField(&window);
        a->SetTag(100);
        b->SetTag(100);
        c->SetTag(200);
        field->SetTag(100);
        const QList<QWidget *> group = ElementGroup(&window, a);
        QCOMPARE(group.size(), 2);
        QVERIFY(group.contains(a) && group.contains(b));
        auto *loose = new TArrow(&window);
        QVERIFY(ElementGroup(&window, loose).isEmpty());
    }

    void labelFontInTheParentsLayoutFile()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("FormLabels"));
        auto *label = new TLabel(&window);
        label->setObjectName(QStringLiteral("Label1"));
        label->Font().SetName(QStringLiteral("Arial"));
        label->Font().SetSize(14);
        label->Font().SetColor(clYellow);
        QVERIFY(SaveLabelFont(label));
        const TIniFile ini(LayoutFilePath(QStringLiteral("FormLabels")));
        QCOMPARE(ini.ReadInteger("Label1", "FontColor", 0), clYellow);
        QCOMPARE(ini.ReadInteger("Label1", "FontSize", 0), 14);
        QCOMPARE(ini.ReadString("Label1", "FontName", {}), QStringLiteral("Arial"));

        label->Font().SetName(QStringLiteral("Times New Roman"));
        label->Font().SetSize(8);
        label->Font().SetColor(clRed);
        QVERIFY(LoadLabelFont(label));
        QCOMPARE(label->GetFont().Name(), QStringLiteral("Arial"));
        QCOMPARE(label->GetFont().Size(), 14);
        QCOMPARE(label->GetFont().Color(), clYellow);

        // A label without a section keeps its font.
        auto *other = new TLabel(&window);
        other->setObjectName(QStringLiteral("Label2"));
        other->Font().SetSize(11);
        QVERIFY(LoadLabelFont(other));
        QCOMPARE(other->GetFont().Size(), 11);
    }

    void groupColoursRoundTrip()
    {
        const QString path = m_dir.filePath(QStringLiteral("colours.INI"));
        TIniFile(path).WriteString(QStringLiteral("OnColors"), QStringLiteral("Condition"),
                                   QStringLiteral("0x0000FF00"));
        TIniFile(path).WriteString(QStringLiteral("OffColors"), QStringLiteral("Water"),
                                   QStringLiteral("not a colour"));
        LoadGroupColours(path);
        QCOMPARE(OnColors[0], clLime);
        QCOMPARE(OnColors[1], clLime); // the default of NonCondition
        QCOMPARE(OffColors[2], clAqua); // unreadable: the default stays
        QCOMPARE(AdvLabelFont.Name, QStringLiteral("Courier New Cyr"));

        OffColors[8] = clSilver;
        AdvLabelFont.Size = 11;
        const QString saved = m_dir.filePath(QStringLiteral("saved.INI"));
        SaveGroupColours(saved);
        const TIniFile ini(saved);
        QCOMPARE(ini.ReadString(QStringLiteral("OffColors"), QStringLiteral("WaterCyrcle"), {}),
                 QStringLiteral("0x00C0C0C0"));
        QCOMPARE(ini.ReadString(QStringLiteral("OnColors"), QStringLiteral("HydroCyclone"), {}),
                 QStringLiteral("0x0000FFFF"));
        QCOMPARE(ini.ReadInteger(QStringLiteral("AdvLabels"), QStringLiteral("FontSize"), 0), 11);
        // Nothing else may read the settings file, which also holds the password.
        QCOMPARE(QFile::permissions(saved) & (QFile::ReadOther | QFile::ReadGroup),
                 QFile::Permissions());
        OffColors[8] = clAqua;
        AdvLabelFont = {};
    }
};

TALMER_TEST(TestLayout)
#include "TestLayout.moc"
