// Any bytes as a movie file: preparing it for the engine must answer without a fault, and a movie
// that comes out must carry its real length.
#include "playback/movieprep.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const PreparedMovie movie
        = PrepareMovie(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!movie.error.isEmpty()) {
        if (!movie.fws.isEmpty() || movie.probe != ProbeKind::None)
            std::abort();
        return 0;
    }
    const auto* p = reinterpret_cast<const uint8_t*>(movie.fws.constData());
    if (movie.fws.size() < 8 || p[0] != 'F' || p[1] != 'W' || p[2] != 'S')
        std::abort();
    const uint32_t length = uint32_t(p[4]) | uint32_t(p[5]) << 8 | uint32_t(p[6]) << 16 | uint32_t(p[7]) << 24;
    if (length != uint32_t(movie.fws.size()) || movie.showFrames < 0)
        std::abort();
    if (movie.probe == ProbeKind::None && movie.noProbeReason.isEmpty())
        std::abort();
    return 0;
}
