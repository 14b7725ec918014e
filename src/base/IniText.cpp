#include "IniText.h"

#include <algorithm>

static bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

static bool BreaksLine(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), IsLineBreak);
}

const QByteArray &IniBom()
{
    static const QByteArray bom("\xEF\xBB\xBF");
    return bom;
}

bool NextIniLine(const QByteArray &text, qsizetype &pos, QByteArray &line)
{
    if (pos >= text.size())
        return false;
    qsizetype end = text.indexOf('\n', pos);
    if (end < 0)
        end = text.size();
    line = text.mid(pos, end - pos);
    pos = end + 1;
    if (line.endsWith('\r'))
        line.chop(1);
    return true;
}

QStringView UnquoteIniValue(QStringView value)
{
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        return value.mid(1, value.size() - 2);
    return value;
}

QString EncodeIniValue(QString value)
{
    if (BreaksLine(value)) // checked first: the replacement would copy the shared text
        std::replace_if(value.begin(), value.end(), IsLineBreak, u' ');
    // Trimming and unquoting only ever shorten the text.
    const QStringView text(value);
    if (text.trimmed().size() != text.size() || UnquoteIniValue(text).size() != text.size())
        return u'"' + value + u'"';
    return value;
}

bool IsIniSectionName(const QString &section)
{
    return !BreaksLine(section) && !section.contains(u']');
}

bool IsIniKeyName(const QString &key)
{
    const QString k = key.trimmed();
    return !k.isEmpty() && !BreaksLine(key) && !k.contains(u'=') && !k.startsWith(u'[')
        && !k.startsWith(u';');
}

// Blanks around the brackets and the name do not count; an unclosed bracket runs to the end of the
// line.
bool ParseIniHeader(const QByteArray &line, QString &name)
{
    qsizetype i = 0;
    while (i < line.size()
           && (line[i] == ' ' || line[i] == '\t' || line[i] == '\v' || line[i] == '\f'
               || line[i] == '\r'))
        ++i;
    if (i < line.size() && uchar(line[i]) >= 0x80) {
        // Possibly a wide blank: decide as the entry parser's trimming does.
        const QString text = QString::fromUtf8(line).trimmed();
        if (!text.startsWith(u'['))
            return false;
        const qsizetype close = text.indexOf(u']');
        name = text.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return true;
    }
    if (i >= line.size() || line[i] != '[')
        return false;
    const qsizetype close = line.indexOf(']', i);
    name = QString::fromUtf8(line.mid(i + 1, close < 0 ? -1 : close - i - 1)).trimmed();
    return true;
}

TIniLine ParseIniEntry(const QByteArray &line, QString &key, QString &value)
{
    QString text = QString::fromUtf8(line);
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.isEmpty())
        return TIniLine::Blank;
    const qsizetype eq = trimmed.indexOf(u'=');
    if (eq < 0 || trimmed.startsWith(u';'))
        return TIniLine::Other;
    key = trimmed.left(eq).trimmed().toString();
    // The value is cut out of the decoded line in place: one allocation less per entry read.
    const QStringView rest = UnquoteIniValue(trimmed.mid(eq + 1).trimmed());
    const qsizetype from = rest.data() - text.constData();
    text.truncate(from + rest.size());
    text.remove(0, from);
    value = std::move(text);
    return TIniLine::Entry;
}

bool ParseIniInteger(const QString &text, int &value)
{
    bool ok = false;
    QStringView digits;
    if (text.startsWith(u"0x", Qt::CaseInsensitive))
        digits = QStringView(text).mid(2);
    else if (text.startsWith(u'$'))
        digits = QStringView(text).mid(1);
    else {
        value = text.toInt(&ok, 10);
        return ok;
    }
    // Hexadecimal text is the 32-bit pattern, so "0x80000005" reads as a negative system colour.
    const uint bits = digits.toUInt(&ok, 16);
    if (!ok || digits.isEmpty() || digits.startsWith(u'+') || digits.startsWith(u'-'))
        return false;
    value = qint32(bits);
    return true;
}
