#pragma once

#include <QString>
#include <cstdint>

// What a SWF file's fixed header says. FileSize and FileLength are kept 64-bit: the header's
// length field is unsigned 32-bit and files on disk can exceed 2 GB.
struct SwfHeaderInfo {
    QString FileName;
    QString Signature;
    uint8_t Version = 0;
    int64_t FileSize = 0;
    int64_t FileLength = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Nbits = 0;
    int32_t Xmin = 0;
    int32_t Xmax = 0;
    int32_t Ymin = 0;
    int32_t Ymax = 0;
    int32_t RectBytes = 0;
    float FrameRate = 0.0f;
    uint16_t FrameCount = 0;
    int32_t Duration = 0; // whole seconds
    QString Format;
    // From the FileAttributes tag that follows the header (SWF 8 and later); false when absent.
    bool ActionScript3 = false;
};

namespace SwfFormat {
inline constexpr QStringView Uncompressed = u"未压缩的Flash格式";
inline constexpr QStringView Zlib = u"Zlib压缩格式的Flash";
inline constexpr QStringView Lzma = u"LZMA压缩格式的Flash";
inline constexpr QStringView NotFlash = u"不是Flash文件格式";
} // namespace SwfFormat

// Reads the header of the file at path into info. True when the stage, frame rate, frame count and
// duration were decoded. A missing file leaves info untouched; any other read starts from an empty
// record, so a failed one shows nothing of an earlier file. A file that is not a SWF (a zlib one
// too short for the fixed header included) gets FileLength 0 and Format SwfFormat::NotFlash (the
// callers decide whether to tell the user).
// Compressed movies are decoded only as far as the header needs, whatever their length field claims.
bool ReadSwfHeader(const QString& path, SwfHeaderInfo& info);

// The same, for the first bytes of a file already in memory (the file name and size left alone).
bool ParseSwfHeader(const QByteArray& head, SwfHeaderInfo& info);

// The part of a path after its last separator.
QString FileNameOfPath(const QString& path);
