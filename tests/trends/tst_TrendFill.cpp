#include "TestMain.h"
#include "charts/ChartScale.h"
#include "charts/TrendStore.h"
#include "trends/TrendFill.h"

#include <QTest>
#include <memory>

namespace {

const TMoment Base = EncodeMoment(2026, 3, 10) + 7 * OneHour;

// "m:a,b ..." records at minute m with one value per column, "-" a NULL field.
struct TRecords
{
    QList<TMoment> Moments;
    QList<QList<std::optional<double>>> Values;

    // The records from the first-th on into a fresh fill, as one fetch does.
    void FillInto(const TTrendFill::TSink &sink, int columns, int first = 0) const
    {
        TTrendFill fill(columns, sink);
        for (int i = first; i < Moments.size(); ++i)
            fill.Add(Moments.at(i), {Values.at(i).data(), size_t(Values.at(i).size())});
    }
};

TRecords ParseRecords(const QString &text)
{
    TRecords records;
    for (const QString &token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = token.split(QLatin1Char(':'));
        records.Moments << Base + parts.at(0).toDouble() * OneMinute;
        QList<std::optional<double>> values;
        for (const QString &v : parts.at(1).split(QLatin1Char(',')))
            values << (v == QLatin1String("-") ? std::nullopt
                                               : std::optional<double>(v.toDouble()));
        records.Values << values;
    }
    return records;
}

// One slot as "." (empty), "v" or "min/max".
QString SlotText(const TrendSlot &slot)
{
    if (!slot.Present)
        return QStringLiteral(".");
    if (!slot.HasSecond)
        return QString::number(slot.Value);
    return QStringLiteral("%1/%2").arg(slot.Value).arg(slot.Value2);
}

} // namespace

// The records-to-slots rule of the trend windows, into the chart's own slot store.
class TestTrendFill : public QObject
{
    Q_OBJECT

private slots:
    void recordsToSlots_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QStringList>("expected"); // per column, slots from minute 0 on

        QTest::newRow("a minute apart: each record also in its own slot")
            << "0:1 1:2 2:3" << QStringList {"1/3 2/3 3 ."};
        QTest::newRow("a missing record is held over") << "0:1 2:3" << QStringList {"1/3 3 3 ."};
        QTest::newRow("a hole of exactly 5 minutes is held")
            << "0:1 5:2" << QStringList {"1/2 2 2 2 2 2 ."};
        QTest::newRow("a hole of exactly 6 minutes stays empty")
            << "0:1 6:2" << QStringList {"1 . . . . . 2 ."};
        QTest::newRow("a NULL leaves its slot empty, not held over, not 0")
            << "0:1,1 1:2,2 2:-,3 3:4,4 4:5,5"
            << QStringList {"1/2 2 . 4/5 5 .", "1/3 2/4 3/5 4/5 5 ."};
        QTest::newRow("a NULL first record") << "0:- 1:2 2:3" << QStringList {". 2/3 3 ."};
    }
    void recordsToSlots()
    {
        QFETCH(QString, records);
        QFETCH(QStringList, expected);
        auto store = std::make_unique<TTrendStore>();
        auto sink = [&store](int column, TMoment at, double value) {
            const int slot = int(TimeToIndexRaw(at, Base, Base + 1 - OneSecond, 60));
            store->AddSample(column, slot, value, false, TSampleTime::Inside, false);
        };
        const TRecords input = ParseRecords(records);
        input.FillInto(sink, expected.size());
        for (int column = 0; column < expected.size(); ++column) {
            QStringList shown;
            for (int slot = 0; slot < expected.at(column).count(QLatin1Char(' ')) + 1; ++slot)
                shown << SlotText(store->Slot(column, slot));
            QCOMPARE(shown.join(QLatin1Char(' ')), expected.at(column));
        }
        // The timer fetches the newest record again: it merges into its slot without change.
        const auto before = std::make_unique<TTrendStore>(*store);
        input.FillInto(sink, expected.size(), input.Moments.size() - 1);
        for (int column = 0; column < expected.size(); ++column)
            for (int slot = 0; slot < 10; ++slot)
                QCOMPARE(SlotText(store->Slot(column, slot)), SlotText(before->Slot(column, slot)));
    }

    void lastHeldMoment_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<double>("lastHeld"); // minutes from the base
        QTest::newRow("one record") << "3:1" << 3.0;
        QTest::newRow("a minute apart: the step before the newest") << "0:1 1:1 2:1" << 2 - 1 / 6.0;
        QTest::newRow("after a break: the newest") << "0:1 9:1" << 9.0;
        QTest::newRow("a NULL record moves it like any other") << "0:1 1:-" << 1 - 1 / 6.0;
    }
    void lastHeldMoment()
    {
        QFETCH(QString, records);
        QFETCH(double, lastHeld);
        const TRecords input = ParseRecords(records);
        TTrendFill fill(1, [](int, TMoment, double) {});
        QVERIFY(!fill.Started());
        for (int i = 0; i < input.Moments.size(); ++i)
            fill.Add(input.Moments.at(i),
                     {input.Values.at(i).data(), size_t(input.Values.at(i).size())});
        QCOMPARE(qRound64((fill.LastHeld() - Base) * 86400), qRound64(lastHeld * 60));
    }
};

TALMER_TEST(TestTrendFill)
#include "tst_TrendFill.moc"
