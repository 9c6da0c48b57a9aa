#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// A movie made ready for the engine: always uncompressed, with a probe in it when we know how to
// put one there. Apart from the injected tags the bytes are the movie's own.
enum class ProbeKind { None, ActionScript12, ActionScript3 };

struct PreparedMovie {
    QByteArray fws; // what the engine is given; empty when the file is no movie
    ProbeKind probe = ProbeKind::None;
    // ShowFrame tags of the root: the frames the engine really plays, whatever the header says.
    int showFrames = 0;
    bool holdsLastFrame = false; // the last frame stops the root unless the movie moves it on
    bool actionScript3 = false;
    uint8_t version = 0;
    bool truncated = false; // the compressed data ended early; what there was is played
    QString noProbeReason; // why probe is None
    QString error; // the file is no movie at all
};

struct PrepareOptions {
    // Told by the probe of a movie that holds level 0, so that the host sees when another took over.
    QByteArray identity = "0";
    // A movie the engine asked for while playing another. An ActionScript 3 one can never become
    // the root, so it gets no probe that could take the answers from the movie that loaded it.
    bool loadedPart = false;
};

PreparedMovie PrepareMovie(const QByteArray& file, const PrepareOptions& options = {});

// The same for a file on disk. Only regular files are opened: a named pipe would block until
// something writes to it, and the program with it.
PreparedMovie PrepareMovieFile(const QString& path, const PrepareOptions& options = {});
