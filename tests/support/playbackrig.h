#pragma once

#include "core/settings.h"
#include "playback/playbackmonitor.h"
#include "playback/transport.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/fakeplaylistrows.h"
#include "tests/support/recordingwindowhost.h"

#include <QTemporaryDir>
#include <memory>

// A transport wired to the simulated engine, a recording playlist and a recording window, with
// movies written into a temporary folder. Time passes only when a test says so.
struct PlaybackRig {
    // The engine may be a variant of the simulated one (one that answers later, say).
    explicit PlaybackRig(std::unique_ptr<FakeFlashControl> engine = std::make_unique<FakeFlashControl>());

    // Writes a SWF whose header matches the timeline, gives the engine the timeline for it and
    // appends it to the playlist. Returns its path.
    QString addMovie(const QString& name, const FakeFlashControl::Timeline& timeline);
    QString addMovie(const QString& name, int frames, double rate = 10.0);
    // Appends a row whose file does not exist.
    QString addMissing(const QString& name);

    // Appends count movies of the given length at 10 fps, named m1.swf, m2.swf ...
    void addRows(int count, int frames = 100);
    // addRows, then row 1 played and reported ready.
    void startRows(int count, int frames = 100);
    // One tick that samples the given frame, as if the movie had got there by itself.
    void sample(int frame);
    // The row is current, its movie is in the player and the state is playing.
    bool playingRow(int row) const;
    // How many movies were loaded (unloading not counted).
    int loads() const;

    // Runs the engine for ms and then the monitor's tick, as TimerPlay would.
    void tick(int ms = Transport::TimerPlayIntervalMs);
    PlaybackMonitor& monitor() { return transport.Monitor(); }

    QTemporaryDir dir;
    Settings settings;
    std::unique_ptr<FakeFlashControl> engine;
    FakeFlashControl& flash;
    FakePlaylistRows rows;
    RecordingWindowHost host;
    Transport transport;
};

FakeFlashControl::Timeline MakeTimeline(int frames, double rate = 10.0);
// Writes a SWF at path whose header matches the timeline and gives the engine the timeline for it.
bool WriteTimelineMovie(FakeFlashControl& flash, const QString& path, const FakeFlashControl::Timeline& timeline);
