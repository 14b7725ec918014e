#include "StringList.h"

void TStringList::Assign(const QStringList &lines)
{
    if (m_lines == lines)
        return;
    m_lines = lines;
    Changed();
}

void TStringList::Add(const QString &line)
{
    m_lines.append(line);
    Changed();
}

void TStringList::SetLine(int index, const QString &line)
{
    if (index < 0 || index >= m_lines.size() || m_lines.at(index) == line)
        return;
    m_lines[index] = line;
    Changed();
}
