#pragma once

#include <QString>

// Password scrambling for the settings file: keeps a saved password from showing in clear (it is
// not encryption). The UTF-8 bytes of the password are scrambled, so any password round-trips.

// The stored form: 50 + 4 * (UTF-8 byte count) characters, all with codes 48..90; differs each
// time.
QString ScramblePassword(const QString &password);
// The password from its stored form; false when the text is damaged (too short, too few digits,
// or bytes that are not UTF-8). Never reads outside the text.
bool TryUnscramblePassword(const QString &stored, QString &password);
// As TryUnscramblePassword, giving an empty text for a damaged one.
QString UnscramblePassword(const QString &stored);
