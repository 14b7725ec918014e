// Any date-time picture with any moment must format without a fault.
#include "base/Formats.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(double))
        return 0;
    double moment;
    std::memcpy(&moment, data, sizeof moment);
    const QString pattern = QString::fromUtf8(reinterpret_cast<const char *>(data) + sizeof moment,
                                              qsizetype(size - sizeof moment));
    FormatDateTime(pattern, moment);
    MomentToDateTime(moment);
    return 0;
}
