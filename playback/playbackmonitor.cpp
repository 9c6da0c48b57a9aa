#include "playback/playbackmonitor.h"

#include "core/flashcontrol.h"
#include "core/playlistrows.h"
#include "core/settings.h"
#include "core/windowhost.h"
#include "playback/transport.h"
#include "swf/formatting.h"

#include <cmath>
#include <limits>

namespace {

// A skip whose outcome has not come back after this many ticks is taken as lost (the engine's page
// went away), and the next tick tries again.
constexpr int MaxSkipWaitTicks = 5;

// Nearest whole number, ties to even, kept inside the 32-bit range.
int roundToInt(double value)
{
    const double r = std::nearbyint(value);
    if (!(r > std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (r >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return int(r);
}

} // namespace

PlaybackMonitor::PlaybackMonitor(Transport& transport, FlashControl& flash, WindowHost& host, const Settings& settings)
    : m_transport(transport)
    , m_flash(flash)
    , m_host(host)
    , m_settings(settings)
    , m_clock([] { return QTime::currentTime(); })
{
    connect(&transport.TimerPlay(), &QTimer::timeout, this, &PlaybackMonitor::TimerPlay_Timer);
    connect(&flash, &FlashControl::OnReadyStateChange, this, &PlaybackMonitor::OnReadyStateChange);
    connect(&flash, &FlashControl::StuckFrameSkipped, this, &PlaybackMonitor::onStuckFrameSkipped);
    connect(&flash, &FlashControl::EngineFailed, this, &PlaybackMonitor::onEngineFailed);
}

void PlaybackMonitor::TimerPlay_Timer()
{
    Transport& t = m_transport;
    if (t.m_playState != Transport::Playing)
        return;
    m_host.SetClockText(m_clock().toString(QStringLiteral("HH:mm:ss")));
    // A movie the engine is still loading has no frame count of its own yet: judged by the previous
    // movie's count, or by none right after start-up while the engine warms up, it would be ended at
    // once. Wait for its ready report, but not forever: a movie the engine cannot open is then
    // judged by the usual rules and moved past.
    if (m_flash.ReadyState() != FlashControl::ReadyComplete) {
        if (m_loadWait.generation != t.m_movieGeneration || m_flash.Starting())
            m_loadWait = { t.m_movieGeneration, 0 };
        if (++m_loadWait.ticks <= MaxLoadWaitTicks)
            return;
    }
    if (Unsupervised()) {
        ShowPosition(0, DisplayOrder::Tick);
        return;
    }
    t.m_sampledFrame = m_flash.FrameNum();
    // Taken every tick, so that it covers the time since the previous one.
    const int lowestSinceLastTick = m_flash.TakeLowestFrame();
    const int64_t total = t.m_totalFrameCount;

    // End of movie: the last frame shows (frames count from 0).
    if (t.m_sampledFrame > total - 2) {
        endMovie(EndReason::LastFrame);
        return;
    }
    // Progress.
    if (t.m_lastFrame < t.m_sampledFrame) {
        t.m_lastFrame = m_flash.FrameNum();
        ShowPosition(t.m_lastFrame, DisplayOrder::Tick);
        return;
    }
    // Nothing moved for a whole tick: the movie waits for a click the player never passes on. A movie
    // met on its high-water frame again after going below it meanwhile is looping, not waiting: a
    // push there would go further each time and carry it out of the loop the time-out is for.
    if (t.m_lastFrame == t.m_sampledFrame && lowestSinceLastTick >= t.m_lastFrame) {
        if (m_skip.pending && m_skip.generation == t.m_movieGeneration && ++m_skip.ticksWaited < MaxSkipWaitTicks)
            return;
        m_skip = { true, t.m_movieGeneration, t.m_lastFrame, 0 };
        // LastFrame stays: the next tick sees the new frame as progress.
        m_flash.SkipStuckFrame(t.m_lastFrame);
        return;
    }
    // Behind the high-water frame, or back on it from below: the movie jumped back, typically
    // looping its opening frames.
    // The time-out is scaled in single precision as the setting is kept, so 0.8 s is exactly two ticks.
    const float scaledTimeOut = m_settings.LoopTimeOut * 1000.0f;
    const double limit = double(scaledTimeOut) / std::max(1, t.m_timerPlay.interval());
    const bool fromLastTenth = 0.9 * double(total) < double(t.m_lastFrame);
    if (fromLastTenth || limit <= m_loopTicks) {
        m_loopTicks = 0;
        endMovie(fromLastTenth ? EndReason::JumpedBackFromEnd : EndReason::LoopTimeOut);
        return;
    }
    ++m_loopTicks;
}

void PlaybackMonitor::endMovie(EndReason reason)
{
    Transport& t = m_transport;
    if (reason != EndReason::EngineFailed)
        m_engineFailures.remove(m_flash.Movie());
    emit MovieEnded(reason);
    if (reason == EndReason::StuckFrame || reason == EndReason::EngineFailed) {
        t.PlayNextItem();
        return;
    }
    if (!t.m_singleLoop) {
        t.PlayNextItem();
        return;
    }
    if (reason == EndReason::LastFrame) {
        // Single loop restarts the movie without reloading it; frame 1, as it always has.
        t.m_lastFrame = -1;
        m_flash.SetFrameNum(1);
        t.SetPlayState(Transport::Playing);
        m_flash.Play();
    }
    // A loop time-out with single loop on keeps the movie playing.
}

void PlaybackMonitor::onStuckFrameSkipped(int fromFrame, int reachedFrame)
{
    Transport& t = m_transport;
    // The real engine answers later: an outcome for an earlier movie or attempt is stale.
    if (!m_skip.pending || m_skip.generation != t.m_movieGeneration || fromFrame != m_skip.fromFrame)
        return;
    m_skip.pending = false;
    if (reachedFrame != fromFrame) {
        // The engine plays on after a successful skip; a pause given meanwhile must hold.
        if (t.m_playState == Transport::Paused)
            m_flash.StopPlay();
        return;
    }
    // A paused movie is left alone; the next tick after resuming tries again.
    if (t.m_playState != Transport::Playing)
        return;
    // A seek or a frame jump since the attempt was asked means the movie is no longer stuck there.
    if (t.m_lastFrame != fromFrame || m_flash.FrameNum() != fromFrame)
        return;
    endMovie(EndReason::StuckFrame);
}

void PlaybackMonitor::onEngineFailed()
{
    Transport& t = m_transport;
    const QString movie = m_flash.Movie();
    if (t.m_playState == Transport::Stopped || movie.isEmpty() || movie == FlashControl::UnloadUrl) {
        m_host.SetTitleText(tr("引擎已重启"));
        return;
    }
    if (++m_engineFailures[movie] >= MaxEngineFailures)
        m_passedOver.insert(movie);
    m_skip.pending = false;
    endMovie(EndReason::EngineFailed);
    const bool playing = t.m_playState == Transport::Playing;
    m_host.SetTitleText(playing ? tr("引擎已重启 · %1").arg(t.m_rows.FileName(t.m_currFileIndex)) : tr("引擎已重启"));
}

void PlaybackMonitor::OnReadyStateChange(int newState)
{
    if (newState != FlashControl::ReadyComplete)
        return;
    m_transport.m_totalFrameCount = m_flash.TotalFrames();
    // Counted from its start: a movie that took over level 0 reports ready again with its own frames.
    m_transport.m_lastFrame = -1;
    emit SeekableChanged(!Unsupervised());
}

bool PlaybackMonitor::Unsupervised() const
{
    return m_flash.ReadyState() == FlashControl::ReadyComplete
        && (!m_flash.TimelineReadable() || m_transport.m_totalFrameCount < 2);
}

double PlaybackMonitor::stripFraction(int frame) const
{
    const int total = m_transport.m_totalFrameCount;
    if (total <= 0)
        return 0.0;
    return std::clamp(double(frame) / double(total), 0.0, 1.0);
}

QString PlaybackMonitor::FrameInfoText(int frame, int totalFrames, float frameRate, const QString& totalTimeText)
{
    if (totalFrames <= 0)
        frame = 0;
    QString text = QString::number(frame) + u'/' + QString::number(totalFrames) + u"  ";
    if (frameRate > 0)
        text += FormatDuration(roundToInt(double(frame) / double(frameRate)), DurationShort) + u'/' + totalTimeText;
    return text;
}

QString PlaybackMonitor::UnknownPositionText(float frameRate, const QString& totalTimeText)
{
    QString text = QStringLiteral("--/--  ");
    if (frameRate > 0)
        text += u"--:--/" + totalTimeText;
    return text;
}

void PlaybackMonitor::ShowPosition(int frame, DisplayOrder order)
{
    const Transport& t = m_transport;
    const bool unknown = Unsupervised();
    const int total = unknown ? 0 : t.m_totalFrameCount;
    const float rate = t.m_currentSwfInfo.FrameRate;
    const QString info
        = unknown ? UnknownPositionText(rate, t.m_totalTimeText) : FrameInfoText(frame, total, rate, t.m_totalTimeText);
    if (order == DisplayOrder::Tick) {
        m_host.SetProgressMiniFraction(stripFraction(frame));
        m_host.SetFrameInfoText(info);
    } else {
        m_host.SetFrameInfoText(info);
        m_host.SetProgressMiniFraction(stripFraction(frame));
    }
    // The bar ignores values outside 0 to 100 by itself.
    m_host.SetProgressBarValue(total > 0 ? float(double(frame) * 100.0 / double(total)) : 0.0f);
}

void PlaybackMonitor::DragProgress(float percent)
{
    // A movie whose position is unknown cannot be sought.
    if (!std::isfinite(percent) || Unsupervised())
        return;
    Transport& t = m_transport;
    const int total = t.m_totalFrameCount;
    const int frame = total > 0 ? roundToInt(double(percent) * double(total) / 100.0) : 0;
    t.m_lastFrame = -1;
    m_flash.SetFrameNum(frame);
    m_host.SetProgressMiniFraction(total > 0 ? std::clamp(double(percent) / 100.0, 0.0, 1.0) : 0.0);
    m_host.SetFrameInfoText(FrameInfoText(frame, total, t.m_currentSwfInfo.FrameRate, t.m_totalTimeText));
    // A paused movie stays paused at the new frame.
    if (t.m_playState == Transport::Playing)
        m_flash.Play();
}
