#include "tools/swfgen/swfwriter.h"

#include "tools/swfgen/bitwriter.h"

#include <QFile>
#include <algorithm>
#include <bit>
#include <lzma.h>
#include <zlib.h>

namespace swfgen {

namespace {

int signedBitsNeeded(int32_t v)
{
    const uint32_t magnitude = v < 0 ? ~static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
    return 33 - std::countl_zero(magnitude); // value bits plus a sign bit
}

void appendU16(QByteArray& b, uint32_t v)
{
    b.append(static_cast<char>(v & 0xff));
    b.append(static_cast<char>((v >> 8) & 0xff));
}

void appendU32(QByteArray& b, uint32_t v)
{
    appendU16(b, v & 0xffff);
    appendU16(b, v >> 16);
}

void appendRgb(QByteArray& b, uint32_t rgb)
{
    b.append(static_cast<char>((rgb >> 16) & 0xff));
    b.append(static_cast<char>((rgb >> 8) & 0xff));
    b.append(static_cast<char>(rgb & 0xff));
}

QByteArray matrix(int32_t tx, int32_t ty)
{
    BitWriter w;
    w.bits(0, 1); // no scale
    w.bits(0, 1); // no rotate
    const int n = std::max({ signedBitsNeeded(tx), signedBitsNeeded(ty), 1 });
    w.bits(static_cast<uint32_t>(n), 5);
    w.signedBits(tx, n);
    w.signedBits(ty, n);
    return w.take();
}

// A filled square, side `side` twips, with its corner at the origin.
QByteArray squareShape(uint16_t id, int32_t side, uint32_t color)
{
    QByteArray body;
    appendU16(body, id);
    body += Rect(0, side, 0, side);
    body.append('\1'); // one fill style
    body.append('\0'); // solid
    appendRgb(body, color);
    body.append('\0'); // no line styles
    BitWriter w;
    w.bits(1, 4); // fill bits
    w.bits(0, 4); // line bits
    // Style change: move to (0,0) and pick fill style 0 = 1.
    w.bits(0, 1);
    w.bits(0, 1); // state new styles
    w.bits(0, 1); // line style
    w.bits(0, 1); // fill style 1
    w.bits(1, 1); // fill style 0
    w.bits(1, 1); // move to
    w.bits(1, 5);
    w.signedBits(0, 1);
    w.signedBits(0, 1);
    w.bits(1, 1); // fill style 0 index
    const int n = signedBitsNeeded(side);
    auto edge = [&](bool vertical, int32_t delta) {
        w.bits(1, 1); // edge
        w.bits(1, 1); // straight
        w.bits(static_cast<uint32_t>(n - 2), 4);
        w.bits(0, 1); // not a general line
        w.bits(vertical ? 1 : 0, 1);
        w.signedBits(delta, n);
    };
    edge(false, side);
    edge(true, side);
    edge(false, -side);
    edge(true, -side);
    w.bits(0, 6); // end of shape
    body += w.take();
    return body;
}

QByteArray place(uint16_t depth, std::optional<uint16_t> character, int32_t tx, int32_t ty)
{
    QByteArray body;
    body.append(static_cast<char>(character ? 0x06 : 0x05)); // has matrix, plus character or move
    appendU16(body, depth);
    if (character)
        appendU16(body, *character);
    body += matrix(tx, ty);
    return body;
}

} // namespace

QByteArray SquareShapeBody(uint16_t id, int32_t side, uint32_t color) { return squareShape(id, side, color); }

QByteArray PlaceBody(uint16_t depth, std::optional<uint16_t> character, int32_t tx, int32_t ty)
{
    return place(depth, character, tx, ty);
}

QByteArray Tag(int code, const QByteArray& body)
{
    QByteArray tag;
    if (body.size() < 0x3f) {
        appendU16(tag, static_cast<uint32_t>(code << 6) | static_cast<uint32_t>(body.size()));
    } else {
        appendU16(tag, static_cast<uint32_t>(code << 6) | 0x3f);
        appendU32(tag, static_cast<uint32_t>(body.size()));
    }
    return tag + body;
}

QByteArray Rect(int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax, int nbits)
{
    if (nbits < 0) {
        nbits = std::max({ signedBitsNeeded(xmin), signedBitsNeeded(xmax), signedBitsNeeded(ymin),
            signedBitsNeeded(ymax) });
    }
    BitWriter w;
    w.bits(static_cast<uint32_t>(nbits), 5);
    for (int32_t v : { xmin, xmax, ymin, ymax })
        w.signedBits(v, nbits);
    return w.take();
}

QByteArray ActionBytes(const std::vector<Action>& actions)
{
    QByteArray b;
    for (const Action& a : actions) {
        switch (a.kind) {
        case Action::Kind::Stop:
            b.append('\x07');
            break;
        case Action::Kind::Play:
            b.append('\x06');
            break;
        case Action::Kind::GotoAndPlay:
        case Action::Kind::GotoAndStop:
            b.append('\x81'); // GotoFrame, 0-based frame index
            appendU16(b, 2);
            appendU16(b, static_cast<uint32_t>(std::max(a.frame - 1, 0)));
            b.append(a.kind == Action::Kind::GotoAndPlay ? '\x06' : '\x07');
            break;
        }
    }
    b.append('\0');
    return b;
}

QByteArray RawFile(const char* signature, uint8_t version, uint32_t fileLength, const QByteArray& body)
{
    QByteArray file(signature, 3);
    file.append(static_cast<char>(version));
    appendU32(file, fileLength);
    return file + body;
}

QByteArray WriteMovie(const MovieSpec& movieSpec)
{
    QByteArray body = Rect(0, movieSpec.width * 20, 0, movieSpec.height * 20);
    const auto rate = static_cast<uint32_t>(std::clamp(movieSpec.frameRate, 0.0, 255.99) * 256.0 + 0.5);
    appendU16(body, rate);
    appendU16(body, static_cast<uint32_t>(movieSpec.headerFrameCount.value_or(movieSpec.frameCount)));

    if (movieSpec.fileAttributes && movieSpec.version >= 8) {
        QByteArray flags;
        appendU32(flags, movieSpec.actionScript3 ? 0x08u : 0x00u);
        body += Tag(69, flags);
    }
    QByteArray bg;
    appendRgb(bg, movieSpec.background);
    body += Tag(9, bg);
    const int32_t side = std::max(std::min(movieSpec.width, movieSpec.height) / 5, 4) * 20;
    body += Tag(2, squareShape(1, side, movieSpec.shapeColor));
    if (movieSpec.paddingBytes > 0)
        body += Tag(77, QByteArray(movieSpec.paddingBytes, '\0')); // Metadata: ignored by players

    const int32_t travel = std::max(movieSpec.width * 20 - side, 20);
    const int32_t y = (movieSpec.height * 20 - side) / 2;
    for (int frame = 1; frame <= movieSpec.frameCount; ++frame) {
        if (auto it = movieSpec.extraTags.find(frame); it != movieSpec.extraTags.end()) {
            for (const QByteArray& tag : it->second)
                body += tag;
        }
        const int32_t x = movieSpec.frameCount > 1 ? travel * (frame - 1) / (movieSpec.frameCount - 1) : 0;
        body += Tag(26, place(1, frame == 1 ? std::optional<uint16_t>(1) : std::nullopt, x, y));
        if (auto it = movieSpec.actions.find(frame); it != movieSpec.actions.end())
            body += Tag(12, ActionBytes(it->second));
        body += Tag(1, {});
    }
    body += Tag(0, {});

    const uint32_t length = movieSpec.headerFileLength.value_or(static_cast<uint32_t>(body.size() + 8));
    return Compress(RawFile("FWS", movieSpec.version, length, body), movieSpec.compression);
}

QByteArray Compress(const QByteArray& fws, Compression compression)
{
    if (compression == Compression::None)
        return fws;
    const QByteArray head = fws.left(8);
    const QByteArray body = fws.mid(8);
    if (compression == Compression::Zlib) {
        uLongf size = compressBound(static_cast<uLong>(body.size()));
        QByteArray out(static_cast<qsizetype>(size), '\0');
        compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(body.constData()),
            static_cast<uLong>(body.size()), 9);
        out.truncate(static_cast<qsizetype>(size));
        QByteArray file = head + out;
        file[0] = 'C';
        return file;
    }

    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    lzma_filter filters[2] = { { LZMA_FILTER_LZMA1, &options }, { LZMA_VLI_UNKNOWN, nullptr } };
    uint8_t props[5] = {};
    lzma_properties_encode(&filters[0], props);
    lzma_stream ls = LZMA_STREAM_INIT;
    if (lzma_raw_encoder(&ls, filters) != LZMA_OK)
        return {};
    QByteArray out(body.size() + body.size() / 2 + 1024, '\0');
    ls.next_in = reinterpret_cast<const uint8_t*>(body.constData());
    ls.avail_in = static_cast<size_t>(body.size());
    ls.next_out = reinterpret_cast<uint8_t*>(out.data());
    ls.avail_out = static_cast<size_t>(out.size());
    while (lzma_code(&ls, LZMA_FINISH) == LZMA_OK) { }
    out.truncate(static_cast<qsizetype>(ls.total_out));
    lzma_end(&ls);

    QByteArray file = head;
    file[0] = 'Z';
    appendU32(file, static_cast<uint32_t>(out.size()));
    file.append(reinterpret_cast<const char*>(props), 5);
    return file + out;
}

bool WriteMovieFile(const QString& path, const MovieSpec& movieSpec)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = WriteMovie(movieSpec);
    return file.write(bytes) == bytes.size();
}

} // namespace swfgen
