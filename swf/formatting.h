#pragma once

#include <QString>
#include <cstdint>

enum DurationStyle : int32_t {
    DurationWords = 0, // 1小时2分5秒
    DurationShort = 1, // 1:02:05, 02:05
    DurationFull = 2, // 01:02:05
};

// Whole seconds as text in one of the three styles; any other style gives an empty text.
QString FormatDuration(int32_t seconds, int32_t style);

// Bytes as text with a binary unit: 0Byte, 1024Byte, 1.5KB, 5MB, 2.25GB.
QString FormatFileSize(int64_t bytes);
