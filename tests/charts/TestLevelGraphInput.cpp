#include "ChartFixture.h"
#include "TestMain.h"

#include <QKeyEvent>
#include <QTest>

namespace {

// Records the keys that the chart passed on to its parent.
class TKeyCatcher : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override { keys.append(event->key()); }
};

} // namespace

// Cursor movement by mouse and arrow keys, driven with real events.
class TestLevelGraphInput : public QObject
{
    Q_OBJECT

    TKeyCatcher *m_parent = nullptr;
    TLevelGraph *m_chart = nullptr;
    int m_changes = 0;

private slots:
    void init()
    {
        m_parent = new TKeyCatcher;
        m_parent->resize(420, 120);
        m_chart = MakeChart().release();
        m_chart->setParent(m_parent);
        m_chart->setGeometry(0, 0, 400, 100);
        m_changes = 0;
        m_chart->SetOnChange([this](TLevelGraph *sender) {
            QCOMPARE(sender, m_chart);
            ++m_changes;
        });
        m_parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_parent));
        m_chart->CalcRegion();
    }
    void cleanup() { delete m_parent; }

    void clickMovesCursor_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right without handler") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }
    void clickMovesCursor()
    {
        QFETCH(Qt::MouseButton, button);
        QTest::mouseClick(m_chart, button, {}, QPoint(200, 50));
        QCOMPARE(m_chart->GetCursorTime(), m_chart->ScreenToTime(200));
        QVERIFY(m_chart->GetCursorTime() > m_chart->GetStartTime());
        QCOMPARE(m_changes, 1);
        QVERIFY(m_chart->hasFocus());
    }

    void rightClickGoesToHandler()
    {
        QPoint seen;
        int calls = 0;
        m_chart->SetOnMouseDown(
            [&](TLevelGraph *, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
                QCOMPARE(button, Qt::RightButton);
                seen = QPoint(x, y);
                ++calls;
            });
        const TMoment before = m_chart->GetCursorTime();
        QTest::mouseClick(m_chart, Qt::RightButton, {}, QPoint(123, 45));
        QCOMPARE(calls, 1);
        QCOMPARE(seen, QPoint(123, 45));
        QCOMPARE(m_chart->GetCursorTime(), before);
        QCOMPARE(m_changes, 0);
        // The left button still moves the cursor.
        QTest::mouseClick(m_chart, Qt::LeftButton, {}, QPoint(123, 45));
        QCOMPARE(calls, 1);
        QCOMPARE(m_changes, 1);
    }

    void arrowKeys_data()
    {
        QTest::addColumn<double>("cursorSlot");
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("expectedSlot");
        QTest::addColumn<int>("changes");
        QTest::newRow("left moves one slot") << 10.0 << int(Qt::Key_Left) << 9.0 << 1;
        QTest::newRow("right moves one slot") << 10.0 << int(Qt::Key_Right) << 11.0 << 1;
        QTest::newRow("left at start stays") << 0.0 << int(Qt::Key_Left) << 0.0 << 0;
        QTest::newRow("right at stop stays") << 720.0 << int(Qt::Key_Right) << 720.0 << 0;
        QTest::newRow("right steps once past the end") << 719.5 << int(Qt::Key_Right) << 720.5 << 1;
    }
    void arrowKeys()
    {
        QFETCH(double, cursorSlot);
        QFETCH(int, key);
        QFETCH(double, expectedSlot);
        QFETCH(int, changes);
        m_chart->SetCursorTime(SlotTime(*m_chart, cursorSlot));
        m_chart->setFocus();
        QTest::keyClick(m_chart, Qt::Key(key));
        QVERIFY(qAbs(m_chart->GetCursorTime() - SlotTime(*m_chart, expectedSlot)) < 1e-9);
        QCOMPARE(m_changes, changes);
        QVERIFY2(m_parent->keys.isEmpty(), "arrow keys must be consumed");
    }

    void otherKeysPassOn()
    {
        m_chart->setFocus();
        QTest::keyClick(m_chart, Qt::Key_Up);
        QCOMPARE(m_parent->keys, QList<int> {Qt::Key_Up});
        QCOMPARE(m_changes, 0);
    }
};

TALMER_TEST(TestLevelGraphInput)
#include "TestLevelGraphInput.moc"
