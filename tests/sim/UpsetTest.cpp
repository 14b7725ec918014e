#include "common/TestMain.h"
#include "core/PlantModel.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(Upset)

// The plant's upsets, minute by minute: a forced one shows at once and passes, none come when
// they are switched off, and some come at the usual rate.
class UpsetTest : public QObject
{
    Q_OBJECT

    static QList<PlantRecord> Run(PlantModel &model, int minutes)
    {
        QList<PlantRecord> records;
        Journal journal;
        const QDateTime start(QDate(2026, 6, 10), QTime(8, 0));
        for (int i = 0; i < minutes; ++i)
            records << model.Step(start.addSecs(60 * i), journal);
        return records;
    }

    // Whether the record shows what the upset does to the plant.
    static bool Shows(Upset upset, const PlantRecord &r)
    {
        switch (upset) {
        case Upset::Density:
            return r.RAB > 0 && std::abs(r.PLS - r.PLSZ) > 30;
        case Upset::Sump:
            return r.URKS > 90;
        case Upset::Conveyor23:
            return r.BKK23 < 1 && r.BKK41 >= 1;
        case Upset::Conveyor2:
            return r.BKK2 < 1 && r.RAB > 0;
        case Upset::None:
            break;
        }
        return false;
    }
    // Records showing an upset the plant never causes itself (its start-ups do take the
    // density off its set-point for a while).
    static int Count(const QList<PlantRecord> &records)
    {
        int count = 0;
        for (const PlantRecord &r : records) {
            for (Upset upset : {Upset::Sump, Upset::Conveyor23, Upset::Conveyor2})
                count += Shows(upset, r);
        }
        return count;
    }

private slots:
    void forcedUpsetShowsAndPasses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Upset>("upset");
        QTest::newRow("density") << "density" << Upset::Density;
        QTest::newRow("sump") << "sump" << Upset::Sump;
        QTest::newRow("conveyor 23") << "conveyor23" << Upset::Conveyor23;
        QTest::newRow("conveyor 2") << "conveyor2" << Upset::Conveyor2;
    }

    void forcedUpsetShowsAndPasses()
    {
        QFETCH(QString, name);
        QFETCH(Upset, upset);
        QCOMPARE(UpsetFromName(name), std::optional<Upset>(upset));
        PlantModel model(3);
        model.SetUpsetsPerDay(0);
        model.ForceUpset(upset);
        const QList<PlantRecord> records = Run(model, 40);
        int first = -1, last = -1;
        for (int i = 0; i < records.size(); ++i) {
            if (Shows(upset, records[i])) {
                first = first < 0 ? i : first;
                last = i;
            }
        }
        QVERIFY2(first >= 0 && first < 8, qPrintable(QString::number(first)));
        QVERIFY(last - first >= 1); // long enough for an alarm's delay
        QVERIFY(last < 35);
        QCOMPARE(model.CurrentUpset(), Upset::None);
    }

    void upsetsComeAtTheirRate_data()
    {
        QTest::addColumn<double>("perDay");
        QTest::addColumn<bool>("some");
        QTest::newRow("switched off") << 0.0 << false;
        QTest::newRow("usual rate") << 6.0 << true;
    }

    void upsetsComeAtTheirRate()
    {
        QFETCH(double, perDay);
        QFETCH(bool, some);
        PlantModel model(4);
        model.SetUpsetsPerDay(perDay);
        QCOMPARE(Count(Run(model, 3 * 1440)) > 0, some);
        QVERIFY(!UpsetFromName(QStringLiteral("flood")));
    }
};

TALMER_TEST(UpsetTest)
#include "UpsetTest.moc"
