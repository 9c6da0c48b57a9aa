#pragma once

#include <QObject>
#include <QString>
#include <algorithm>
#include <limits>

// The Flash engine as the transport and the monitor see it. Frames count from 0; the last frame is
// TotalFrames() - 1.
//
// The real engine runs in another process and answers asynchronously, so every implementation keeps
// this contract:
// - Reads (FrameNum, TotalFrames, Playing, ReadyState) answer at once from the latest snapshot.
// - Commands (LoadMovie, Play, StopPlay, SetFrameNum, the property setters) are sent without waiting.
//   SetFrameNum updates the snapshot at once to the frame the movie will be on: the target when the
//   movie can go there, the old frame otherwise; a target beyond the last frame goes to the last
//   frame, a negative one is ignored.
// - SkipStuckFrame is the one compound operation: it runs as one step inside the engine and reports
//   its outcome with StuckFrameSkipped, possibly before it returns.
// - OnReadyStateChange(4) is emitted once per loaded movie, when TotalFrames() is known; never from
//   inside LoadMovie itself.
class FlashControl : public QObject {
    Q_OBJECT
public:
    // The value LoadMovie takes to unload the movie and leave an empty player.
    static inline const QString UnloadUrl = QStringLiteral("0");
    static constexpr int ReadyComplete = 4;
    static constexpr int MaxSkipAttempts = 9999;

    using QObject::QObject;

    // Layer 0 and a path: the movie replaces the current one and starts (Playing is true).
    // Layer 0 and UnloadUrl: the movie goes away.
    virtual void LoadMovie(int layer, const QString& url) = 0;
    virtual void Play() = 0; // the root timeline plays on from the current frame
    virtual void StopPlay() = 0; // the root timeline holds its frame
    virtual int FrameNum() const = 0;
    virtual void SetFrameNum(int frame) = 0;
    virtual int TotalFrames() const = 0;
    virtual bool Playing() const = 0;
    virtual int ReadyState() const = 0;
    // Once ready: whether the root timeline can be read and driven. False for a movie the engine
    // plays without a frame to report (no probe in it, a probe that never answered, an
    // ActionScript 3 movie whose document class is a Sprite); FrameNum then says nothing.
    virtual bool TimelineReadable() const { return true; }
    // True while the engine itself starts (its code compiling after a start or a restart) and has
    // not yet had a movie ready: a movie given meanwhile has not really begun to load.
    virtual bool Starting() const { return false; }

    // Moving off a frame that waits for a click: from lastFrame, set FrameNum to FrameNum + 1,
    // then + 2, + 3 ... while the frame stays lastFrame, at most MaxSkipAttempts times; when the
    // frame moved, Play. Reports StuckFrameSkipped(lastFrame, frame reached).
    virtual void SkipStuckFrame(int lastFrame) = 0;

    // The lowest frame the root was seen on since the previous call, the frame it was on then
    // included. Two samples on the same frame say nothing of a movie that went round a loop
    // between them; this does.
    int TakeLowestFrame();

    // The path last given to LoadMovie, unchanged.
    QString Movie() const { return m_movie; }

    // Properties: stored here, applied to the engine by applyProperties().
    QString Scale() const { return m_scale; }
    void SetScale(const QString& mode); // "ShowAll", "NoScale", "ExactFit"
    QString Quality2() const { return m_quality; }
    void SetQuality2(const QString& quality);
    QString WMode() const { return m_wmode; }
    void SetWMode(const QString& mode);
    int BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(int color); // 0x00BBGGRR
    bool Menu() const { return m_menu; }
    void SetMenu(bool enabled);
    bool Loop() const { return m_loop; }
    void SetLoop(bool enabled);
    QString AllowNetworking() const { return m_allowNetworking; }
    void SetAllowNetworking(const QString& value); // "all" or "none"
    QString AllowScriptAccess() const { return m_allowScriptAccess; }
    void SetAllowScriptAccess(const QString& value); // "always" or "never"

    // The sound, 0 to 1 (0 while muted). The engine applies it at once, and a movie loaded later plays
    // at it from its first sound on.
    double Gain() const { return m_gain; }
    void SetGain(double gain);

signals:
    void OnReadyStateChange(int newState);
    // reachedFrame == fromFrame: the movie could not be moved.
    void StuckFrameSkipped(int fromFrame, int reachedFrame);
    // The engine stopped working (its process died, it panicked or it stopped answering) and has
    // been started again: the movie given last (Movie()) is gone and the player is empty.
    void EngineFailed();

protected:
    // Called after any property changed; the engine takes the new values from the getters.
    virtual void applyProperties() { }
    // Called after the gain changed.
    virtual void applyGain() { }
    void setMovie(const QString& url) { m_movie = url; }
    // Implementations report here every frame they learn the root is on.
    void noteFrame(int frame) { m_lowestFrame = std::min(m_lowestFrame, frame); }

private:
    QString m_movie;
    int m_lowestFrame = std::numeric_limits<int>::max();
    QString m_scale = QStringLiteral("ShowAll");
    QString m_quality = QStringLiteral("High");
    QString m_wmode = QStringLiteral("Window");
    int m_backgroundColor = 0;
    bool m_menu = true;
    bool m_loop = true;
    QString m_allowNetworking = QStringLiteral("all");
    QString m_allowScriptAccess = QStringLiteral("always");
    double m_gain = 1.0;
};
