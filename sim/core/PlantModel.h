#pragma once

#include "core/JournalEntry.h"
#include "core/PlantRecord.h"

#include <QRandomGenerator>
#include <optional>

// Upsets the plant suffers now and then, for the operator's alarms to show.
enum class Upset {
    None,
    Density, // the density runs off its set-point for some minutes
    Sump, // the conditioned sump's level runs high
    Conveyor23, // the plant-feed conveyor stops while conveyor 41 runs on
    Conveyor2, // the concentrate conveyor stops while the unit runs
};
// "density", "sump", "conveyor23", "conveyor2"; none for another name.
std::optional<Upset> UpsetFromName(const QString &name);

// The heavy-medium circuit minute by minute: the unit runs under load for hours, now and then
// the load is taken off for a pause or the unit is stopped and started again; density follows its
// set-point with a lag, the conveyors carry the load set-point, concentrate is a drifting share
// of the feed, sumps and valves move within their ranges. Every switch of the unit, the load or
// a conveyor is reported as a journal event.
class PlantModel
{
public:
    explicit PlantModel(quint32 seed);

    // Carries on from the newest stored record, so totals and set-points continue.
    void Resume(const PlantRecord &last);
    // One minute of operation, stamped `moment`; the switches of that minute go to `events`.
    PlantRecord Step(const QDateTime &moment, Journal &events);

    // Upsets start at random while the unit runs under load, about perDay a day; 0 switches
    // them off.
    void SetUpsetsPerDay(double perDay) { m_upsetsPerDay = perDay; }
    // The upset starts at the next minute under load (whatever the rate).
    void ForceUpset(Upset upset) { m_forcedUpset = upset; }
    Upset CurrentUpset() const { return m_upset; }

    void SetDensitySetPoint(double plsz) { m_PLSZ = plsz; }
    void SetLoadSetPoint(double tnz) { m_TNZ = tnz; }
    double DensitySetPoint() const { return m_PLSZ; }
    double LoadSetPoint() const { return m_TNZ; }

    double Normal(double mean, double deviation);
    double Uniform(double low, double high);
    int UniformInt(int low, int high); // both ends included

private:
    enum class Mode { Stopped, Idle, Loaded };

    void NextMode(const QDateTime &moment, Journal &events);
    void SwitchUnit(bool on, const QDateTime &moment, Journal &events);
    void SwitchLoad(bool on, const QDateTime &moment, Journal &events);
    void UpdateProcess();
    void StepUpset(const QDateTime &moment, Journal &events);
    void BeginUpset(Upset upset, const QDateTime &moment, Journal &events);
    void EndUpset(const QDateTime &moment, Journal &events);

    QRandomGenerator m_random;
    // Upsets draw from their own generator, so the plant's own course stays as without them.
    QRandomGenerator m_upsetRandom;
    double m_upsetsPerDay = 6;
    Upset m_forcedUpset = Upset::None;
    Upset m_upset = Upset::None;
    int m_upsetLeft = 0;
    double m_densityOffset = 0;
    Mode m_mode = Mode::Loaded;
    int m_minutesLeft = 0;
    bool m_stopAfterPause = false;

    bool m_RAB = true, m_RN = true, m_BKK41 = true, m_BKK23 = true, m_BKK2 = true;
    double m_PLSZ = 1850, m_TNZ = 180;
    double m_PLS = 1850, m_URKS = 55, m_URNS = 45, m_VODA1 = 40, m_VODA2 = 50, m_DSUS = 50;
    double m_TNK41 = 180, m_TNK23 = 180, m_TNK2 = 117, m_VPIT = 75;
    double m_yield = 0.65;
    double m_G41 = 0, m_G23 = 0, m_G2 = 0;
};
