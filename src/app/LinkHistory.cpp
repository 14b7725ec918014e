#include "LinkHistory.h"

void TLinkHistory::Lost(TMoment at, const QString &server)
{
    if (Down())
        return;
    if (m_outages.size() == Kept)
        m_outages.removeFirst();
    m_outages.append({at, 0, server});
}

void TLinkHistory::Back(TMoment at)
{
    if (Down())
        m_outages.last().Back = at;
}
