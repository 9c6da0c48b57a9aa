#include "playback/swfcontainer.h"

#include <algorithm>
#include <lzma.h>
#include <zlib.h>

namespace {

constexpr qsizetype HeaderBytes = 8;
constexpr qsizetype Chunk = qsizetype(1) * 1024 * 1024;

// Output grows as data really arrives; a lying length field never allocates more than this up front:
// a few times the compressed data, at most a chunk.
qsizetype initialReserve(const QByteArray& file)
{
    return std::clamp<qsizetype>(file.size() * 4, LZMA_DICT_SIZE_MIN, Chunk);
}

uint32_t readU32(const QByteArray& b, qsizetype at)
{
    const auto* p = reinterpret_cast<const uint8_t*>(b.constData()) + at;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// How much body the header promises, bounded by what we are willing to hold.
qsizetype expectedBody(const QByteArray& file, qsizetype maxDecoded)
{
    const int64_t length = readU32(file, 4);
    return qsizetype(std::clamp<int64_t>(length - HeaderBytes, 0, maxDecoded));
}

// The decoders write the body after room for the header, so that the movie is never copied again.
// Grows out so that more body fits, never past limit. False when the body is at the limit.
bool makeRoom(QByteArray& out, qsizetype used, qsizetype limit)
{
    if (HeaderBytes + used < out.size())
        return true;
    if (used >= limit)
        return false;
    out.resize(HeaderBytes + std::min(limit, std::max(used + LZMA_DICT_SIZE_MIN, used * 2)));
    return true;
}

bool inflateBody(const QByteArray& file, qsizetype expected, QByteArray& out)
{
    z_stream zs {};
    if (inflateInit(&zs) != Z_OK)
        return false;
    out.resize(HeaderBytes + std::min(expected, initialReserve(file)));
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(file.constData() + HeaderBytes));
    zs.avail_in = static_cast<uInt>(file.size() - HeaderBytes);
    qsizetype used = 0;
    int rc = Z_OK;
    while (rc == Z_OK && makeRoom(out, used, expected)) {
        const qsizetype room = std::min<qsizetype>(out.size() - HeaderBytes - used, 1 << 30);
        zs.next_out = reinterpret_cast<Bytef*>(out.data() + HeaderBytes + used);
        zs.avail_out = static_cast<uInt>(room);
        rc = inflate(&zs, Z_NO_FLUSH);
        used += room - qsizetype(zs.avail_out);
        if (rc == Z_BUF_ERROR && zs.avail_in == 0)
            break; // input ended early
    }
    inflateEnd(&zs);
    out.truncate(HeaderBytes + used);
    return used == expected;
}

// One decoding pass with the given dictionary size; LZMA_PROG_ERROR when the decoder could not start.
lzma_ret unlzmaPass(const QByteArray& file, const lzma_options_lzma& props, uint32_t dictSize, qsizetype expected,
    QByteArray& out, qsizetype& used)
{
    constexpr qsizetype DataAt = 17;
    lzma_options_lzma options = props;
    options.dict_size = dictSize;
    const lzma_filter filters[2] = { { LZMA_FILTER_LZMA1, &options }, { LZMA_VLI_UNKNOWN, nullptr } };
    lzma_stream ls = LZMA_STREAM_INIT;
    if (lzma_raw_decoder(&ls, filters) != LZMA_OK)
        return LZMA_PROG_ERROR;
    out.resize(HeaderBytes + std::min(expected, initialReserve(file)));
    ls.next_in = reinterpret_cast<const uint8_t*>(file.constData() + DataAt);
    ls.avail_in = static_cast<size_t>(file.size() - DataAt);
    used = 0;
    lzma_ret rc = LZMA_OK;
    // Many writers leave out the end marker: stop at the promised length, or when input runs out.
    while (rc == LZMA_OK && makeRoom(out, used, expected)) {
        const qsizetype room = out.size() - HeaderBytes - used;
        ls.next_out = reinterpret_cast<uint8_t*>(out.data() + HeaderBytes + used);
        ls.avail_out = static_cast<size_t>(room);
        rc = lzma_code(&ls, LZMA_RUN);
        const qsizetype produced = room - qsizetype(ls.avail_out);
        used += produced;
        if (rc == LZMA_OK && produced == 0 && ls.avail_in == 0)
            break;
    }
    lzma_end(&ls);
    return rc;
}

bool unlzmaBody(const QByteArray& file, qsizetype expected, QByteArray& out)
{
    // "ZWS", version, length, compressed length, 5 bytes of LZMA properties, raw LZMA1 data.
    constexpr qsizetype PropsAt = 12, DataAt = 17;
    if (file.size() < DataAt)
        return false;
    lzma_filter decoded = { LZMA_FILTER_LZMA1, nullptr };
    if (lzma_properties_decode(&decoded, nullptr, reinterpret_cast<const uint8_t*>(file.constData() + PropsAt), 5)
        != LZMA_OK)
        return false;
    const lzma_options_lzma props = *static_cast<lzma_options_lzma*>(decoded.options);
    free(decoded.options);
    // The dictionary never needs to be larger than the output; a hostile header asks for gigabytes.
    const uint32_t fullDict = std::clamp<uint32_t>(props.dict_size, LZMA_DICT_SIZE_MIN,
        static_cast<uint32_t>(std::clamp<qsizetype>(expected, LZMA_DICT_SIZE_MIN, 1u << 30)));
    // Nor larger than what the data really decodes to, which for a lying header is far below its
    // claim: start with room for a generous compression ratio, so a few bytes never cost hundreds of
    // megabytes. Real movies compress far less than that and decode in this one pass.
    auto dict = static_cast<uint32_t>(std::min<qsizetype>(fullDict, std::max<qsizetype>(file.size() * 16, 64 * 1024)));
    qsizetype used = 0;
    lzma_ret rc = unlzmaPass(file, props, dict, expected, out, used);
    // Until the output fills the dictionary every reference it can reach, a larger one reaches too,
    // and the output is the same. A stream that broke beyond that may need more: double and retry.
    while (rc == LZMA_DATA_ERROR && dict < fullDict && used + 4096 >= dict) {
        dict = static_cast<uint32_t>(std::min<qsizetype>(fullDict, std::max<qsizetype>(qsizetype(dict) * 2, used * 2)));
        rc = unlzmaPass(file, props, dict, expected, out, used);
    }
    out.truncate(HeaderBytes + used);
    return rc != LZMA_PROG_ERROR && used == expected;
}

} // namespace

UncompressedSwf DecodeSwfContainer(const QByteArray& file, qsizetype maxDecoded)
{
    UncompressedSwf result;
    if (file.size() < HeaderBytes || file.at(1) != 'W' || file.at(2) != 'S'
        || (file.at(0) != 'F' && file.at(0) != 'C' && file.at(0) != 'Z')) {
        result.error = QStringLiteral("not a Flash movie");
        return result;
    }
    result.signature = file.at(0);
    result.version = static_cast<uint8_t>(file.at(3));
    const qsizetype expected = expectedBody(file, maxDecoded);

    QByteArray fws; // room for the header, then the body
    bool complete = true;
    if (result.signature == 'F') {
        // Uncompressed movies are played as they are, whatever their length field says.
        fws = file;
    } else if (result.signature == 'C') {
        complete = inflateBody(file, expected, fws);
    } else {
        complete = unlzmaBody(file, expected, fws);
    }
    const qsizetype body = std::max<qsizetype>(fws.size() - HeaderBytes, 0);
    // Decoding stopped at our limit while the header promises more: refuse rather than cut the movie.
    const bool overLimit = body >= maxDecoded && int64_t(readU32(file, 4)) - HeaderBytes > maxDecoded;
    if (body > maxDecoded || overLimit) {
        result.error = QStringLiteral("movie too large");
        return result;
    }
    if (body == 0) {
        result.error = QStringLiteral("the compressed movie could not be decoded");
        return result;
    }
    result.truncated = !complete;
    fws.replace(0, 3, QByteArrayView("FWS", 3));
    fws[3] = static_cast<char>(result.version);
    FixSwfLength(fws);
    result.fws = std::move(fws);
    return result;
}

void FixSwfLength(QByteArray& fws)
{
    if (fws.size() < HeaderBytes)
        return;
    const auto length = static_cast<uint32_t>(fws.size());
    for (int i = 0; i < 4; ++i)
        fws[4 + i] = static_cast<char>((length >> (8 * i)) & 0xff);
}
