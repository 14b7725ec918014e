#pragma once

#include "Style.h"

#include <QStringList>

// A list of text lines owned by an element; any change notifies the owner like a pen does.
class TStringList : public TStyleObject
{
public:
    TStringList() = default;
    TStringList(const TStringList &) = default;
    TStringList &operator=(const TStringList &other)
    {
        Assign(other.m_lines);
        return *this;
    }

    const QStringList &Lines() const { return m_lines; }
    int Count() const { return int(m_lines.size()); }
    QString Line(int index) const { return m_lines.value(index); }
    // Replaces the lines; notifies once when they differ.
    void Assign(const QStringList &lines);
    void Add(const QString &line);
    void SetLine(int index, const QString &line);
    void Clear() { Assign({}); }

private:
    QStringList m_lines;
};
