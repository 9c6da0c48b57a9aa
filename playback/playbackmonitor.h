#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QTime>
#include <functional>

class FlashControl;
class Transport;
class WindowHost;
struct Settings;

// Why the monitor let go of a movie.
enum class EndReason {
    LastFrame, // the movie showed its last frame
    StuckFrame, // no frame after a frame that waits for a click could be reached
    LoopTimeOut, // the movie stayed behind its high-water frame for the loop time-out
    JumpedBackFromEnd, // the movie jumped back from its last tenth: its own ending loop
    EngineFailed, // the engine died, panicked or hung under the movie and was started again
};

// Supervises the playing movie by polling, since the engine gives no end-of-movie event: the
// TimerPlay tick, the position displays, seeking with the full progress bar and the engine's ready
// report. It reads and writes the transport's playback state.
class PlaybackMonitor : public QObject {
    Q_OBJECT
public:
    PlaybackMonitor(Transport& transport, FlashControl& flash, WindowHost& host, const Settings& settings);

    // One tick of TimerPlay; nothing unless playing.
    void TimerPlay_Timer();
    // The ready-state handler: the only writer of TotalFrameCount.
    void OnReadyStateChange(int newState);
    // The full progress bar was dragged or clicked to percent.
    void DragProgress(float percent);

    // Fast forward and rewind update the frame information before the strip; the tick the other way.
    enum class DisplayOrder { Tick, Seek };
    void ShowPosition(int frame, DisplayOrder order);

    // True for a loaded movie whose root timeline cannot be read, or whose root has a single frame
    // (its life is in clips): its position is unknown, the rules have nothing to judge, and it
    // plays until the user moves on.
    bool Unsupervised() const;

    // A movie that brought the engine down this many times running is passed over from then on.
    static constexpr int MaxEngineFailures = 3;
    bool PassedOver(const QString& path) const { return m_passedOver.contains(path); }

    // Ticks a movie may take to report ready before the usual rules judge it (10 s at 400 ms).
    static constexpr int MaxLoadWaitTicks = 25;

    // Ticks counted behind the high-water frame; kept across movies, cleared only by the time-out.
    int LoopTicks() const { return m_loopTicks; }
    bool SkipPending() const { return m_skip.pending; }

    // The wall clock shown by the tick; tests replace it.
    void setClock(std::function<QTime()> clock) { m_clock = std::move(clock); }

    // "1234/5678  00:51/03:56": frame, total, two spaces, then play time and duration when the rate
    // is known. A total of 0 (no ready report yet) shows frame 0.
    static QString FrameInfoText(int frame, int totalFrames, float frameRate, const QString& totalTimeText);
    // "--/--  --:--/03:56": the same for a movie whose position is unknown.
    static QString UnknownPositionText(float frameRate, const QString& totalTimeText);

signals:
    // Emitted when a movie is given up or restarted, before the row changes.
    void MovieEnded(EndReason reason);
    // Whether the full progress bar can seek the movie that has just reported ready.
    void SeekableChanged(bool seekable);

private:
    void onStuckFrameSkipped(int fromFrame, int reachedFrame);
    void onEngineFailed();
    void endMovie(EndReason reason);
    double stripFraction(int frame) const;

    struct PendingSkip {
        bool pending = false;
        quint64 generation = 0;
        int fromFrame = -1;
        int ticksWaited = 0;
    };

    Transport& m_transport;
    FlashControl& m_flash;
    WindowHost& m_host;
    const Settings& m_settings;
    std::function<QTime()> m_clock;
    int m_loopTicks = 0;
    PendingSkip m_skip;
    struct LoadWait {
        quint64 generation = 0;
        int ticks = 0;
    } m_loadWait;
    QHash<QString, int> m_engineFailures; // by movie, cleared when the movie ends by another rule
    QSet<QString> m_passedOver;
};
