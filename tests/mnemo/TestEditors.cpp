#include "RecordingFeedback.h"
#include "TestMain.h"
#include "WhenModal.h"
#include "app/Layout.h"
#include "base/ElementRegistry.h"
#include "base/IniFile.h"
#include "elements/Arrow.h"
#include "elements/Barrel.h"
#include "elements/ElementLibrary.h"
#include "elements/Label.h"
#include "elements/OutField.h"
#include "elements/Poligon.h"
#include "elements/Pump.h"
#include "mnemo/ArrowEditor.h"
#include "mnemo/BarrelEditor.h"
#include "mnemo/OutFieldEditor.h"
#include "mnemo/PoligonEditor.h"
#include "mnemo/PumpEditor.h"

#include <QColorDialog>
#include <QDir>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// A window with elements bound to its layout file, as the diagram binds them.
struct TLayoutWindow
{
    QWidget window;
    QList<QWidget *> components;
    QString file = LayoutFilePath(QStringLiteral("FormEditorTest"));

    TLayoutWindow() { window.setObjectName(QStringLiteral("FormEditorTest")); }

    template<class T> T *Add(const QString &name, int tag, const QRect &geometry)
    {
        auto *element = new T(&window);
        element->setObjectName(name);
        element->SetTag(tag);
        element->SetConfigName(file);
        element->setGeometry(geometry);
        components.append(element);
        return element;
    }
    void Show()
    {
        window.resize(400, 300);
        ApplyLayout(&window, components, file);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
};

void Click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {},
                      QPoint(widget->width() / 2, widget->height() / 2));
}

// Inside the open editor: a new width, a colour for the first colour button, "Применить".
void EditAndApply(TElementEditor *editor, const QString &width, const QColor &colour)
{
    editor->EditWidth->setText(width);
    WhenModal<QColorDialog>([colour](QColorDialog *dialog) {
        dialog->setCurrentColor(colour);
        dialog->accept();
    });
    Click(editor->ColourButtons.first());
    Click(editor->ButApply);
}

QImage Look(QWidget *widget)
{
    return widget->grab().toImage();
}

// An element of that class on window, named "Target", in the test's layout file.
TElement *MakeTarget(const QString &className, QWidget *window, const QPoint &place)
{
    auto *element = qobject_cast<TElement *>(CreateElement(className, window));
    if (!element)
        return nullptr;
    element->setObjectName(QStringLiteral("Target"));
    element->SetConfigName(LayoutFilePath(QStringLiteral("FormEditorTest")));
    element->setGeometry(QRect(place, QSize(80, 80)));
    element->show();
    return element;
}

} // namespace

class TestEditors : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_oldCurrent;
    std::unique_ptr<TFormArrowEdit> m_arrowEdit;
    std::unique_ptr<TFormEditBarrel> m_barrelEdit;
    std::unique_ptr<TFormOutFieldEdit> m_fieldEdit;
    std::unique_ptr<TFormEditPoligon> m_poligonEdit;
    std::unique_ptr<TFormEditPump> m_pumpEdit;

private slots:
    void initTestCase()
    {
        RegisterElementLibrary();
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        m_arrowEdit = std::make_unique<TFormArrowEdit>();
        m_barrelEdit = std::make_unique<TFormEditBarrel>();
        m_fieldEdit = std::make_unique<TFormOutFieldEdit>();
        m_poligonEdit = std::make_unique<TFormEditPoligon>();
        m_pumpEdit = std::make_unique<TFormEditPump>();
    }
    void cleanupTestCase()
    {
        m_arrowEdit.reset();
        m_barrelEdit.reset();
        m_fieldEdit.reset();
        m_poligonEdit.reset();
        m_pumpEdit.reset();
        QDir::setCurrent(m_oldCurrent);
    }
    void init() { QFile::remove(LayoutFilePath(QStringLiteral("FormEditorTest"))); }
    void cleanup() { SetInteractiveSetup(false); }

    void clickOpensTheEditorOnlyInSetupMode_data()
    {
        QTest::addColumn<bool>("field");
        QTest::newRow("pipe") << false;
        QTest::newRow("value field") << true;
    }
    void clickOpensTheEditorOnlyInSetupMode()
    {
        QFETCH(bool, field);
        TLayoutWindow w;
        TElement *element = field
            ? static_cast<TElement *>(w.Add<TOutField>("Field1", 0, QRect(10, 10, 80, 30)))
            : w.Add<TArrow>("Pipe1", 100, QRect(10, 10, 80, 20));
        w.Show();
        int opened = 0;
        const auto expectEditor = [&] {
            WhenModal<TElementEditor>([&](TElementEditor *editor) {
                ++opened;
                QCOMPARE(editor,
                         field ? static_cast<TElementEditor *>(m_fieldEdit.get())
                               : m_arrowEdit.get());
                QCOMPARE(editor->Target(), element);
                QVERIFY(editor->windowFlags() & Qt::Tool);
                editor->reject();
            });
        };
        bool modalSeen = false;
        QTimer::singleShot(50, [&modalSeen] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                modalSeen = true;
                modal->close();
            }
        });
        Click(element);
        QTest::qWait(100);
        QVERIFY(!modalSeen);

        SetInteractiveSetup(true);
        ApplyLayout(&w.window, w.components, w.file);
        QCOMPARE(element->cursor().shape(), Qt::CrossCursor);
        expectEditor();
        Click(element);
        QCOMPARE(opened, 1);
    }

    void saveForGroup_data()
    {
        QTest::addColumn<int>("tag");
        QTest::newRow("group 100") << 100;
        QTest::newRow("no group") << 0;
    }
    void saveForGroup()
    {
        QFETCH(int, tag);
        TLayoutWindow w;
        TArrow *edited = w.Add<TArrow>("Pipe1", tag, QRect(10, 10, 80, 20));
        TArrow *sameGroup = w.Add<TArrow>("Pipe2", tag, QRect(10, 40, 80, 20));
        TArrow *otherGroup = w.Add<TArrow>("Pipe3", 200, QRect(10, 70, 80, 20));
        TOutField *otherClass = w.Add<TOutField>("Field1", tag, QRect(10, 100, 80, 30));
        SetInteractiveSetup(true);
        w.Show();
        const QColor lime(0, 255, 0);
        WhenModal<TFormArrowEdit>([&](TFormArrowEdit *editor) {
            EditAndApply(editor, QStringLiteral("6"), lime);
            Click(editor->ButSaveGroup);
        });
        Click(edited);
        QVERIFY(!m_arrowEdit->isVisible());

        const TIniFile ini(w.file);
        QCOMPARE(edited->GetArrowWidth(), 6);
        QCOMPARE(edited->GetColor(), clLime);
        QCOMPARE(ini.ReadInteger("Pipe1", "ArrowWidth", 0), 6);
        const bool grouped = tag != 0;
        QCOMPARE(sameGroup->GetArrowWidth() == 6, grouped);
        QCOMPARE(sameGroup->GetColor() == clLime, grouped);
        QCOMPARE(ini.ReadInteger("Pipe2", "ArrowWidth", 0), grouped ? 6 : 0);
        QCOMPARE(otherGroup->GetArrowWidth(), 3);
        QCOMPARE(ini.ReadInteger("Pipe3", "ArrowWidth", 0), 0);
        QCOMPARE(ini.ReadInteger("Field1", "PenWidth", 0), 0);
        QCOMPARE(otherClass->GetPen().Width(), 1);
    }

    // The section editors copy an accepted edit to the group too; the level indicator does not.
    void sectionEditorGroups_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<bool>("grouped");
        QTest::newRow("value field") << "TOutField" << true;
        QTest::newRow("pump") << "TPump" << true;
        QTest::newRow("polygon") << "TPoligon" << true;
        QTest::newRow("level indicator") << "TBarrel" << false;
    }
    void sectionEditorGroups()
    {
        QFETCH(QString, className);
        QFETCH(bool, grouped);
        QWidget window;
        QList<TElement *> elements;
        for (const char *name : {"E1", "E2"}) {
            auto *element = qobject_cast<TElement *>(CreateElement(className, &window));
            QVERIFY(element);
            element->setObjectName(name);
            element->SetTag(500);
            element->SetConfigName(LayoutFilePath(QStringLiteral("FormEditorTest")));
            element->resize(60, 60);
            elements.append(element);
        }
        WhenModal<TElementEditor>([](TElementEditor *editor) {
            editor->EditWidth->setText(QStringLiteral("4"));
            QTest::keyClick(editor->EditWidth, Qt::Key_Return);
            Click(editor->ButApply);
            Click(editor->ButSaveGroup);
        });
        QVERIFY(RouteElementClick(&window, elements[0]));
        QCOMPARE(elements[0]->property("Pen").value<TPen>().Width(), 4);
        QCOMPARE(elements[1]->property("Pen").value<TPen>().Width() == 4, grouped);
        // The preview leaves its own section in the edited file.
        QVERIFY(TIniFile(elements[0]->GetConfigName()).ReadSections().size() >= 2);
    }

    // "Применить" keeps the result in the element's own section at once and says so; "Закрыть"
    // (or the window's X) leaves it so, "Отменить" puts back the old look, in the file as well.
    void applyThenCloseOrCancel_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<bool>("cancel");
        for (const char *name : {"TArrow", "TOutField", "TPump", "TPoligon", "TBarrel"}) {
            QTest::addRow("%s, closed", name) << name << false;
            QTest::addRow("%s, cancelled", name) << name << true;
        }
    }
    void applyThenCloseOrCancel()
    {
        QFETCH(QString, className);
        QFETCH(bool, cancel);
        QWidget window;
        window.resize(200, 200);
        TElement *element = MakeTarget(className, &window, QPoint(20, 20));
        QVERIFY(element);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage before = Look(element);
        QImage applied;
        QString said;
        WhenModal<TElementEditor>([&](TElementEditor *editor) {
            EditAndApply(editor, QStringLiteral("9"), QColor(255, 0, 255));
            applied = Look(element);
            if (auto *line = editor->findChild<QLabel *>(QStringLiteral("LabelSaved")))
                said = line->text();
            if (cancel)
                Click(editor->ButCancel);
            else if (editor->ButClose)
                Click(editor->ButClose);
            else
                editor->reject();
        });
        QVERIFY(!RouteElementClick(&window, element));
        QVERIFY(!applied.isNull());
        QVERIFY(applied != before);
        const QImage expected = cancel ? before : applied;
        QCOMPARE(Look(element), expected);
        // As after a restart: the element made afresh from the file.
        TElement *reloaded = MakeTarget(className, &window, QPoint(110, 20));
        reloaded->LoadConfig();
        QCOMPARE(Look(reloaded), expected);
        QVERIFY2(said.contains(QStringLiteral("«Target»"))
                     && said.contains(QStringLiteral("FormEditorTest.INI")),
                 qPrintable(said));
    }

    void widthThatIsNoIntegerKeepsTheEditorOpen()
    {
        RecordingFeedback feedback;
        TLayoutWindow w;
        TArrow *pipe = w.Add<TArrow>("Pipe1", 0, QRect(10, 10, 80, 20));
        bool stillOpen = false;
        WhenModal<TFormArrowEdit>([&](TFormArrowEdit *editor) {
            editor->EditWidth->setText(QStringLiteral("5x"));
            QTest::keyClick(editor->EditWidth, Qt::Key_Return);
            Click(editor->ButApply);
            stillOpen = editor->isVisible();
            Click(editor->ButClose);
        });
        RouteElementClick(&w.window, pipe);
        QVERIFY(stillOpen);
        QCOMPARE(feedback.messages.size(), 2);
        QVERIFY(feedback.lastText().contains(QStringLiteral("5x")));
        QCOMPARE(feedback.messages.last().caption, QStringLiteral("Ошибка"));
        QCOMPARE(pipe->GetArrowWidth(), 3);
    }

    void labelClickOpensTheFontDialog()
    {
        TLayoutWindow w;
        auto *label = new TLabel(&w.window);
        label->setObjectName(QStringLiteral("Label1"));
        label->setText(QStringLiteral("Плотность"));
        label->setGeometry(10, 10, 120, 24);
        w.components.append(label);
        SetInteractiveSetup(true);
        w.Show();
        QCOMPARE(label->cursor().shape(), Qt::CrossCursor);
        WhenModal<QFontDialog>([](QFontDialog *dialog) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSize(15);
            font.setBold(true);
            dialog->setCurrentFont(font);
            dialog->accept();
        });
        Click(label);
        QCOMPARE(label->GetFont().Size(), 15);
        QVERIFY(label->GetFont().Style() & fsBold);
        QCOMPARE(TIniFile(w.file).ReadInteger("Label1", "FontSize", 0), 15);
    }
};

TALMER_TEST(TestEditors)
#include "TestEditors.moc"
