#include "EventLog.h"

#include "base/Feedback.h"

#include <QDeadlineTimer>

TEventFIFO::TEventFIFO(int capacity)
    : m_capacity(qMax(capacity, 10))
{
    m_records.resize(m_capacity);
}

bool TEventFIFO::Put(const QString &text, int code)
{
    if (m_count.loadRelaxed() >= m_capacity)
        return false;
    TEventFIFO_Rec &record = m_records[m_writeIndex.loadRelaxed()];
    record.Text = text;
    record.Moment = Now();
    // The monotonic clock counts from system start on Linux.
    record.TickSeconds = quint32(QDeadlineTimer::current().deadline() / 1000);
    record.Code = code;
    if (m_writeIndex.fetchAndAddOrdered(1) + 1 >= m_capacity)
        m_writeIndex.storeRelease(0);
    m_count.ref();
    return true;
}

bool TEventFIFO::Post(const QString &text, int code)
{
    if (text.isNull())
        return false;
    const bool stored = Put(text, code);
    if (!stored)
        Beep();
    return stored;
}

TEventFIFO &EventRing()
{
    static TEventFIFO ring(400);
    return ring;
}

bool PostEvent(const QString &text, int code)
{
    return EventRing().Post(text, code);
}
