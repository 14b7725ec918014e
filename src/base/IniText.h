#pragma once

#include <QByteArray>
#include <QString>

// The text rules of INI files, shared by every class that reads or writes them so that a file
// written by one reads identically through the others.

// The UTF-8 byte order mark a file may start with; it is not part of the first line.
const QByteArray &IniBom();
// The next line of the text from pos on, without its line end; false at the end of the text.
bool NextIniLine(const QByteArray &text, qsizetype &pos, QByteArray &line);
// The form in which section and key names are compared: without regard to letter case.
inline QString FoldIniName(const QString &name)
{
    return name.toCaseFolded();
}
// A value as read: one pair of surrounding double quotes is not part of it.
QStringView UnquoteIniValue(QStringView value);
// The text that reads back as the value: line breaks become blanks, and a value the reader would
// trim or unquote is wrapped in quotes.
QString EncodeIniValue(QString value);
// Whether the name reads back as itself (not as another line, a header or a comment).
bool IsIniSectionName(const QString &section);
bool IsIniKeyName(const QString &key);
// The name of a "[Section]" line; false when the line is no header.
bool ParseIniHeader(const QByteArray &line, QString &name);

// What a line inside a section holds.
enum class TIniLine {
    Blank,
    Other, // a comment or damaged line: kept in the file, but holds no value
    Entry, // "Key=Value"
};
// Splits a line inside a section; key and value are set for an entry only.
TIniLine ParseIniEntry(const QByteArray &line, QString &key, QString &value);
// An integer value: decimal, or "0x"/"$" hexadecimal read as the 32-bit pattern.
bool ParseIniInteger(const QString &text, int &value);
