#include "tests/support/fakeflashcontrol.h"

void FakeFlashControl::LoadMovie(int layer, const QString& url)
{
    calls.append(QStringLiteral("LoadMovie %1 %2").arg(layer).arg(url));
    if (layer != 0)
        return;
    setMovie(url);
    gainAtLoad = Gain();
    m_frame = 0;
    m_ready = 0;
    m_sinceLoadMs = 0;
    m_frameClockMs = 0;
    m_pendingActionsFrame = -1;
    m_playing = false;
    if (url == UnloadUrl)
        return;
    m_timeline = m_timelines.value(url);
    m_playing = m_timeline.loads;
    if (m_timeline.loads)
        m_pendingActionsFrame = 0;
}

bool FakeFlashControl::goTo(int frame)
{
    if (!loaded() || frame < 0)
        return false;
    frame = qMin(frame, m_timeline.frameCount - 1);
    if (m_timeline.unreachable.contains(frame))
        return false;
    m_frame = frame;
    m_pendingActionsFrame = frame;
    return true;
}

void FakeFlashControl::SkipStuckFrame(int lastFrame)
{
    calls.append(QStringLiteral("SkipStuckFrame %1").arg(lastFrame));
    for (int step = 1; m_frame == lastFrame && step <= MaxSkipAttempts; ++step)
        goTo(m_frame + step);
    if (m_frame != lastFrame)
        m_playing = true;
    emit StuckFrameSkipped(lastFrame, m_frame);
}

void FakeFlashControl::enterFrame(int frame)
{
    m_frame = frame;
    if (m_timeline.stopFrames.contains(frame))
        m_playing = false;
    if (auto it = m_timeline.jumps.constFind(frame); it != m_timeline.jumps.constEnd()) {
        m_frame = qBound(0, it.value(), m_timeline.frameCount - 1);
        m_playing = true;
    }
    noteFrame(m_frame);
}

void FakeFlashControl::stepFrame()
{
    if (!loaded() || !m_timeline.loads)
        return;
    if (m_pendingActionsFrame >= 0) {
        // A frame reached by a goto runs its own actions on the engine's next tick, and moves on
        // only from the tick after.
        enterFrame(std::exchange(m_pendingActionsFrame, -1));
        return;
    }
    if (!m_playing)
        return;
    const int last = m_timeline.frameCount - 1;
    if (m_frame >= last) {
        // The root holds its last frame unless Loop is on.
        if (!Loop()) {
            m_playing = false;
            return;
        }
        enterFrame(0);
        return;
    }
    if (m_timeline.unreachable.contains(m_frame + 1))
        return; // waits for a frame that never arrives
    enterFrame(m_frame + 1);
}

void FakeFlashControl::advance(int ms)
{
    if (!loaded() || !m_timeline.loads)
        return;
    for (int elapsed = 0; elapsed < ms || ms == 0; ++elapsed) {
        if (m_ready != ReadyComplete && m_sinceLoadMs >= m_timeline.readyDelayMs) {
            m_ready = ReadyComplete;
            emit OnReadyStateChange(ReadyComplete);
        }
        if (ms == 0)
            break;
        ++m_sinceLoadMs;
        if (m_ready != ReadyComplete || m_timeline.frameRate <= 0)
            continue;
        m_frameClockMs += 1.0;
        const double period = 1000.0 / m_timeline.frameRate;
        while (m_frameClockMs >= period) {
            m_frameClockMs -= period;
            stepFrame();
        }
    }
}
