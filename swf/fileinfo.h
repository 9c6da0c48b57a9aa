#pragma once

#include "swf/swfheader.h"

#include <QStringList>

// What the file information window shows: eleven captions and, for one file, eleven texts.
inline constexpr int FileInfoBoxCount = 11;

QStringList FileInfoLabels();

// The texts of the eleven boxes for the file at infoPath whose header went into info: path, name,
// signature, version, file size, uncompressed size, stage size, frame rate, frame count, duration
// and kind. Whatever the record holds is shown, zeros included.
QStringList FileInfoTexts(const QString& infoPath, const SwfHeaderInfo& info);

struct HeaderReadOutcome {
    bool decoded = false; // what ReadSwfHeader answered
    bool notFlash = false; // the file was read and is no SWF: tell the user "不是Flash文件格式"
};

// ReadSwfHeader, plus the one decision every caller shares: whether the user is told that the file
// is not a Flash file. A missing or unreadable file is not reported, nor is an LZMA movie.
HeaderReadOutcome ReadSwfHeaderChecked(const QString& path, SwfHeaderInfo& info);
