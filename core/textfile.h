#pragma once

#include <QByteArray>
#include <QString>

// Text files the program shares with its Windows ancestor (settings, playlists) were written in
// code page 936. We write UTF-8 and read both.
QString DecodeLegacyText(const QByteArray& bytes);

struct WriteResult {
    bool ok = false;
    QString error; // human-readable reason when !ok
};

// Replaces the file in one step: the bytes go to a temporary file in the same folder, which is then
// renamed over the old one, so a crash or a full disk never leaves a half-written file behind.
WriteResult WriteFileAtomically(const QString& path, const QByteArray& bytes);
