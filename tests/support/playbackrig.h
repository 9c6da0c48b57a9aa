#pragma once

#include "core/settings.h"
#include "playback/playbackmonitor.h"
#include "playback/transport.h"
#include "tests/support/fakeflashcontrol.h"
#include "tests/support/fakeplaylistrows.h"
#include "tests/support/recordingwindowhost.h"

#include <QTemporaryDir>
#include <memory>

// A timeline written "100 s40 x41-99": frames at 10 fps, then s stops on a frame, x makes frames unreachable,
// j8 jumps from frame 8 to 0, r waits that long for the ready report, b never loads; other words are left out.
FakeFlashControl::Timeline MakeTimeline(const QString& text);
// Writes a SWF at path whose header matches the timeline and gives the engine the timeline for it.
bool WriteTimelineMovie(FakeFlashControl& flash, const QString& path, const FakeFlashControl::Timeline& timeline);

// A transport wired to the simulated engine, a recording playlist and a recording window, with
// movies written into a temporary folder. Time passes only when a test says so.
struct PlaybackRig {
    // The engine may be a variant of the simulated one (one that answers later, say).
    explicit PlaybackRig(std::unique_ptr<FakeFlashControl> engine = std::make_unique<FakeFlashControl>());

    // Writes a SWF whose header matches the timeline, gives the engine the timeline for it and
    // appends it to the playlist; without a timeline, a row whose file does not exist. Returns its path.
    QString addMovie(const QString& name, const std::optional<FakeFlashControl::Timeline>& timeline)
    {
        const QString path = dir.filePath(name);
        if (timeline)
            WriteTimelineMovie(flash, path, *timeline);
        return rows.Append(path), path;
    }
    // Appends count movies of 10 s at 10 fps, named m1.swf, m2.swf ...
    void addRows(int count)
    {
        for (int i = 1; i <= count; ++i)
            addMovie(QStringLiteral("m%1.swf").arg(i), MakeTimeline(u"100"_qs));
    }
    // One tick that samples the given frame, as if the movie had got there by itself.
    void sample(int frame) { flash.forceFrame(frame), monitor().TimerPlay_Timer(); }
    // How many movies were loaded (unloading not counted).
    int loads() const { return int(flash.calls.filter(QStringLiteral("LoadMovie 0 /")).size()); }
    // Runs the engine for one interval and then the monitor's tick, as TimerPlay would, count times.
    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            flash.advance(Transport::TimerPlayIntervalMs), monitor().TimerPlay_Timer();
    }
    PlaybackMonitor& monitor() { return transport.Monitor(); }

    QTemporaryDir dir;
    Settings settings;
    std::unique_ptr<FakeFlashControl> engine;
    FakeFlashControl& flash;
    FakePlaylistRows rows;
    RecordingWindowHost host;
    Transport transport;
};
