#pragma once

#include "base/Moment.h"

#include <QAtomicInt>
#include <QString>
#include <QVector>

// One posted event.
struct TEventFIFO_Rec
{
    QString Text;
    TMoment Moment = 0;
    quint32 TickSeconds = 0; // seconds since system start
    qint32 Code = 0;
};

// A bounded ring of events. Posting is refused once it is full; nothing in the program takes
// records out, so it keeps the first events of a run.
class TEventFIFO
{
public:
    // A capacity below 10 is raised to 10.
    explicit TEventFIFO(int capacity);

    // Stores the event; false, changing nothing, when the ring is full.
    bool Put(const QString &text, int code);
    // Put, announcing a refusal with the simple beep. A null text (QString()) means "no text":
    // false at once, no beep; an empty but non-null text is a text.
    bool Post(const QString &text, int code);

    int Count() const { return m_count.loadRelaxed(); }
    int WriteIndex() const { return m_writeIndex.loadRelaxed(); }
    int ReadIndex() const { return m_readIndex; }
    int Capacity() const { return m_capacity; }
    const TEventFIFO_Rec &Record(int slot) const { return m_records.at(slot); }

private:
    QVector<TEventFIFO_Rec> m_records;
    QAtomicInt m_count = 0;
    QAtomicInt m_writeIndex = 0;
    int m_readIndex = 0;
    int m_capacity;
};

// The process's one ring, of 400 events.
TEventFIFO &EventRing();

// Posts a background failure to the process's ring (Post above).
bool PostEvent(const QString &text, int code = 0);
