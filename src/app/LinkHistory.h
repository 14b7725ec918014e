#pragma once

#include "base/Moment.h"

#include <QList>

#include <QString>

// One time the database link was down: when it was found lost and when it came back (0 while it
// is still down), and the server it was lost to.
struct TLinkOutage
{
    TMoment Lost = 0;
    TMoment Back = 0;
    QString Server;
};

// When the link dropped and came back, for the diagnostics view. Keeps the newest outages only, so
// a flapping link over a long shift cannot grow it without end.
class TLinkHistory
{
public:
    static constexpr int Kept = 100;

    // Opens an outage unless one is open already (a failed retry is the same outage).
    void Lost(TMoment at, const QString &server = QString());
    // Closes the open outage, if any.
    void Back(TMoment at);
    bool Down() const { return !m_outages.isEmpty() && m_outages.last().Back == 0; }
    // Oldest first.
    const QList<TLinkOutage> &Outages() const { return m_outages; }

private:
    QList<TLinkOutage> m_outages;
};
