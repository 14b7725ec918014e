#include "core/LiveSimulator.h"

#include "core/PlantModel.h"
#include "core/SimDatabase.h"

#include <QtDebug>

namespace {
const QString startedText = QStringLiteral("Система сбора данных запущена");
const QString stoppedText = QStringLiteral("Система сбора данных остановлена");
} // namespace

QDateTime TruncateToSecond(const QDateTime &moment)
{
    return moment.addMSecs(-moment.time().msec());
}

LiveSimulator::LiveSimulator(SimDatabase &db, PlantModel &model, const LiveOptions &options,
                             SimClock clock, QObject *parent)
    : QObject(parent)
    , m_db(db)
    , m_model(model)
    , m_options(options)
    , m_clock(std::move(clock))
    , m_writer(db)
    , m_poller(db, m_writer)
{
    m_options.intervalSeconds = qMax(1, m_options.intervalSeconds);
    m_timer.setInterval(1000);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &LiveSimulator::Tick);
}

QDateTime LiveSimulator::NextBoundary(const QDateTime &after) const
{
    // Boundaries are whole multiples of the interval counted from midnight, so with the default
    // interval records fall on the full minute.
    const QDateTime t = TruncateToSecond(after);
    const int secondOfDay = t.time().msecsSinceStartOfDay() / 1000;
    return t.addSecs(m_options.intervalSeconds - secondOfDay % m_options.intervalSeconds);
}

bool LiveSimulator::Prepare(const QDateTime &now)
{
    if (!m_prepared) {
        const std::optional<PlantRecord> last = m_writer.LastRecord();
        if (!m_db.IsOpen())
            return false;
        m_nextRecord = NextBoundary(now);
        if (last) {
            m_model.Resume(*last);
            if (last->moment >= m_nextRecord)
                m_nextRecord = NextBoundary(last->moment);
        }
        m_nextPoll = now;
        m_prepared = true;
    }
    return true;
}

void LiveSimulator::Start()
{
    Tick();
    m_timer.start();
}

void LiveSimulator::Stop()
{
    m_timer.stop();
    if (m_db.IsOpen() && m_startJournalled)
        m_writer.InsertJournal({{TruncateToSecond(m_clock()), stoppedText, plantSource}});
}

void LiveSimulator::Tick()
{
    const QDateTime now = m_clock();
    if (!m_db.EnsureOpen(now) || !Prepare(now))
        return;
    if (!m_startJournalled
        && m_writer.InsertJournal({{TruncateToSecond(now), startedText, plantSource}}) >= 0)
        m_startJournalled = true;
    if (m_options.heartbeat && !m_writer.Heartbeat(TruncateToSecond(now)))
        return;
    if (now >= m_nextPoll) {
        // Commands before the record, so a set-point taken up in this tick is in it already.
        if (m_poller.Poll(m_model, now) < 0)
            return;
        m_nextPoll = now.addSecs(m_options.commandPollSeconds);
    }
    if (now >= m_nextRecord) {
        // On time (the timer is a little late at most) the record takes its boundary; after an
        // outage the missed records stay missing, as with a real acquisition side.
        const QDateTime stamp = now < m_nextRecord.addSecs(m_options.intervalSeconds)
            ? m_nextRecord
            : TruncateToSecond(now);
        m_nextRecord = NextBoundary(stamp);
        WriteRecord(stamp);
    }
}

bool LiveSimulator::WriteRecord(const QDateTime &moment)
{
    Journal events;
    const PlantRecord record = m_model.Step(moment, events);
    if (!m_db.Transaction())
        return false;
    const int added = m_writer.InsertRecords({record});
    if (added < 0 || m_writer.InsertJournal(events) < 0)
        return false;
    return m_db.Commit() && added == 1;
}

bool LiveSimulator::WriteOnce()
{
    const QDateTime now = TruncateToSecond(m_clock());
    if (!m_db.EnsureOpen(now) || !Prepare(now))
        return false;
    if (m_options.heartbeat && !m_writer.Heartbeat(now))
        return false;
    return WriteRecord(now);
}
