// Any picture with any value must format without a fault; the general float text must read back.
#include "base/Formats.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(double) + 1)
        return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const QLocale locale = data[sizeof value] & 1 ? QLocale(QLocale::Russian) : QLocale::c();
    const QString pattern =
        QString::fromUtf8(reinterpret_cast<const char *>(data) + sizeof value + 1,
                          qsizetype(size - sizeof value - 1));
    FormatFloat(pattern, value, locale);

    const QString text = FloatToStr(value, locale);
    double back = 0;
    if (std::isfinite(value)
        && (!TryStrToFloat(text, back, locale)
            || std::fabs(back - value) > 1e-14 * std::fabs(value)))
        std::abort();
    TryStrToFloat(pattern, back, locale);
    TryStrToFloatTolerant(pattern, back);
    return 0;
}
