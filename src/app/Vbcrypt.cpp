#include "Vbcrypt.h"

#include "base/Random.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace {

const char HexDigits[] = "0123456789ABCDEF";
constexpr int AlphabetSize = 16;
constexpr int OffsetCount = 16;
// Digits before the character pairs: the lead byte and the sixteen offsets, two digits each.
constexpr int HeaderDigits = 2 + 2 * OffsetCount;

// A byte drawn around the middle of its range: normal with mean 128 and deviation 43, truncated
// toward zero and clamped into 0..255.
int RandomByte()
{
    return int(std::clamp(std::trunc(RandomNormal(128, 43)), 0.0, 255.0));
}

void AppendHex(QByteArray &hex, int byte)
{
    hex += HexDigits[byte >> 4];
    hex += HexDigits[byte & 0xF];
}

int HexValue(char digit)
{
    return digit <= '9' ? digit - '0' : digit - 'A' + 10;
}

} // namespace

QString ScramblePassword(const QString &password)
{
    const QByteArray bytes = password.toUtf8();
    QByteArray hex;
    hex.reserve(HeaderDigits + 4 * bytes.size());
    AppendHex(hex, RandomByte()); // lead byte, carries nothing
    int offset[OffsetCount];
    for (int &o : offset) {
        o = RandomByte();
        AppendHex(hex, o);
    }
    // Each byte as a random row and the column at which that row (offset + column) holds it.
    for (const char c : bytes) {
        const int row = RandomByte();
        AppendHex(hex, row);
        AppendHex(hex, (quint8(c) - offset[row % OffsetCount]) & 0xFF);
    }

    // Sixteen distinct characters with codes 48..90 stand for the hexadecimal digits.
    QString alphabet;
    while (alphabet.size() < AlphabetSize) {
        const int code = RandomByte();
        if (code >= 48 && code <= 90 && !alphabet.contains(QChar(code)))
            alphabet += QChar(code);
    }

    QString result;
    result.reserve(hex.size() + AlphabetSize);
    for (const char digit : std::as_const(hex))
        result += alphabet.at(HexValue(digit));
    return result + alphabet;
}

bool TryUnscramblePassword(const QString &stored, QString &password)
{
    if (stored.size() < AlphabetSize)
        return false;
    const QString alphabet = stored.right(AlphabetSize);
    QVector<int> digits;
    digits.reserve(stored.size());
    for (qsizetype k = 0; k < stored.size() - AlphabetSize; ++k) {
        const qsizetype value = alphabet.indexOf(stored.at(k));
        if (value >= 0)
            digits.append(int(value));
    }
    if (digits.size() < HeaderDigits)
        return false;
    const auto byteAt = [&digits](qsizetype at) {
        return digits[at] * 16 + digits[at + 1];
    };

    int offset[OffsetCount];
    for (int k = 0; k < OffsetCount; ++k)
        offset[k] = byteAt(2 + 2 * k);

    QByteArray bytes;
    for (qsizetype at = HeaderDigits; digits.size() - at > 3; at += 4)
        bytes += char((offset[byteAt(at) % OffsetCount] + byteAt(at + 2)) & 0xFF);

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    password = text;
    return true;
}

QString UnscramblePassword(const QString &stored)
{
    QString password;
    TryUnscramblePassword(stored, password);
    return password;
}
