#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// A movie file turned into the uncompressed form the engine is always given. The engine decodes
// compressed movies far more slowly than we do, and the probe can only be put into plain bytes.
struct UncompressedSwf {
    QByteArray fws; // "FWS", the original version byte, the real length, the body
    uint8_t version = 0;
    char signature = 0; // 'F', 'C' or 'Z'; 0 when the file is not a movie
    // The compressed data ended (or broke) before the length the header gives; fws holds what
    // could be decoded, as the engine would play it.
    bool truncated = false;
    QString error; // set when there is no movie at all
};

// Movies larger than this once decoded are refused rather than held in memory.
inline constexpr qsizetype MaxDecodedMovieBytes = qsizetype(512) * 1024 * 1024;

UncompressedSwf DecodeSwfContainer(const QByteArray& file, qsizetype maxDecoded = MaxDecodedMovieBytes);

// Writes the length field of an FWS file to its real size.
void FixSwfLength(QByteArray& fws);
