#include "tools/swfgen/demoscene.h"

#include "tools/swfgen/bitwriter.h"

#include <QtMath>
#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace swfgen {

namespace {

int bitsFor(std::initializer_list<int32_t> values)
{
    int n = 2;
    for (int32_t v : values) {
        const uint32_t magnitude = v < 0 ? ~static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
        n = std::max(n, 33 - std::countl_zero(magnitude));
    }
    return n;
}

void u16(QByteArray& b, uint32_t v)
{
    b.append(static_cast<char>(v & 0xff));
    b.append(static_cast<char>((v >> 8) & 0xff));
}

void rgb(QByteArray& b, uint32_t c)
{
    b.append(static_cast<char>((c >> 16) & 0xff));
    b.append(static_cast<char>((c >> 8) & 0xff));
    b.append(static_cast<char>(c & 0xff));
}

uint32_t mix(uint32_t a, uint32_t b, double t)
{
    uint32_t out = 0;
    for (int shift : { 16, 8, 0 }) {
        const double ca = (a >> shift) & 0xff, cb = (b >> shift) & 0xff;
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

// One point of an outline; with a control point the edge to it is a curve.
struct Point {
    int32_t x, y;
    bool curve = false;
    int32_t cx = 0, cy = 0;
};

// A closed outline around the origin filled with a radial gradient from inner to outer colour
// (DefineShape, so a player draws it without alpha).
QByteArray gradientShape(uint16_t id, const std::vector<Point>& outline, int32_t radius, uint32_t inner, uint32_t outer)
{
    QByteArray body;
    u16(body, id);
    body += Rect(-radius, radius, -radius, radius);
    body.append('\1'); // one fill style
    body.append('\x12'); // radial gradient
    BitWriter m; // the gradient square (32768 twips wide) scaled onto the shape
    const int32_t scale = static_cast<int32_t>(double(radius) * 2.0 / 32768.0 * 65536.0);
    const int ns = bitsFor({ scale });
    m.bits(1, 1);
    m.bits(static_cast<uint32_t>(ns), 5);
    m.signedBits(scale, ns);
    m.signedBits(scale, ns);
    m.bits(0, 1);
    m.bits(0, 5); // no translation
    body += m.take();
    body.append('\2'); // two stops
    body.append('\0');
    rgb(body, inner);
    body.append('\xff');
    rgb(body, outer);
    body.append('\0'); // no line styles
    BitWriter w;
    w.bits(1, 4);
    w.bits(0, 4);
    const Point& start = outline.front();
    const int nm = bitsFor({ start.x, start.y });
    w.bits(0, 1);
    w.bits(0b00011, 5); // fill style 0 and a move
    w.bits(static_cast<uint32_t>(nm), 5);
    w.signedBits(start.x, nm);
    w.signedBits(start.y, nm);
    w.bits(1, 1); // fill style 0 = 1
    Point at = start;
    for (size_t i = 1; i <= outline.size(); ++i) {
        const Point& to = outline[i % outline.size()];
        if (to.curve) {
            const int32_t cdx = to.cx - at.x, cdy = to.cy - at.y, adx = to.x - to.cx, ady = to.y - to.cy;
            const int n = bitsFor({ cdx, cdy, adx, ady });
            w.bits(0b10, 2);
            w.bits(static_cast<uint32_t>(n - 2), 4);
            for (int32_t v : { cdx, cdy, adx, ady })
                w.signedBits(v, n);
        } else {
            const int32_t dx = to.x - at.x, dy = to.y - at.y;
            const int n = bitsFor({ dx, dy });
            w.bits(0b11, 2);
            w.bits(static_cast<uint32_t>(n - 2), 4);
            w.bits(1, 1); // general line
            w.signedBits(dx, n);
            w.signedBits(dy, n);
        }
        at = to;
    }
    w.bits(0, 6);
    return body + w.take();
}

std::vector<Point> circle(int32_t r)
{
    std::vector<Point> points;
    const double c = r / std::cos(M_PI / 8);
    for (int i = 0; i < 8; ++i) {
        const double a = M_PI / 4 * i, ac = a - M_PI / 8;
        points.push_back({ int32_t(std::lround(r * std::cos(a))), int32_t(std::lround(r * std::sin(a))), i > 0,
            int32_t(std::lround(c * std::cos(ac))), int32_t(std::lround(c * std::sin(ac))) });
    }
    // The closing edge back to the first point is a curve too.
    points.front().curve = true;
    return points;
}

std::vector<Point> star(int32_t r)
{
    std::vector<Point> points;
    for (int i = 0; i < 10; ++i) {
        const double a = M_PI / 5 * i - M_PI / 2, rr = i % 2 ? r * 0.45 : r;
        points.push_back({ int32_t(std::lround(rr * std::cos(a))), int32_t(std::lround(rr * std::sin(a))) });
    }
    return points;
}

// PlaceObject2: the character (first time) or a move, with scale, rotation, position and a tint.
QByteArray place(uint16_t depth, uint16_t character, bool first, double x, double y, double scale, double angle,
    uint32_t tint, double alpha)
{
    QByteArray body;
    body.append(static_cast<char>((first ? 0x02 : 0x01) | 0x04 | 0x08));
    u16(body, depth);
    if (first)
        u16(body, character);
    BitWriter m;
    const auto fixed = [](double v) { return static_cast<int32_t>(std::lround(v * 65536.0)); };
    const int32_t sx = fixed(scale * std::cos(angle)), r0 = fixed(scale * std::sin(angle)), r1 = -r0;
    const int32_t tx = int32_t(std::lround(x)), ty = int32_t(std::lround(y));
    const int ns = bitsFor({ sx }), nr = bitsFor({ r0, r1 }), nt = bitsFor({ tx, ty });
    m.bits(1, 1);
    m.bits(static_cast<uint32_t>(ns), 5);
    m.signedBits(sx, ns);
    m.signedBits(sx, ns);
    m.bits(1, 1);
    m.bits(static_cast<uint32_t>(nr), 5);
    m.signedBits(r0, nr);
    m.signedBits(r1, nr);
    m.bits(static_cast<uint32_t>(nt), 5);
    m.signedBits(tx, nt);
    m.signedBits(ty, nt);
    body += m.take();
    // Multiply by the tint (8.8 fixed), alpha included.
    const int32_t mr = int32_t((tint >> 16) & 0xff) + 1, mg = int32_t((tint >> 8) & 0xff) + 1,
                  mb = int32_t(tint & 0xff) + 1, ma = int32_t(std::lround(alpha * 256));
    const int nc = bitsFor({ mr, mg, mb, ma });
    BitWriter c;
    c.bits(0, 1);
    c.bits(1, 1);
    c.bits(static_cast<uint32_t>(nc), 4);
    for (int32_t v : { mr, mg, mb, ma })
        c.signedBits(v, nc);
    return body + c.take();
}

// A chime of three rising notes, 16-bit mono at 11025 Hz, each fading out.
QByteArray chimeSound(uint16_t id, double baseHz)
{
    constexpr int Rate = 11025;
    constexpr int NoteSamples = Rate / 4;
    QByteArray body;
    u16(body, id);
    body.append(static_cast<char>((3 << 4) | (1 << 2) | (1 << 1))); // uncompressed LE, 11 kHz, 16-bit, mono
    const int samples = NoteSamples * 3;
    u16(body, static_cast<uint32_t>(samples) & 0xffff);
    u16(body, static_cast<uint32_t>(samples) >> 16);
    for (int i = 0; i < samples; ++i) {
        const int note = i / NoteSamples;
        const double hz = baseHz * std::pow(2.0, (note * 4) / 12.0);
        const double t = double(i % NoteSamples) / Rate;
        const double v = std::sin(2 * M_PI * hz * t) * std::exp(-t * 9.0) * 9000.0;
        u16(body, static_cast<uint32_t>(static_cast<int16_t>(std::lround(v))) & 0xffff);
    }
    return body;
}

} // namespace

void AddDemoScene(MovieSpec& movieSpec)
{
    enum : uint16_t { Disc = 40, Star = 41, Ball = 42, Chime = 43, Backdrop = 44 };
    const double w = movieSpec.width * 20.0, h = movieSpec.height * 20.0;
    const int32_t unit = int32_t(std::min(w, h) / 8);
    const uint32_t main = movieSpec.shapeColor, back = movieSpec.background;
    auto& first = movieSpec.extraTags[1];
    // The backdrop hides the movie's own square: the scene has motion enough.
    const int32_t hw = int32_t(w / 2), hh = int32_t(h / 2);
    first.push_back(Tag(2,
        gradientShape(Backdrop, { { -hw, -hh }, { hw, -hh }, { hw, hh }, { -hw, hh } }, std::max(hw, hh),
            mix(back, main, 0.35), back)));
    first.push_back(Tag(26, place(2, Backdrop, true, w / 2, h / 2, 1.0, 0, 0xFFFFFF, 1.0)));
    first.push_back(Tag(2, gradientShape(Disc, circle(unit * 2), unit * 2, mix(main, 0xFFFFFF, 0.75), main)));
    first.push_back(Tag(2, gradientShape(Star, star(unit / 2), unit / 2, 0xFFFFFF, mix(main, 0xFFFF80, 0.5))));
    first.push_back(Tag(2, gradientShape(Ball, circle(unit / 3), unit / 3, 0xFFFFFF, mix(main, back, 0.3))));
    first.push_back(Tag(14, chimeSound(Chime, 440.0 + (main % 7) * 40.0)));
    first.push_back(Tag(15, QByteArray("\x2b\x00\x00", 3))); // StartSound Chime, no options

    const uint32_t tints[] = { 0xFFFFFF, 0xFF8080, 0x80FF80, 0x8080FF, 0xFFFF60, 0xFF80FF };
    const int frames = std::max(movieSpec.frameCount, 1);
    for (int frame = 1; frame <= movieSpec.frameCount; ++frame) {
        const double t = double(frame - 1) / frames, turn = 2 * M_PI * t;
        const bool isFirst = frame == 1;
        auto& tags = movieSpec.extraTags[frame];
        tags.push_back(
            Tag(26, place(3, Disc, isFirst, w / 2, h * 0.45, 1.0 + 0.15 * std::sin(turn * 3), 0, 0xFFFFFF, 0.85)));
        for (int i = 0; i < 6; ++i) {
            const double a = turn + M_PI / 3 * i;
            tags.push_back(Tag(26,
                place(uint16_t(10 + i), Star, isFirst, w / 2 + std::cos(a) * unit * 3.2,
                    h * 0.45 + std::sin(a) * unit * 2.4, 0.8 + 0.3 * std::sin(turn * 2 + i), turn * 2 + i, tints[i],
                    1.0)));
        }
        for (int i = 0; i < 3; ++i) {
            const double phase = std::fmod(t * 3 + i / 3.0, 1.0);
            const double x = w * (0.2 + 0.3 * i) + std::sin(turn + i) * unit;
            const double y = h - unit * 0.5 - std::abs(std::sin(M_PI * phase)) * unit * 2.5;
            tags.push_back(Tag(26, place(uint16_t(20 + i), Ball, isFirst, x, y, 1.0, 0, tints[(i + 3) % 6], 1.0)));
        }
    }
}

} // namespace swfgen
