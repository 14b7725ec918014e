#pragma once

#include "core/JournalEntry.h"
#include "core/PlantRecord.h"

#include <QRandomGenerator>

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

    QRandomGenerator m_random;
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
