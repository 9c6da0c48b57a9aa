#include "playback/proberunner.h"

#include "core/fileexists.h"
#include "core/flashcontrol.h"
#include "core/jsontext.h"
#include "core/settings.h"
#include "core/windowhost.h"
#include "playback/pathlistrows.h"
#include "playback/playbackmonitor.h"
#include "playback/playerproperties.h"
#include "playback/transport.h"
#include "swf/swfheader.h"

#include <cmath>

namespace {

// A window that is not there.
class HeadlessHost : public WindowHost {
public:
    void OpenSwfFiles() override { }
    bool PlaylistPanelVisible() const override { return false; }
    void SetPlaylistPanelVisible(bool) override { }
    void ShowOptions(OptionsOwner) override { }
    void ShowAbout() override { }
    void SetWindowState(int) override { }
    void SetTitleText(const QString&) override { }
    void SetProgressMiniFraction(double) override { }
    void SetProgressMiniTwips(int) override { }
    void SetFrameInfoText(const QString&) override { }
    void SetProgressBarValue(float) override { }
    void SetClockText(const QString&) override { }
    void PresentPlayState(const PlayStatePresentation&) override { }
    void SwapSingleLoopPictures() override { }
    void ShowNotFlashMessage() override { }
};

QString reasonText(EndReason reason)
{
    switch (reason) {
    case EndReason::LastFrame:
        return ProbeReason::LastFrame;
    case EndReason::StuckFrame:
        return ProbeReason::StuckFrame;
    case EndReason::LoopTimeOut:
        return ProbeReason::LoopTimeOut;
    case EndReason::JumpedBackFromEnd:
        return ProbeReason::JumpedBackFromEnd;
    case EndReason::EngineFailed:
        return ProbeReason::EngineFailed;
    }
    return {};
}

} // namespace

ProbeRunner::ProbeRunner(FlashControl& flash, const Settings& settings, ProbeOptions options)
    : m_flash(flash)
    , m_settings(settings)
    , m_options(options)
{
    ApplyPlayerProperties(flash, settings);
}

int ProbeRunner::TimeLimitMs(const QString& path) const
{
    double ms = 0;
    if (m_options.seconds) {
        ms = *m_options.seconds * 1000.0;
    } else {
        SwfHeaderInfo info;
        ReadSwfHeader(path, info);
        ms = double(info.Duration) * 1000.0 + double(m_settings.LoopTimeOut) * 1000.0 + m_options.marginMs;
    }
    if (!(ms > 0))
        return 0;
    return int(std::min(ms, double(std::numeric_limits<int>::max())));
}

namespace {

class MovieSession : public ProbeRunner::Session {
public:
    MovieSession(FlashControl& flash, const Settings& settings, const QString& path, int limitMs)
        : m_flash(flash)
        , m_limitMs(limitMs)
        , m_rows({ path })
        , m_transport(flash, m_rows, m_host, settings)
    {
        m_result.Path = path;
        PlaybackMonitor& monitor = m_transport.Monitor();
        // The ticks are driven from here, in step with the time that passes.
        QObject::disconnect(&m_transport.TimerPlay(), &QTimer::timeout, &monitor, nullptr);
        QObject::connect(&monitor, &PlaybackMonitor::MovieEnded, &monitor, [this](EndReason reason) {
            if (m_ended)
                return;
            m_ended = reason;
            // With the row gone, moving on to the next row stops and unloads instead of replaying.
            m_rows.RemoveRow(1);
        });
        QObject::connect(&flash, &FlashControl::OnReadyStateChange, &monitor, [this](int state) {
            if (state == FlashControl::ReadyComplete)
                m_loaded = true;
        });
        m_transport.SetCurrFileIndex(1);
        m_transport.PlayerBtns_Click(Transport::CmdPlay);
    }

    bool Done() const override { return m_ended || m_elapsedMs >= m_limitMs; }

    void Step(int elapsedMs) override
    {
        m_elapsedMs += std::max(1, elapsedMs);
        if (m_ended || !m_loaded)
            return;
        m_result.MaxFrame = std::max(m_result.MaxFrame, m_flash.FrameNum());
        m_result.FrameRead = m_result.FrameRead || m_flash.TimelineReadable();
        m_transport.Monitor().TimerPlay_Timer();
    }

    ProbeResult Result() override
    {
        m_result.Loaded = m_loaded;
        m_result.TotalFrames = m_transport.TotalFrameCount();
        m_result.Seconds = double(m_elapsedMs) / 1000.0;
        if (m_ended) {
            m_result.Ended = true;
            m_result.Reason = reasonText(*m_ended);
        } else {
            m_result.Reason = m_loaded ? ProbeReason::TimeLimit : ProbeReason::FailedToLoad;
            m_transport.SetPlayState(Transport::Stopped);
        }
        return m_result;
    }

private:
    FlashControl& m_flash;
    const int m_limitMs;
    ProbeResult m_result;
    int64_t m_elapsedMs = 0;
    // Declared before the transport, so they outlive the connections that write them.
    std::optional<EndReason> m_ended;
    bool m_loaded = false;
    HeadlessHost m_host;
    PathListRows m_rows;
    Transport m_transport;
};

// A file that is not there fails at once.
class MissingFile : public ProbeRunner::Session {
public:
    explicit MissingFile(const QString& path) { m_result.Path = path; }
    bool Done() const override { return true; }
    void Step(int) override { }
    ProbeResult Result() override
    {
        m_result.Reason = ProbeReason::FailedToLoad;
        return m_result;
    }

private:
    ProbeResult m_result;
};

} // namespace

std::unique_ptr<ProbeRunner::Session> ProbeRunner::Start(const QString& path)
{
    if (!FileExists(path))
        return std::make_unique<MissingFile>(path);
    return std::make_unique<MovieSession>(m_flash, m_settings, path, TimeLimitMs(path));
}

ProbeResult ProbeRunner::Probe(const QString& path, const PassTime& passTime)
{
    const std::unique_ptr<Session> session = Start(path);
    while (!session->Done())
        session->Step(passTime(Transport::TimerPlayIntervalMs));
    return session->Result();
}

QList<ProbeResult> ProbeRunner::ProbeAll(const QStringList& paths, const PassTime& passTime)
{
    QList<ProbeResult> results;
    results.reserve(paths.size());
    for (const QString& path : paths)
        results.append(Probe(path, passTime));
    return results;
}

QString ProbeRunner::ToJsonLine(const ProbeResult& r)
{
    return u"{\"Path\":" + JsonString(r.Path) + u",\"Loaded\":" + JsonBool(r.Loaded) + u",\"TotalFrames\":"
        + QString::number(r.TotalFrames) + u",\"MaxFrame\":" + QString::number(r.MaxFrame) + u",\"Ended\":"
        + JsonBool(r.Ended) + u",\"Reason\":" + JsonString(r.Reason) + u",\"Seconds\":"
        + QString::number(r.Seconds, 'f', 1) + u'}';
}

bool ProbeRunner::AllEnded(const QList<ProbeResult>& results)
{
    return std::all_of(results.begin(), results.end(), [](const ProbeResult& r) { return r.Ended; });
}
