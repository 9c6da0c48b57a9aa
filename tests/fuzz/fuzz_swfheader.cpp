// Any bytes as the start of a movie file: the reader must answer without a fault, and what it
// reports must hang together.
#include "swf/swfheader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SwfHeaderInfo info;
    const bool ok = ParseSwfHeader(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), info);
    if (ok) {
        if (info.Nbits < 0 || info.Nbits > 31 || info.RectBytes != (4 * info.Nbits + 5 + 7) / 8)
            std::abort();
        if (info.Duration < 0 || info.Format.isEmpty())
            std::abort();
    } else if (info.Format == SwfFormat::NotFlash && info.FileLength != 0) {
        std::abort();
    }
    return 0;
}
