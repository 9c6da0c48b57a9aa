#pragma once

#include "core/flashcontrol.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// A deterministic engine for tests: a simulated root timeline that moves only when the test calls
// advance(). It keeps the FlashControl contract the real engine keeps.
class FakeFlashControl : public FlashControl {
    Q_OBJECT
public:
    // What a movie does, frames counted from 0.
    struct Timeline {
        double frameRate = 24.0;
        int frameCount = 100;
        QSet<int> stopFrames; // the movie's own stop() on entering these frames
        QHash<int, int> jumps; // on entering the key frame: gotoAndPlay(value)
        QSet<int> unreachable; // gotos to these frames are refused; playing into them holds
        int readyDelayMs = 0; // simulated time from LoadMovie to ready state 4
        bool loads = true; // false: never becomes ready (a movie the engine cannot open)
    };

    void setTimeline(const QString& path, const Timeline& timeline) { m_timelines.insert(path, timeline); }

    // Runs the simulated engine for ms milliseconds: frames advance at the frame rate while playing,
    // and ready state 4 arrives when the delay has passed.
    void advance(int ms);

    // Every command received, in order, e.g. "LoadMovie 0 /a.swf", "Play", "SetFrameNum 41".
    QStringList calls;
    int propertyChanges = 0;
    double gainAtLoad = -1; // the gain in force when the last movie was loaded

    void LoadMovie(int layer, const QString& url) override;
    void Play() override { calls.append(u"Play"_qs), m_playing = m_playing || (loaded() && m_timeline.loads); }
    void StopPlay() override { calls.append(u"StopPlay"_qs), m_playing = false; }
    int FrameNum() const override { return m_frame; }
    void SetFrameNum(int frame) override { calls.append(u"SetFrameNum %1"_qs.arg(frame)), goTo(frame); }
    int TotalFrames() const override { return m_ready == ReadyComplete ? m_timeline.frameCount : 0; }
    bool Playing() const override { return m_playing; }
    int ReadyState() const override { return m_ready; }
    void SkipStuckFrame(int lastFrame) override;

    // The engine dies under the current movie and comes back empty, as the real one recovers.
    void failEngine() { m_frame = m_ready = 0; m_playing = false; emit EngineFailed(); }
    // Tests may force the frame the engine reports, as a movie's own script would.
    void forceFrame(int frame) { m_frame = frame, noteFrame(frame); }

protected:
    void applyProperties() override { ++propertyChanges; }

private:
    bool loaded() const { return !Movie().isEmpty() && Movie() != UnloadUrl; }
    void enterFrame(int frame);
    bool goTo(int frame);
    void stepFrame(); // exactly one engine frame

    QHash<QString, Timeline> m_timelines;
    Timeline m_timeline;
    int m_frame = 0;
    bool m_playing = false;
    int m_ready = 0;
    int m_sinceLoadMs = 0;
    double m_frameClockMs = 0;
    int m_pendingActionsFrame = -1; // a goto from the host runs the target's actions on the next step
};
