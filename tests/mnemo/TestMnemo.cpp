#include "FrameTestKit.h"
#include "RecordingFeedback.h"
#include "TestDb.h"
#include "TestMain.h"
#include "app/EventLog.h"
#include "app/GroupColours.h"
#include "app/Layout.h"
#include "app/Main.h"
#include "base/Formats.h"
#include "base/Random.h"
#include "elements/AniTrans.h"
#include "elements/Arrow.h"
#include "elements/ColumnMixer.h"
#include "elements/EBM.h"
#include "elements/Flake.h"
#include "elements/GFlake.h"
#include "elements/OutField.h"
#include "elements/Poligon.h"
#include "elements/Pump.h"
#include "elements/WaterCircle.h"
#include "elements/WaterMEO.h"
#include "mnemo/Mnemo.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

using TValues = QMap<QString, double>;

// A plant record: the unit running with all three conveyors loaded.
TValues Running()
{
    return {{"RAB", 1},    {"RN", 1},     {"BKK41", 1},  {"BKK23", 1},  {"BKK2", 1},
            {"TNK41", 80}, {"TNK23", 60}, {"TNK2", 40},  {"PLS", 1450}, {"PLSZ", 1460},
            {"URKS", 55},  {"URNS", 35},  {"VODA1", 20}, {"VODA2", 40}, {"DSUS", 30},
            {"VPIT", 64},  {"TNZ", 120}};
}

TValues With(TValues values, const TValues &changes)
{
    for (auto it = changes.begin(); it != changes.end(); ++it)
        values[it.key()] = it.value();
    return values;
}

QString SqlTime(TMoment moment)
{
    return QLatin1Char('\'') + FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), moment)
        + QLatin1Char('\'');
}

// Distinct running and stopped colours, so a test can tell which set was applied.
const TGroupColours TestOn = {0x0000FF, 0x00FF00, 0xFFFF00, 0x00FFFF, 0xFF0000,
                              0x008080, 0x00FFFE, 0xFE0000, 0xFEFF00};
const TGroupColours TestOff = {0x000080, 0x008000, 0x808000, 0x008081, 0x800000,
                               0x404040, 0x000081, 0x810000, 0x818000};

// The main frame on the private database and the diagram reading its record; the diagram's own
// timer is stopped so the test runs the ticks.
class Plant
{
public:
    Plant()
    {
        SetNowOverride(clock);
        Heartbeat();
        mnemo = std::make_unique<TFormMnemo>();
        mnemo->Timer1->stop();
    }
    ~Plant()
    {
        mnemo.reset();
        SetNowOverride(0);
    }

    // Writes a record one minute after the previous one, a fresh heartbeat, and lets the main
    // frame read it.
    void Record(const TValues &values)
    {
        clock += OneMinute;
        SetNowOverride(clock);
        QStringList columns {QStringLiteral("RecMoment")};
        QStringList texts {SqlTime(clock)};
        for (auto it = values.begin(); it != values.end(); ++it) {
            columns << it.key();
            texts << QString::number(it.value());
        }
        QVERIFY(
            TestDb::Exec(TestDb::Open(),
                         QStringLiteral("INSERT INTO pu_data (%1) VALUES (%2)")
                             .arg(columns.join(QLatin1Char(',')), texts.join(QLatin1Char(',')))));
        Heartbeat();
        frame->TimerRefreshStateTimer();
        QVERIFY(!frame->LastData().isEmpty());
    }
    // The heartbeat stops: the lamp turns red at the frame's next tick.
    void LoseLink()
    {
        SetNowOverride(clock + 60 * OneSecond);
        frame->TimerRefreshStateTimer();
    }
    void Tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            mnemo->Timer1Timer();
    }

    TMoment clock = EncodeMoment(2026, 5, 20, 10, 0, 0);
    FrameUnderTest frame;
    std::unique_ptr<TFormMnemo> mnemo;

private:
    void Heartbeat()
    {
        QVERIFY(
            TestDb::Exec(TestDb::Open(),
                         QStringLiteral("REPLACE INTO last_state (Id, RecMoment) VALUES (1, %1)")
                             .arg(SqlTime(clock))));
    }
};

// The colour every group shows: pipes of groups 100 to 600, a sprinkler, the pumps' and the
// separator's brushes.
struct TShownColours
{
    QList<TColor> Pipes;
    TColor Sprinkler = 0, PumpKS = 0, PumpNS = 0, Rotor = 0, Stator = 0;
    bool operator==(const TShownColours &) const = default;
};

TShownColours Shown(const TFormMnemo &mnemo)
{
    TShownColours shown;
    for (int tag = 100; tag <= 600; tag += 100) {
        for (QWidget *component : mnemo.Components()) {
            if (component->property("Tag").toInt() != tag)
                continue;
            if (auto *arrow = qobject_cast<TArrow *>(component)) {
                shown.Pipes << arrow->GetColor();
                break;
            }
            if (auto *polygon = qobject_cast<TPoligon *>(component)) {
                shown.Pipes << polygon->GetBrush().Color();
                break;
            }
        }
    }
    for (QWidget *component : mnemo.Components()) {
        if (auto *circle = qobject_cast<TWaterCircle *>(component))
            shown.Sprinkler = circle->GetWaterColor();
    }
    shown.PumpKS = mnemo.PumpKS->GetBrush().Color();
    shown.PumpNS = mnemo.PumpNS->GetBrush().Color();
    shown.Rotor = mnemo.EBM1->GetRotorBrush().Color();
    shown.Stator = mnemo.EBM1->GetStatorBrush().Color();
    return shown;
}

TShownColours Expected(const TGroupColours &set)
{
    TShownColours shown;
    for (int index = 0; index <= 5; ++index)
        shown.Pipes << set[index];
    shown.Sprinkler = set[8];
    shown.PumpKS = set[0];
    shown.PumpNS = set[1];
    shown.Rotor = set[6];
    shown.Stator = set[7];
    return shown;
}

} // namespace

Q_DECLARE_METATYPE(TValues)

class TestMnemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        OnColors = TestOn;
        OffColors = TestOff;
    }
    void cleanup() { SetInteractiveSetup(false); }
    void init()
    {
        QVERIFY(TestDb::Truncate(TestDb::Open(),
                                 {QStringLiteral("pu_data"), QStringLiteral("last_state")}));
    }

    void designHoldsEveryDrivenElement_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        for (const char *name :
             {"OutField_PLS", "OutField_PLSZ", "OutField_KS_level", "OutField_NS_level",
              "OutField_VODA1", "OutField_VODA2", "OutField_DSUS", "OutField_DSUS_FLIP",
              "OutField_TNK41", "OutField_TNK23", "OutField_TNK2", "OutField_TNZ", "OutField_VPIT"})
            QTest::newRow(name) << name << "TOutField";
        const char *others[][2] = {{"Flake_KS", "TFlake"},
                                   {"Flake_NS", "TFlake"},
                                   {"GFlake_REG", "TGFlake"},
                                   {"WaterMEO_VODA1", "TWaterMEO"},
                                   {"WaterMEO_VODA2", "TWaterMEO"},
                                   {"WaterMEO_DSUS", "TWaterMEO"},
                                   {"AniTrans_41", "TAniTrans"},
                                   {"AniTrans_23", "TAniTrans"},
                                   {"AniTrans_2", "TAniTrans"},
                                   {"EBM1", "TEBM"},
                                   {"ColumnMixer1", "TColumnMixer"},
                                   {"PumpKS", "TPump"},
                                   {"PumpNS", "TPump"}};
        for (const auto &row : others)
            QTest::newRow(row[0]) << row[0] << row[1];
    }
    void designHoldsEveryDrivenElement()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        Plant plant;
        int found = 0;
        for (QWidget *component : plant.mnemo->Components()) {
            if (component->objectName() == name) {
                ++found;
                QCOMPARE(QString::fromLatin1(component->metaObject()->className()), className);
            }
        }
        QCOMPARE(found, 1);
    }

    // The design fits the window and nothing solid covers another element; pipes may run into
    // the units they feed, but never through a text.
    void designFitsWithoutOverlap()
    {
        QFile file(QStringLiteral(":/forms/FormMnemo.json"));
        Plant plant; // registers the design resource
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonArray components =
            QJsonDocument::fromJson(file.readAll()).object().value("components").toArray();
        QVERIFY(components.size() >= 150);
        struct TBox
        {
            QString Name, Class;
            QRect Rect;
        };
        QList<TBox> boxes;
        for (const QJsonValue &value : components) {
            const QJsonObject c = value.toObject();
            const QJsonArray g = c.value("geometry").toArray();
            boxes.append({c.value("name").toString(), c.value("class").toString(),
                          QRect(g[0].toInt(), g[1].toInt(), g[2].toInt(), g[3].toInt())});
        }
        const QRect window(0, 0, 1280, 746);
        const auto isPipe = [](const TBox &b) {
            return b.Class == QLatin1String("TArrow");
        };
        const auto isText = [](const TBox &b) {
            return b.Class == QLatin1String("TLabel") || b.Class == QLatin1String("TActionLabel")
                || b.Class == QLatin1String("TOutField");
        };
        for (int i = 0; i < boxes.size(); ++i) {
            QVERIFY2(window.contains(boxes[i].Rect), qPrintable(boxes[i].Name));
            for (int j = i + 1; j < boxes.size(); ++j) {
                const TBox &a = boxes[i], &b = boxes[j];
                const bool mayTouch = (isPipe(a) && isPipe(b))
                    || (isPipe(a) != isPipe(b) && !isText(isPipe(a) ? b : a));
                QVERIFY2(mayTouch || !a.Rect.intersects(b.Rect),
                         qPrintable(a.Name + QLatin1String(" / ") + b.Name));
            }
        }
    }

    // Column -> element: each value of the record lands where the diagram shows it.
    void routesValues_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("element");
        QTest::addColumn<double>("shown");
        QTest::newRow("density") << "PLS" << 1520.0 << "OutField_PLS" << 1520.0;
        QTest::newRow("density set-point") << "PLSZ" << 1530.0 << "OutField_PLSZ" << 1530.0;
        QTest::newRow("KS level field") << "URKS" << 61.0 << "OutField_KS_level" << 61.0;
        QTest::newRow("KS tank") << "URKS" << 61.0 << "Flake_KS" << 61.0;
        QTest::newRow("NS level field") << "URNS" << 27.0 << "OutField_NS_level" << 27.0;
        QTest::newRow("NS tank") << "URNS" << 27.0 << "Flake_NS" << 27.0;
        QTest::newRow("dilution field") << "VODA1" << 25.0 << "OutField_VODA1" << 25.0;
        QTest::newRow("dilution valve") << "VODA1" << 25.0 << "WaterMEO_VODA1" << 75.0;
        QTest::newRow("level field") << "VODA2" << 10.0 << "OutField_VODA2" << 10.0;
        QTest::newRow("level valve") << "VODA2" << 10.0 << "WaterMEO_VODA2" << 90.0;
        QTest::newRow("divider gauge") << "DSUS" << 30.0 << "WaterMEO_DSUS" << 30.0;
        QTest::newRow("share to KS") << "DSUS" << 30.0 << "OutField_DSUS" << 70.0;
        QTest::newRow("share to NS") << "DSUS" << 30.0 << "OutField_DSUS_FLIP" << 30.0;
        QTest::newRow("conveyor 41") << "TNK41" << 81.0 << "OutField_TNK41" << 81.0;
        QTest::newRow("conveyor 23") << "TNK23" << 62.0 << "OutField_TNK23" << 62.0;
        QTest::newRow("conveyor 2") << "TNK2" << 43.0 << "OutField_TNK2" << 43.0;
        QTest::newRow("load set-point") << "TNZ" << 125.0 << "OutField_TNZ" << 125.0;
        QTest::newRow("feeder") << "VPIT" << 66.0 << "OutField_VPIT" << 66.0;
    }
    void routesValues()
    {
        QFETCH(QString, column);
        QFETCH(double, value);
        QFETCH(QString, element);
        QFETCH(double, shown);
        Plant plant;
        plant.Record(With(Running(), {{column, value}}));
        plant.Tick();
        QWidget *target = nullptr;
        for (QWidget *component : plant.mnemo->Components()) {
            if (component->objectName() == element)
                target = component;
        }
        QVERIFY(target);
        if (auto *field = qobject_cast<TOutField *>(target))
            QCOMPARE(field->GetOutValue(), shown);
        else if (auto *gauge = qobject_cast<TWaterMEO *>(target))
            QCOMPARE(gauge->GetPosition(), shown);
        else if (auto *tank = qobject_cast<TFlake *>(target))
            QCOMPARE(tank->GetWaterLevel(), shown);
        else
            QFAIL("unexpected element class");
    }

    void divisionShowsBothShares()
    {
        Plant plant;
        plant.Record(With(Running(), {{"DSUS", 30}}));
        plant.Tick();
        QCOMPARE(plant.mnemo->OutField_DSUS->GetCaption(), QStringLiteral("70 %"));
        QCOMPARE(plant.mnemo->OutField_DSUS_FLIP->GetCaption(), QStringLiteral("30 %"));
    }

    // Stopped colours whenever the unit is not known to run; running colours only with RAB > 0
    // on a live link.
    void colourSetFollowsStateAndLink_data()
    {
        QTest::addColumn<TValues>("values");
        QTest::addColumn<bool>("linkLost");
        QTest::addColumn<bool>("running");
        QTest::newRow("running") << Running() << false << true;
        QTest::newRow("running, lamp red") << Running() << true << false;
        QTest::newRow("stopped") << With(Running(), {{"RAB", 0}}) << false << false;
    }
    void colourSetFollowsStateAndLink()
    {
        QFETCH(TValues, values);
        QFETCH(bool, linkLost);
        QFETCH(bool, running);
        Plant plant;
        plant.Record(values);
        if (linkLost)
            plant.LoseLink();
        plant.Tick();
        QCOMPARE(Shown(*plant.mnemo), Expected(running ? TestOn : TestOff));
    }

    void groupsSwitchWithinOneTick()
    {
        Plant plant;
        // Stopped, but conveyor 2 runs under load: the particle counter passes 0.
        plant.Record(With(Running(), {{"RAB", 0}}));
        plant.Tick(2);
        QVERIFY(plant.mnemo->ParticleCounter() > 0);
        QCOMPARE(Shown(*plant.mnemo), Expected(TestOff));

        // With RAB unchanged nothing is re-applied any more.
        plant.mnemo->PumpNS->Brush().SetColor(0x123456);
        plant.Tick();
        QCOMPARE(plant.mnemo->PumpNS->GetBrush().Color(), TColor(0x123456));

        plant.Record(Running());
        plant.Tick();
        QCOMPARE(Shown(*plant.mnemo), Expected(TestOn));
    }

    void coloursReappliedUntilFirstParticleTick()
    {
        Plant plant;
        plant.Record(With(Running(), {{"RN", 0}}));
        plant.Tick();
        QCOMPARE(plant.mnemo->ParticleCounter(), 0);
        plant.mnemo->PumpNS->Brush().SetColor(0x123456);
        plant.Tick();
        QCOMPARE(plant.mnemo->PumpNS->GetBrush().Color(), TestOn[1]);
    }

    void coloursAcceptedAreAppliedAtOnce()
    {
        Plant plant;
        plant.Record(Running());
        plant.Tick(3);
        const TColor previous = OnColors[1];
        OnColors[1] = 0x0A0B0C;
        emit LayoutNotifier().ColoursAccepted();
        QCOMPARE(plant.mnemo->PumpNS->GetBrush().Color(), TColor(0x0A0B0C));
        OnColors[1] = previous;
    }

    // Switching the setup mode reloads the layout file, which holds whatever colour a group
    // showed when it was written: the group colours must come back at once.
    void setupSwitchKeepsGroupColours()
    {
        Plant plant;
        TFormMnemo &m = *plant.mnemo;
        plant.Record(With(Running(), {{"RAB", 0}}));
        plant.Tick();
        // The sections are written during the stop (a group save, an editor's snapshot).
        for (QWidget *component : m.Components()) {
            if (auto *element = qobject_cast<TElement *>(component))
                element->SaveConfig();
        }
        plant.Record(Running());
        plant.Tick(2);
        QVERIFY(m.ParticleCounter() > 0);
        QCOMPARE(Shown(m), Expected(TestOn));
        for (bool on : {true, false}) {
            SetInteractiveSetup(on);
            QCOMPARE(Shown(m), Expected(TestOn));
        }
    }

    // The two suspension collectors face each other with their steps and slopes.
    void collectorsFaceEachOther()
    {
        Plant plant;
        TFlake *left = plant.mnemo->Flake_KS;
        TFlake *right = plant.mnemo->Flake_NS;
        QVERIFY(left->x() < right->x());
        QVERIFY(!left->property("XFlip").toBool());
        QVERIFY(right->property("XFlip").toBool());
    }

    void conveyorLoadGivesCoalSize_data()
    {
        QTest::addColumn<double>("load");
        QTest::addColumn<double>("rk");
        QTest::newRow("1 t/h") << 1.0 << 3.0;
        QTest::newRow("50 t/h") << 50.0 << 6 + 48 * 9 / 98.0;
        QTest::newRow("150 t/h") << 150.0 << 15.0;
        QTest::newRow("-5 t/h") << -5.0 << 0.0;
    }
    void conveyorLoadGivesCoalSize()
    {
        QFETCH(double, load);
        QFETCH(double, rk);
        Plant plant;
        plant.Record(With(Running(), {{"TNK41", load}, {"TNK23", load}, {"TNK2", load}}));
        plant.Tick();
        QCOMPARE(plant.mnemo->AniTrans_41->GetRk(), rk);
        QCOMPARE(plant.mnemo->AniTrans_23->GetRk(), rk);
        QCOMPARE(plant.mnemo->AniTrans_2->GetRk(), rk);
        QVERIFY(qAbs(ConveyorSpeed(50) - 10.4) < 0.05);
    }

    // What moves in which state: conveyor positions, separator blades, mixer particles.
    void motionFollowsFlags_data()
    {
        QTest::addColumn<TValues>("values");
        QTest::addColumn<bool>("linkLost");
        QTest::addColumn<bool>("feedMoves");
        QTest::addColumn<bool>("feedCoal");
        QTest::addColumn<bool>("plantMoves");
        QTest::newRow("all running") << Running() << false << true << true << true;
        QTest::newRow("conveyor 2 stopped")
            << With(Running(), {{"BKK2", 0}}) << false << true << true << false;
        QTest::newRow("feed conveyors stopped")
            << With(Running(), {{"BKK41", 0}, {"BKK23", 0}}) << false << false << false << true;
        QTest::newRow("lamp red") << Running() << true << false << false << false;
    }
    void motionFollowsFlags()
    {
        QFETCH(TValues, values);
        QFETCH(bool, linkLost);
        QFETCH(bool, feedMoves);
        QFETCH(bool, feedCoal);
        QFETCH(bool, plantMoves);
        Plant plant;
        plant.Record(values);
        if (linkLost)
            plant.LoseLink();
        TFormMnemo &m = *plant.mnemo;
        plant.Tick();
        const double p41 = m.AniTrans_41->GetPosition();
        const double p23 = m.AniTrans_23->GetPosition();
        const double p2 = m.AniTrans_2->GetPosition();
        const int blades = m.EBM1->GetBladeAngle();
        const qint32 counter = m.ParticleCounter();
        plant.Tick(2);
        const auto twoSteps = [](double p, double high = 100) {
            return WrapStep(WrapStep(p, high, -1, 0), high, -1, 0);
        };
        QCOMPARE(m.AniTrans_41->GetPosition(), feedMoves ? twoSteps(p41) : p41);
        QCOMPARE(m.AniTrans_23->GetPosition(), feedMoves ? twoSteps(p23) : p23);
        QCOMPARE(m.AniTrans_41->GetShowCoal(), feedCoal);
        QCOMPARE(m.AniTrans_23->GetShowCoal(), feedCoal);
        QCOMPARE(m.AniTrans_2->GetPosition(), plantMoves ? twoSteps(p2) : p2);
        QCOMPARE(m.EBM1->GetBladeAngle(), plantMoves ? int(twoSteps(blades, 359)) : blades);
        QCOMPARE(m.ParticleCounter(), plantMoves ? counter + 2 : counter);
    }

    // With no record everything reads 0 and the separator stands still; with the query closed
    // every animation keeps its state, with an open query that found no row the feed conveyors
    // hide their coal.
    void noRecord_data()
    {
        QTest::addColumn<bool>("queryOpen");
        QTest::newRow("query closed") << false;
        QTest::newRow("no row") << true;
    }
    void noRecord()
    {
        QFETCH(bool, queryOpen);
        Plant plant;
        plant.Record(Running());
        plant.Tick(5);
        TFormMnemo &m = *plant.mnemo;
        const double belt = m.AniTrans_23->GetPosition();
        const int blades = m.EBM1->GetBladeAngle();
        if (queryOpen) {
            QVERIFY(TestDb::Truncate(TestDb::Open(), {QStringLiteral("pu_data")}));
            plant.frame->TimerRefreshStateTimer();
            QVERIFY(plant.frame->LastData().isEmpty());
        } else {
            m.SetLiveSource([] { return TLiveData {}; });
        }
        plant.Tick(3);
        QCOMPARE(m.AniTrans_23->GetPosition(), belt);
        QCOMPARE(m.AniTrans_23->GetShowCoal(), !queryOpen);
        QCOMPARE(m.AniTrans_41->GetShowCoal(), !queryOpen);
        QCOMPARE(m.EBM1->GetBladeAngle(), blades);
        QCOMPARE(m.OutField_PLS->GetOutValue(), 0.0);
        QCOMPARE(m.WaterMEO_VODA1->GetPosition(), 100.0);
        QCOMPARE(m.ColumnMixer1->GetWaterLevel(), 0.0);
        QCOMPARE(Shown(m), Expected(TestOff));
    }

    void particleEverySixthTick()
    {
        Plant plant;
        plant.Record(Running());
        TFormMnemo &m = *plant.mnemo;
        plant.Tick(3);
        QCOMPARE(m.ColumnMixer1->Balls().size(), 0);
        plant.Tick(); // counter value 3
        QCOMPARE(m.ColumnMixer1->Balls().size(), 1);
        QCOMPARE(m.ParticleCounter(), 4);
        plant.Record(With(Running(), {{"RN", 0}}));
        plant.Tick(6);
        QCOMPARE(m.ParticleCounter(), 4);
    }

    void missingColumnEndsTickWithBeep()
    {
        RecordingFeedback feedback;
        Plant plant;
        TFormMnemo &m = *plant.mnemo;
        plant.Record(With(Running(), {{"PLS", 1500}}));
        plant.Tick();
        plant.Record(With(Running(), {{"PLS", 1600}, {"URKS", 12}}));
        // The newest record as a reader that does not know the feeder column sees it.
        QSqlQuery query(TestDb::Open());
        QVERIFY(query.exec(QStringLiteral(
            "select RecMoment, PLS, PLSZ, URKS, URNS, VODA1, VODA2, DSUS, TNK41, TNK23, TNK2, "
            "BKK41, "
            "BKK2, BKK23, RAB, RN, TNZ from pu_data order by RecMoment desc limit 1")));
        QVERIFY(query.next());
        const QSqlRecord partial = query.record();
        m.SetLiveSource([&partial] { return TLiveData {&partial, false}; });
        const int blades = m.EBM1->GetBladeAngle();
        feedback.beeps = 0;
        const int events = EventRing().Count();
        plant.Tick();
        QCOMPARE(feedback.beeps, 1);
        // The maintainer learns once which column is missing.
        QCOMPARE(EventRing().Count(), events + 1);
        const int slot =
            (EventRing().WriteIndex() + EventRing().Capacity() - 1) % EventRing().Capacity();
        QVERIFY2(EventRing().Record(slot).Text.contains(QStringLiteral("VPIT")),
                 qPrintable(EventRing().Record(slot).Text));
        QCOMPARE(m.OutField_PLS->GetOutValue(), 1500.0);
        QCOMPARE(m.OutField_KS_level->GetOutValue(), 55.0);
        QCOMPARE(m.EBM1->GetBladeAngle(), blades);
        QVERIFY(feedback.messages.isEmpty());
        plant.Tick();
        QCOMPARE(feedback.beeps, 2); // every tick tries again
        QCOMPARE(EventRing().Count(), events + 1);
        m.SetLiveSource(MainFrameLiveData);
        plant.Tick();
        QCOMPARE(feedback.beeps, 2);
        QCOMPARE(m.OutField_PLS->GetOutValue(), 1600.0);
    }

    void setPointFieldsRunTheCommands_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("density");
        QTest::newRow("density") << "OutField_PLSZ" << true;
        QTest::newRow("load") << "OutField_TNZ" << false;
    }
    void setPointFieldsRunTheCommands()
    {
        QFETCH(QString, field);
        QFETCH(bool, density);
        Plant plant;
        QAction *action = density ? plant.frame->ActionSetPLSZ : plant.frame->ActionSet_TNZ;
        QAction *other = density ? plant.frame->ActionSet_TNZ : plant.frame->ActionSetPLSZ;
        // The test sees the command without its modal input dialog.
        for (QAction *a : {action, other}) {
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            a->setEnabled(true);
        }
        QSignalSpy spy(action, &QAction::triggered);
        QSignalSpy otherSpy(other, &QAction::triggered);
        TOutField *target = plant.mnemo->findChild<TOutField *>(field);
        QVERIFY(target);
        QCOMPARE(target->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(target->toolTip(), QStringLiteral("Нажмите для корректировки задания"));
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);

        // The setup mode takes the click over and gives it back.
        SetInteractiveSetup(true);
        QCOMPARE(target->cursor().shape(), Qt::CrossCursor);
        SetInteractiveSetup(false);
        QCOMPARE(target->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(otherSpy.count(), 0);
        // A plain value field does nothing.
        QTest::mouseClick(plant.mnemo->OutField_PLS, Qt::LeftButton);
        QCOMPARE(spy.count() + otherSpy.count(), 2);
    }
};

TALMER_TEST(TestMnemo)
#include "TestMnemo.moc"
