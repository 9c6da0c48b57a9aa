#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class FlashControl;
struct Settings;

// What playing one movie through showed.
struct ProbeResult {
    QString Path;
    bool Loaded = false; // the engine reported the movie ready
    int TotalFrames = 0;
    int MaxFrame = 0; // the highest frame sampled
    bool Ended = false; // the monitor let go of the movie by one of its own rules
    bool FrameRead = false; // the movie's root frame could be read at some point
    QString Reason;
    double Seconds = 0; // from loading to the end (or to giving up)
};

namespace ProbeReason {
inline const QString LastFrame = QStringLiteral("last-frame");
inline const QString StuckFrame = QStringLiteral("stuck-frame");
inline const QString LoopTimeOut = QStringLiteral("loop-timeout");
inline const QString JumpedBackFromEnd = QStringLiteral("jumped-back-from-end");
inline const QString EngineFailed = QStringLiteral("engine-failed");
inline const QString FailedToLoad = QStringLiteral("failed-to-load");
inline const QString TimeLimit = QStringLiteral("time-limit");
} // namespace ProbeReason

struct ProbeOptions {
    std::optional<double> seconds; // the time limit of every movie; none: from each movie's header
    int marginMs = 10000; // added to the header's duration and the loop time-out
};

// Plays movies one at a time without a window, under the playback monitor's rules and the current
// settings, and reports how each one ended. Each movie gets a fresh transport, so one movie's loop
// count or frame total never decides another's fate. The monitor ticks start once the engine has
// reported the movie ready, so that a slow start is not taken for the end of the movie.
class ProbeRunner {
public:
    // Lets the engine run for about ms milliseconds and returns how many actually passed: the
    // simulated engine advances its clock, the real one runs the event loop.
    using PassTime = std::function<int(int ms)>;

    ProbeRunner(FlashControl& flash, const Settings& settings, ProbeOptions options = {});

    // One movie being played: Step() after each stretch of time that passed, until it says done.
    // Several sessions on several engines can then share one clock.
    class Session {
    public:
        virtual ~Session() = default;
        virtual bool Done() const = 0;
        virtual void Step(int elapsedMs) = 0;
        virtual ProbeResult Result() = 0; // once done; stops the movie
    };
    std::unique_ptr<Session> Start(const QString& path);

    ProbeResult Probe(const QString& path, const PassTime& passTime);
    QList<ProbeResult> ProbeAll(const QStringList& paths, const PassTime& passTime);

    // The header's duration plus the loop time-out plus the margin, unless a limit was given.
    int TimeLimitMs(const QString& path) const;

    // One JSON object on one line, keys in a fixed order.
    static QString ToJsonLine(const ProbeResult& result);
    static bool AllEnded(const QList<ProbeResult>& results);

private:
    FlashControl& m_flash;
    const Settings& m_settings;
    ProbeOptions m_options;
};
