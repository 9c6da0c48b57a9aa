#include "swf/swfheader.h"

#include "core/numbertext.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <fcntl.h>
#include <lzma.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

// Enough for the largest RECT (17 bytes), rate, count and the first tag's header and flags byte.
constexpr qsizetype HeaderBodyBytes = 64;
constexpr qsizetype InputChunk = 512;
// What one read takes from the start of a file; a movie's header is almost always inside.
constexpr qsizetype HeadBytes = 4096;

// Most significant bit first, as SWF packs its bit fields.
class BitReader {
public:
    explicit BitReader(QByteArrayView bytes) : m_bytes(bytes) { }
    uint32_t unsignedBits(int count)
    {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i, ++m_bit) {
            const auto byte = static_cast<uint8_t>(m_bytes[m_bit / 8]);
            value = (value << 1) | ((byte >> (7 - m_bit % 8)) & 1u);
        }
        return value;
    }
    int32_t signedBits(int count)
    {
        if (count == 0)
            return 0;
        const uint32_t raw = unsignedBits(count);
        if (count < 32 && (raw & (1u << (count - 1))))
            return static_cast<int32_t>(static_cast<int64_t>(raw) - (int64_t(1) << count));
        return static_cast<int32_t>(raw);
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_bit = 0;
};

uint16_t readU16(QByteArrayView b, qsizetype at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8));
}

uint32_t readU32(QByteArrayView b, qsizetype at)
{
    return static_cast<uint32_t>(readU16(b, at)) | (static_cast<uint32_t>(readU16(b, at + 2)) << 16);
}

// Inflates the zlib stream that follows the first 8 bytes, stopping as soon as `want` bytes are out.
QByteArray inflateHead(QIODevice& in, qsizetype want)
{
    QByteArray out(want, '\0');
    z_stream zs {};
    if (inflateInit(&zs) != Z_OK)
        return {};
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(want);
    QByteArray chunk;
    int rc = Z_OK;
    while (zs.avail_out > 0 && rc == Z_OK) {
        if (zs.avail_in == 0) {
            chunk = in.read(InputChunk);
            if (chunk.isEmpty())
                break;
            zs.next_in = reinterpret_cast<Bytef*>(chunk.data());
            zs.avail_in = static_cast<uInt>(chunk.size());
        }
        rc = inflate(&zs, Z_NO_FLUSH);
    }
    out.truncate(want - zs.avail_out);
    inflateEnd(&zs);
    return out;
}

// Decodes the raw LZMA1 stream of a ZWS movie as far as `want` bytes. Bytes 8-11 of the file hold
// the compressed length, 12-16 the LZMA properties.
QByteArray lzmaHead(QIODevice& in, qsizetype want)
{
    const QByteArray prefix = in.read(9);
    if (prefix.size() < 9)
        return {};
    lzma_filter filters[2] = { { LZMA_FILTER_LZMA1, nullptr }, { LZMA_VLI_UNKNOWN, nullptr } };
    if (lzma_properties_decode(&filters[0], nullptr, reinterpret_cast<const uint8_t*>(prefix.constData()) + 4, 5)
        != LZMA_OK)
        return {};
    // The dictionary size comes from the file: a few bytes of output never reach further back than
    // a small window, so a huge claimed dictionary must not be allocated.
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    options->dict_size = std::clamp<uint32_t>(options->dict_size, LZMA_DICT_SIZE_MIN, 1u << 16);

    lzma_stream ls = LZMA_STREAM_INIT;
    const lzma_ret init = lzma_raw_decoder(&ls, filters);
    free(filters[0].options);
    if (init != LZMA_OK)
        return {};

    QByteArray out(want, '\0');
    ls.next_out = reinterpret_cast<uint8_t*>(out.data());
    ls.avail_out = static_cast<size_t>(want);
    QByteArray chunk;
    lzma_ret rc = LZMA_OK;
    while (ls.avail_out > 0 && rc == LZMA_OK) {
        lzma_action action = LZMA_RUN;
        if (ls.avail_in == 0) {
            chunk = in.read(InputChunk);
            if (chunk.isEmpty())
                action = LZMA_FINISH;
            ls.next_in = reinterpret_cast<const uint8_t*>(chunk.constData());
            ls.avail_in = static_cast<size_t>(chunk.size());
        }
        rc = lzma_code(&ls, action);
        if (action == LZMA_FINISH)
            break;
    }
    out.truncate(want - static_cast<qsizetype>(ls.avail_out));
    lzma_end(&ls);
    return out;
}

// RECT, frame rate and frame count from the decoded body; false when it is too short.
bool decodeBody(QByteArrayView body, SwfHeaderInfo& info)
{
    if (body.isEmpty())
        return false;
    const int nbits = static_cast<uint8_t>(body[0]) >> 3;
    const int rectBytes = (4 * nbits + 5 + 7) / 8;
    info.Nbits = nbits;
    info.RectBytes = rectBytes;
    if (body.size() < rectBytes + 4)
        return false;

    BitReader bits(body);
    bits.unsignedBits(5);
    info.Xmin = bits.signedBits(nbits);
    info.Xmax = bits.signedBits(nbits);
    info.Ymin = bits.signedBits(nbits);
    info.Ymax = bits.signedBits(nbits);

    const auto rateFraction = static_cast<uint8_t>(body[rectBytes]);
    const auto rateWhole = static_cast<uint8_t>(body[rectBytes + 1]);
    info.FrameRate = static_cast<float>(rateFraction) / 256.0f + static_cast<float>(rateWhole);
    info.FrameCount = readU16(body, rectBytes + 2);

    info.Width = static_cast<int32_t>(RoundRatioHalfEven(int64_t(info.Xmax) - info.Xmin, 20));
    info.Height = static_cast<int32_t>(RoundRatioHalfEven(int64_t(info.Ymax) - info.Ymin, 20));
    // FrameCount / FrameRate with the rate as its exact 8.8 fixed-point value.
    const int64_t rate256 = rateWhole * 256 + rateFraction;
    info.Duration
        = rate256 == 0 ? 0 : static_cast<int32_t>(RoundRatioHalfEven(int64_t(info.FrameCount) * 256, rate256));

    // FileAttributes (tag 69) must be the first tag when present; bit 3 of its flags marks AVM2.
    info.ActionScript3 = false;
    qsizetype at = rectBytes + 4;
    if (body.size() >= at + 2) {
        const uint16_t codeAndLength = readU16(body, at);
        at += 2;
        if ((codeAndLength & 0x3f) == 0x3f)
            at += 4;
        if (codeAndLength >> 6 == 69 && body.size() > at)
            info.ActionScript3 = (static_cast<uint8_t>(body[at]) & 0x08) != 0;
    }
    return true;
}

bool decodeHeader(QIODevice& in, SwfHeaderInfo& info)
{
    const QByteArray head = in.read(8);
    info.Signature = QString::fromLatin1(head.left(3));
    const QByteArrayView signature = QByteArrayView(head).first(qMin<qsizetype>(3, head.size()));
    const bool fws = signature == "FWS";
    const bool cws = signature == "CWS";
    const bool zws = signature == "ZWS";
    if (!fws && !cws && !zws) {
        info.Version = head.size() > 3 ? static_cast<uint8_t>(head[3]) : 0;
        info.FileLength = 0;
        info.Format = SwfFormat::NotFlash.toString();
        return false;
    }
    if (head.size() < 8) {
        // A zlib movie is named only once decoded, and these few bytes hold no movie at all.
        if (cws) {
            info.FileLength = 0;
            info.Format = SwfFormat::NotFlash.toString();
        } else {
            info.Format = (fws ? SwfFormat::Uncompressed : SwfFormat::Lzma).toString();
        }
        return false;
    }
    info.Version = static_cast<uint8_t>(head[3]);
    info.FileLength = readU32(head, 4);

    if (fws) {
        info.Format = SwfFormat::Uncompressed.toString();
        return decodeBody(in.read(HeaderBodyBytes), info);
    }
    if (zws) {
        info.Format = SwfFormat::Lzma.toString();
        return decodeBody(lzmaHead(in, HeaderBodyBytes), info);
    }
    // The format text of a zlib movie is set only once its header has been decoded.
    const QByteArray body = inflateHead(in, HeaderBodyBytes);
    if (!decodeBody(body, info))
        return false;
    info.Format = SwfFormat::Zlib.toString();
    return true;
}

} // namespace

QString FileNameOfPath(const QString& path)
{
    // Lists made on Windows separate with "\".
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return slash < 0 ? path : path.sliced(slash + 1);
}

bool ReadSwfHeader(const QString& path, SwfHeaderInfo& info)
{
    // One open, one fstat and one read: a drop of a tree reads this for every file. Non-blocking, so
    // that a FIFO named .swf is refused instead of waiting for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    // The record describes this file alone: a read that fails keeps nothing of an earlier movie.
    const auto fresh = [&](qint64 size) {
        info = SwfHeaderInfo {};
        info.FileName = FileNameOfPath(path);
        info.FileSize = size;
    };
    if (fd < 0) {
        // A file that is there but cannot be opened still gets its name and size.
        const QFileInfo fileInfo(path);
        if (fileInfo.isFile())
            fresh(fileInfo.size());
        return false;
    }
    QFile file;
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
        || !file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFile::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    fresh(st.st_size);
    QByteArray head(HeadBytes, Qt::Uninitialized);
    const qint64 got = file.read(head.data(), HeadBytes);
    head.truncate(std::max<qint64>(got, 0));
    QBuffer buffer(&head);
    buffer.open(QIODevice::ReadOnly);
    const bool decoded = decodeHeader(buffer, info);
    // Decoded within the first bytes: the rest of the file would have changed nothing.
    if (!buffer.atEnd() || head.size() < HeadBytes)
        return decoded;
    // A stream that needs more than the first bytes to give its header: read on through the file.
    fresh(st.st_size);
    return file.seek(0) && decodeHeader(file, info);
}

bool ParseSwfHeader(const QByteArray& head, SwfHeaderInfo& info)
{
    QBuffer buffer;
    buffer.setData(head);
    buffer.open(QIODevice::ReadOnly);
    return decodeHeader(buffer, info);
}
