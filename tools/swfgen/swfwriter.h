#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// Writes small SWF movies for tests, benchmarks and the demo playlist: a stage, a frame rate, a
// square that moves a little every frame, and ActionScript 1/2 actions on chosen frames.
namespace swfgen {

enum class Compression { None, Zlib, Lzma };

struct Action {
    enum class Kind { Stop, Play, GotoAndPlay, GotoAndStop };
    Kind kind = Kind::Stop;
    int frame = 1; // target of a goto, 1-based as Flash counts
};

struct MovieSpec {
    Compression compression = Compression::None;
    uint8_t version = 8;
    int width = 550; // pixels
    int height = 400;
    double frameRate = 24.0; // stored as 8.8 fixed point
    int frameCount = 24; // ShowFrame tags written
    std::optional<int> headerFrameCount; // a header that lies about the frame count
    std::optional<uint32_t> headerFileLength; // a header that lies about the length
    bool actionScript3 = false; // FileAttributes flag only; no ABC is written
    bool fileAttributes = true; // written for version 8 and later
    uint32_t background = 0x203040; // 0xRRGGBB
    uint32_t shapeColor = 0xF0A030;
    std::map<int, std::vector<Action>> actions; // by 1-based frame
    // Extra tags (already encoded with Tag()) put at the start of a 1-based frame, before its actions.
    std::map<int, std::vector<QByteArray>> extraTags;
    // Zero-filled padding tag in frame 1, to make large files.
    qsizetype paddingBytes = 0;
};

QByteArray WriteMovie(const MovieSpec& movieSpec);
bool WriteMovieFile(const QString& path, const MovieSpec& movieSpec);

// Building blocks, for tests that need a hand-made body.
QByteArray Tag(int code, const QByteArray& body);
QByteArray Rect(int32_t xmin, int32_t xmax, int32_t ymin, int32_t ymax, int nbits = -1);
QByteArray ActionBytes(const std::vector<Action>& actions); // DoAction body, end marker included
// A DefineShape body (a filled square of side twips, corner at the origin) and a PlaceObject2 body
// that places a character at a depth, or moves what is there when character is empty.
QByteArray SquareShapeBody(uint16_t id, int32_t side, uint32_t color);
QByteArray PlaceBody(uint16_t depth, std::optional<uint16_t> character, int32_t tx, int32_t ty);
// Turns a complete FWS file into the same movie compressed; the header's length field is kept.
QByteArray Compress(const QByteArray& fws, Compression compression);

// A header as written: signature, version, length field, then the body as given.
QByteArray RawFile(const char* signature, uint8_t version, uint32_t fileLength, const QByteArray& body);

} // namespace swfgen
