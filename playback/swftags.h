#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

// Where things are in an uncompressed movie's tag list, as far as the probe needs to know.
struct SwfTagLayout {
    qsizetype firstTag = 0; // offset of the first tag, after stage, frame rate and frame count
    qsizetype frameOneStart = 0; // first tag that is not FileAttributes: where frame 1's own tags begin
    bool actionScript3 = false; // FileAttributes says ActionScript 3 (SWF 9 and later)
    bool hasFileAttributes = false;
    int showFrames = 0; // ShowFrame tags of the root: the frames the engine plays
    qsizetype lastShowFrame = -1; // offset of the last of them
    bool ended = false; // an End tag was reached; false when the tag list runs off the data
    QSet<int> characterIds; // ids the movie's definition tags use
    QString error; // set when not even the first tag can be found
};

SwfTagLayout ScanSwfTags(const QByteArray& fws);

// One tag as it appears in a file: short form below 63 bytes, long form otherwise.
QByteArray EncodeSwfTag(int code, const QByteArray& body);

namespace SwfTagCode {
inline constexpr int End = 0;
inline constexpr int ShowFrame = 1;
inline constexpr int DoAction = 12;
inline constexpr int PlaceObject2 = 26;
inline constexpr int DefineSprite = 39;
inline constexpr int FrameLabel = 43;
inline constexpr int FileAttributes = 69;
inline constexpr int SymbolClass = 76;
inline constexpr int DefineSceneAndFrameLabelData = 86;
inline constexpr int DoABC = 82;
} // namespace SwfTagCode
