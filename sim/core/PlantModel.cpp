#include "core/PlantModel.h"

#include <QtMath>
#include <algorithm>

namespace {
// Feeder output at full scale, t/h (the upper end of the load set-point range).
constexpr double feederScale = 240;

double Clamp(double v, double lo, double hi)
{
    return std::clamp(v, lo, hi);
}

double Round1(double v)
{
    return std::round(v * 10) / 10;
}

// Events of one switching sequence are a few seconds apart and precede the record of the minute.
QDateTime EventMoment(const QDateTime &recordMoment, int indexInMinute)
{
    return recordMoment.addSecs(-40 + 4 * indexInMinute);
}
} // namespace

std::optional<Upset> UpsetFromName(const QString &name)
{
    const std::pair<const char *, Upset> names[] = {{"density", Upset::Density},
                                                    {"sump", Upset::Sump},
                                                    {"conveyor23", Upset::Conveyor23},
                                                    {"conveyor2", Upset::Conveyor2}};
    for (const auto &[text, upset] : names) {
        if (name == QLatin1String(text))
            return upset;
    }
    return std::nullopt;
}

PlantModel::PlantModel(quint32 seed)
    : m_random(seed)
    , m_upsetRandom(seed ^ 0x5eedu)
{
    m_minutesLeft = UniformInt(60, 360);
}

double PlantModel::Uniform(double low, double high)
{
    return low + (high - low) * m_random.generateDouble();
}

int PlantModel::UniformInt(int low, int high)
{
    return low + int(m_random.bounded(quint32(high - low + 1)));
}

double PlantModel::Normal(double mean, double deviation)
{
    // Polar method: two uniforms in the unit disc give one normal deviate.
    double u, v, s;
    do {
        u = 2 * m_random.generateDouble() - 1;
        v = 2 * m_random.generateDouble() - 1;
        s = u * u + v * v;
    } while (s >= 1 || s == 0);
    return mean + deviation * u * std::sqrt(-2 * std::log(s) / s);
}

void PlantModel::Resume(const PlantRecord &last)
{
    m_RAB = last.RAB > 0;
    m_RN = m_RAB && last.RN > 0;
    m_BKK41 = last.BKK41 >= 1;
    m_BKK23 = last.BKK23 >= 1;
    m_BKK2 = last.BKK2 >= 1;
    if (last.PLSZ > 0)
        m_PLSZ = last.PLSZ;
    if (last.TNZ > 0)
        m_TNZ = last.TNZ;
    m_PLS = last.PLS;
    m_URKS = last.URKS;
    m_URNS = last.URNS;
    m_VODA1 = last.VODA1;
    m_VODA2 = last.VODA2;
    m_DSUS = last.DSUS;
    m_TNK41 = last.TNK41;
    m_TNK23 = last.TNK23;
    m_TNK2 = last.TNK2;
    m_VPIT = last.VPIT;
    m_G41 = last.G41;
    m_G23 = last.G23;
    m_G2 = last.G2;
    if (last.TNK23 > 0 && last.TNK2 > 0)
        m_yield = Clamp(last.TNK2 / last.TNK23, 0.55, 0.75);
    m_stopAfterPause = false;
    if (!m_RAB) {
        m_mode = Mode::Stopped;
        m_minutesLeft = UniformInt(10, 60);
    } else if (m_RN) {
        m_mode = Mode::Loaded;
        m_minutesLeft = UniformInt(60, 360);
    } else {
        m_mode = Mode::Idle;
        m_minutesLeft = UniformInt(5, 20);
    }
}

void PlantModel::SwitchUnit(bool on, const QDateTime &moment, Journal &events)
{
    // Start: unit, then the concentrate conveyor. Stop: the reverse.
    if (on) {
        m_RAB = true;
        events << JournalEntry {EventMoment(moment, 0), QStringLiteral("Гидроциклон запущен"),
                                plantSource};
        m_BKK2 = true;
        events << JournalEntry {EventMoment(moment, 1), QStringLiteral("Конвейер 2 запущен"),
                                plantSource};
    } else {
        m_BKK2 = false;
        events << JournalEntry {EventMoment(moment, 0), QStringLiteral("Конвейер 2 остановлен"),
                                plantSource};
        m_RAB = false;
        events << JournalEntry {EventMoment(moment, 1), QStringLiteral("Гидроциклон остановлен"),
                                plantSource};
    }
}

void PlantModel::SwitchLoad(bool on, const QDateTime &moment, Journal &events)
{
    // Loading starts the conveyors against the flow (23 before 41) and stops them along it.
    if (on) {
        m_BKK23 = true;
        events << JournalEntry {EventMoment(moment, 2), QStringLiteral("Конвейер 23 запущен"),
                                plantSource};
        m_BKK41 = true;
        events << JournalEntry {EventMoment(moment, 3), QStringLiteral("Конвейер 41 запущен"),
                                plantSource};
        m_RN = true;
        events << JournalEntry {EventMoment(moment, 4), QStringLiteral("Нагрузка подана"),
                                plantSource};
    } else {
        m_RN = false;
        events << JournalEntry {EventMoment(moment, 2), QStringLiteral("Нагрузка снята"),
                                plantSource};
        m_BKK41 = false;
        events << JournalEntry {EventMoment(moment, 3), QStringLiteral("Конвейер 41 остановлен"),
                                plantSource};
        m_BKK23 = false;
        events << JournalEntry {EventMoment(moment, 4), QStringLiteral("Конвейер 23 остановлен"),
                                plantSource};
    }
}

void PlantModel::NextMode(const QDateTime &moment, Journal &events)
{
    switch (m_mode) {
    case Mode::Loaded:
        // Most interruptions are short pauses in the feed; about one in four ends in a stop.
        SwitchLoad(false, moment, events);
        m_stopAfterPause = m_random.generateDouble() < 0.25;
        m_mode = Mode::Idle;
        m_minutesLeft = m_stopAfterPause ? UniformInt(2, 5) : UniformInt(5, 30);
        break;
    case Mode::Idle:
        if (m_stopAfterPause) {
            SwitchUnit(false, moment, events);
            m_mode = Mode::Stopped;
            m_minutesLeft = UniformInt(20, 120);
        } else {
            SwitchLoad(true, moment, events);
            m_mode = Mode::Loaded;
            m_minutesLeft = UniformInt(120, 600);
        }
        break;
    case Mode::Stopped:
        SwitchUnit(true, moment, events);
        m_stopAfterPause = false;
        m_mode = Mode::Idle;
        m_minutesLeft = UniformInt(3, 10);
        break;
    }
}

void PlantModel::BeginUpset(Upset upset, const QDateTime &moment, Journal &events)
{
    const auto minutes = [this](int low, int high) {
        return low + int(m_upsetRandom.bounded(quint32(high - low + 1)));
    };
    m_upset = upset;
    switch (upset) {
    case Upset::Density:
        m_densityOffset = (m_upsetRandom.generateDouble() < 0.5 ? -1 : 1) * minutes(50, 75);
        m_upsetLeft = minutes(5, 12);
        break;
    case Upset::Sump:
        m_upsetLeft = minutes(12, 25);
        break;
    case Upset::Conveyor23:
        // Without feed the unit runs without load until the belt is back.
        m_RN = false;
        events << JournalEntry {EventMoment(moment, 2), QStringLiteral("Нагрузка снята"),
                                plantSource};
        m_BKK23 = false;
        events << JournalEntry {EventMoment(moment, 3), QStringLiteral("Конвейер 23 остановлен"),
                                plantSource};
        m_upsetLeft = minutes(2, 6);
        break;
    case Upset::Conveyor2:
        m_BKK2 = false;
        events << JournalEntry {EventMoment(moment, 2), QStringLiteral("Конвейер 2 остановлен"),
                                plantSource};
        m_upsetLeft = minutes(2, 6);
        break;
    case Upset::None:
        break;
    }
}

void PlantModel::EndUpset(const QDateTime &moment, Journal &events)
{
    switch (m_upset) {
    case Upset::Conveyor23:
        m_BKK23 = true;
        events << JournalEntry {EventMoment(moment, 5), QStringLiteral("Конвейер 23 запущен"),
                                plantSource};
        m_RN = true;
        events << JournalEntry {EventMoment(moment, 6), QStringLiteral("Нагрузка подана"),
                                plantSource};
        break;
    case Upset::Conveyor2:
        m_BKK2 = true;
        events << JournalEntry {EventMoment(moment, 5), QStringLiteral("Конвейер 2 запущен"),
                                plantSource};
        break;
    default:
        break;
    }
    m_upset = Upset::None;
    m_densityOffset = 0;
}

void PlantModel::StepUpset(const QDateTime &moment, Journal &events)
{
    if (m_upset != Upset::None) {
        if (--m_upsetLeft <= 0)
            EndUpset(moment, events);
        return;
    }
    if (m_mode != Mode::Loaded)
        return;
    if (m_forcedUpset != Upset::None) {
        BeginUpset(m_forcedUpset, moment, events);
        m_forcedUpset = Upset::None;
    } else if (m_upsetRandom.generateDouble() * 1440 < m_upsetsPerDay) {
        const Upset kinds[] = {Upset::Density, Upset::Sump, Upset::Conveyor23, Upset::Conveyor2};
        BeginUpset(kinds[m_upsetRandom.bounded(4u)], moment, events);
    }
}

void PlantModel::UpdateProcess()
{
    if (m_RAB) {
        // Density settles on its set-point within a few minutes; the dilution valve opens when the
        // suspension is too dense, the divider sends more to regeneration when it is too thin.
        m_PLS += (m_PLSZ + m_densityOffset - m_PLS) * 0.25 + Normal(0, 2.5);
        m_VODA1 = Clamp(40 + 0.8 * (m_PLS - m_PLSZ) + Normal(0, 1), 0, 100);
        m_DSUS =
            Clamp(m_DSUS + (50 + 0.5 * (m_PLSZ - m_PLS) - m_DSUS) * 0.3 + Normal(0, 1), 0, 100);
        // A sump running high fills towards its lip until the upset is over.
        const double ksTarget = m_upset == Upset::Sump ? 97 : 55;
        const double ksRate = m_upset == Upset::Sump ? 0.25 : 0.1;
        m_URKS = Clamp(
            m_URKS + (ksTarget - m_URKS) * ksRate + 0.02 * (m_VODA1 - 40) + Normal(0, 1.5), 5, 98);
        m_URNS = Clamp(m_URNS + (45 - m_URNS) * 0.08 + Normal(0, 1.2), 5, 98);
        m_VODA2 = Clamp(50 + 2 * (m_URNS - 45) + Normal(0, 1), 0, 100);
    } else {
        // Stopped: the suspension settles slowly, the valves are shut, the levels hardly move.
        m_PLS += (m_PLSZ - 120 - m_PLS) * 0.01 + Normal(0, 0.5);
        m_VODA1 = 0;
        m_VODA2 = 0;
        m_URKS = Clamp(m_URKS + Normal(0, 0.2), 5, 98);
        m_URNS = Clamp(m_URNS + Normal(0, 0.2), 5, 98);
    }

    const double previousFeed = m_TNK23;
    m_TNK23 =
        m_BKK23 ? std::max(0.0, m_TNK23 + ((m_RN ? m_TNZ : 0) - m_TNK23) * 0.35 + Normal(0, 3)) : 0;
    m_TNK41 = m_BKK41
        ? std::max(0.0, m_TNK41 + ((m_RN ? m_TNZ * 1.01 : 0) - m_TNK41) * 0.35 + Normal(0, 4))
        : 0;
    m_VPIT = m_BKK41 ? Clamp(m_TNK41 / feederScale * 100 + Normal(0, 0.5), 0, 100) : 0;

    // The concentrate leaves a minute after the feed entered, a drifting 55-75 % of it.
    m_yield = Clamp(m_yield + (0.65 - m_yield) * 0.02 + Normal(0, 0.004), 0.55, 0.75);
    m_TNK2 =
        (m_BKK2 && previousFeed > 0) ? std::max(0.0, m_yield * previousFeed + Normal(0, 1.5)) : 0;
}

PlantRecord PlantModel::Step(const QDateTime &moment, Journal &events)
{
    // An upset holds the plant's own switching off until it is over.
    if (m_upset == Upset::None && --m_minutesLeft <= 0)
        NextMode(moment, events);
    else
        StepUpset(moment, events);
    UpdateProcess();

    PlantRecord r;
    r.moment = moment;
    r.RAB = m_RAB;
    r.RN = m_RN;
    r.BKK41 = m_BKK41;
    r.BKK23 = m_BKK23;
    r.BKK2 = m_BKK2;
    r.PLS = Round1(m_PLS);
    r.PLSZ = m_PLSZ;
    r.URKS = Round1(m_URKS);
    r.URNS = Round1(m_URNS);
    r.VODA1 = Round1(m_VODA1);
    r.VODA2 = Round1(m_VODA2);
    r.DSUS = Round1(m_DSUS);
    r.VPIT = Round1(m_VPIT);
    r.TNK41 = Round1(m_TNK41);
    r.TNK23 = Round1(m_TNK23);
    r.TNK2 = Round1(m_TNK2);
    // One record stands for one minute: the belt carries a sixtieth of its hourly load.
    r.G_1T41 = r.BKK41 ? r.TNK41 / 60 : 0;
    r.G_1T23 = r.BKK23 ? r.TNK23 / 60 : 0;
    r.G_1T2 = r.BKK2 ? r.TNK2 / 60 : 0;
    m_G41 += r.G_1T41;
    m_G23 += r.G_1T23;
    m_G2 += r.G_1T2;
    r.G41 = m_G41;
    r.G23 = m_G23;
    r.G2 = m_G2;
    r.TNZ = m_TNZ;
    r.cmdPLSZ = m_PLSZ;
    r.cmdTNZ = m_TNZ;
    r.cmdTNK23 = m_RN ? m_TNZ : 0;
    return r;
}
