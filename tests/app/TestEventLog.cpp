#include "app/EventLog.h"
#include "common/RecordingFeedback.h"
#include "common/TestMain.h"

#include <QTest>

class TestEventLog : public QObject
{
    Q_OBJECT

private slots:
    void capacity_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("capacity");
        QTest::newRow("below the minimum") << 3 << 10;
        QTest::newRow("negative") << -1 << 10;
        QTest::newRow("the minimum") << 10 << 10;
        QTest::newRow("the process ring's") << 400 << 400;
    }

    void capacity()
    {
        QFETCH(int, requested);
        QFETCH(int, capacity);
        TEventFIFO ring(requested);
        QCOMPARE(ring.Capacity(), capacity);
        for (int i = 0; i < capacity; ++i)
            QVERIFY(ring.Put(QString::number(i), 0));
        QVERIFY(!ring.Put(QStringLiteral("one too many"), 0));
        QCOMPARE(ring.Count(), capacity);
    }

    // A full ring refuses and beeps; the last post that fits is silent and wraps the write index.
    void fillsToCapacity()
    {
        RecordingFeedback feedback;
        TEventFIFO ring(400);
        for (int i = 1; i < 400; ++i)
            QVERIFY(ring.Post(QStringLiteral("event %1").arg(i), 0));
        QCOMPARE(ring.WriteIndex(), 399);
        QVERIFY(ring.Post(QStringLiteral("event 400"), 0));
        QCOMPARE(feedback.beeps, 0);
        QCOMPARE(ring.WriteIndex(), 0);
        QCOMPARE(ring.Count(), 400);

        QVERIFY(!ring.Post(QStringLiteral("event 401"), 0));
        QCOMPARE(feedback.beeps, 1);
        QCOMPARE(ring.Count(), 400);
        QCOMPARE(ring.WriteIndex(), 0);
        QCOMPARE(ring.Record(0).Text, QStringLiteral("event 1"));
        QCOMPARE(ring.Record(399).Text, QStringLiteral("event 400"));
        QCOMPARE(ring.ReadIndex(), 0);
    }

    void noTextIsRefusedSilently()
    {
        RecordingFeedback feedback;
        TEventFIFO ring(10);
        QVERIFY(!ring.Post(QString(), 0));
        QCOMPARE(ring.Count(), 0);
        QVERIFY(ring.Post(QStringLiteral(""), 0)); // empty, yet a text
        QCOMPARE(ring.Count(), 1);
        for (int i = 1; i < 10; ++i)
            ring.Post(QStringLiteral("x"), 0);
        QVERIFY(!ring.Post(QString(), 0)); // full, still no beep for no text
        QCOMPARE(feedback.beeps, 0);
    }

    void recordsWhatAndWhen()
    {
        TEventFIFO ring(10);
        SetNowOverride(EncodeMoment(2026, 5, 4, 3, 2, 1));
        ring.Put(QStringLiteral("Ошибка в LoadConfig"), -12);
        SetNowOverride(0);
        const TEventFIFO_Rec &record = ring.Record(0);
        QCOMPARE(record.Text, QStringLiteral("Ошибка в LoadConfig"));
        QCOMPARE(record.Code, -12);
        QCOMPARE(record.Moment, EncodeMoment(2026, 5, 4, 3, 2, 1));
        QVERIFY(record.TickSeconds > 0);
    }

    void postEventUsesTheProcessRing()
    {
        RecordingFeedback feedback;
        TEventFIFO &ring = EventRing();
        QCOMPARE(ring.Capacity(), 400);
        const int before = ring.Count();
        QVERIFY(!PostEvent(QString()));
        QCOMPARE(ring.Count(), before);
        QVERIFY(PostEvent(QStringLiteral("Ошибка в SaveConfig()")));
        QCOMPARE(ring.Count(), before + 1);
        QCOMPARE(ring.Record((ring.WriteIndex() + 399) % 400).Text,
                 QStringLiteral("Ошибка в SaveConfig()"));
        QCOMPARE(feedback.beeps, 0);
    }
};

TALMER_TEST(TestEventLog)
#include "TestEventLog.moc"
