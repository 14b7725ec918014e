#pragma once

#include "core/CommandPoller.h"
#include "core/RecordWriter.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

class PlantModel;
class SimDatabase;

struct LiveOptions
{
    int intervalSeconds = 60; // one record per interval, stamped on the interval's boundary
    bool heartbeat = true; // off: records go on while last_state stands still
    int commandPollSeconds = 2;
};

using SimClock = std::function<QDateTime()>;

// The acquisition side running live: every second the heartbeat and a look for commands, every
// interval one record. All work happens in Tick, which a timer drives and a test may call with
// its own clock.
class LiveSimulator : public QObject
{
    Q_OBJECT
public:
    LiveSimulator(SimDatabase &db, PlantModel &model, const LiveOptions &options,
                  SimClock clock = &QDateTime::currentDateTime, QObject *parent = nullptr);

    // Ticks every second from now on.
    void Start();
    // Stops ticking and journals the stop, if the link is up.
    void Stop();
    void Tick();
    // One record stamped now (and the heartbeat, unless switched off); false when not written.
    bool WriteOnce();

private:
    // On the first link: carry on from the newest record and schedule the next one after it.
    bool Prepare(const QDateTime &now);
    // False when not written, also when a record of that moment is stored already.
    bool WriteRecord(const QDateTime &moment);
    QDateTime NextBoundary(const QDateTime &after) const;

    SimDatabase &m_db;
    PlantModel &m_model;
    LiveOptions m_options;
    SimClock m_clock;
    RecordWriter m_writer;
    CommandPoller m_poller;
    QTimer m_timer;
    bool m_prepared = false;
    bool m_startJournalled = false;
    QDateTime m_nextRecord;
    QDateTime m_nextPoll;
};

// The moment with its milliseconds cut off.
QDateTime TruncateToSecond(const QDateTime &moment);
