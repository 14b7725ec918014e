#include "LinkHistory.h"

void TLinkHistory::Lost(TMoment at)
{
    if (Down())
        return;
    if (m_outages.size() == Kept)
        m_outages.removeFirst();
    m_outages.append({at, 0});
}

void TLinkHistory::Back(TMoment at)
{
    if (Down())
        m_outages.last().Back = at;
}
