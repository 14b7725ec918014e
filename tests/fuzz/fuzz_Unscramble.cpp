// Unscrambling any text must fail cleanly or give a password that scrambles back to itself.
#include "app/Vbcrypt.h"

#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString stored = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QString password;
    if (TryUnscramblePassword(stored, password)) {
        QString again;
        if (!TryUnscramblePassword(ScramblePassword(password), again) || again != password)
            abort();
    }
    return 0;
}
