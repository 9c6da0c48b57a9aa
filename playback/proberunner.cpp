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

ProbeResult ProbeRunner::Probe(const QString& path, const PassTime& passTime)
{
    ProbeResult result;
    result.Path = path;
    if (!FileExists(path)) {
        result.Reason = ProbeReason::FailedToLoad;
        return result;
    }
    const int limitMs = TimeLimitMs(path);

    // Declared before the transport, so they outlive the connections that write them.
    std::optional<EndReason> ended;
    bool loaded = false;
    HeadlessHost host;
    PathListRows rows({ path });
    Transport transport(m_flash, rows, host, m_settings);
    PlaybackMonitor& monitor = transport.Monitor();
    // The ticks are driven from here, in step with the time that passes.
    QObject::disconnect(&transport.TimerPlay(), &QTimer::timeout, &monitor, nullptr);

    QObject::connect(&monitor, &PlaybackMonitor::MovieEnded, &monitor, [&](EndReason reason) {
        if (ended)
            return;
        ended = reason;
        // With the row gone, moving on to the next row stops and unloads instead of replaying.
        rows.RemoveRow(1);
    });
    QObject::connect(&m_flash, &FlashControl::OnReadyStateChange, &monitor, [&](int state) {
        if (state == FlashControl::ReadyComplete)
            loaded = true;
    });

    transport.SetCurrFileIndex(1);
    transport.PlayerBtns_Click(Transport::CmdPlay);

    int64_t elapsedMs = 0;
    while (!ended && elapsedMs < limitMs) {
        elapsedMs += std::max(1, passTime(Transport::TimerPlayIntervalMs));
        if (ended || !loaded)
            continue;
        result.MaxFrame = std::max(result.MaxFrame, m_flash.FrameNum());
        monitor.TimerPlay_Timer();
    }
    result.Loaded = loaded;
    result.TotalFrames = transport.TotalFrameCount();
    result.Seconds = double(elapsedMs) / 1000.0;
    if (ended) {
        result.Ended = true;
        result.Reason = reasonText(*ended);
    } else {
        result.Reason = loaded ? ProbeReason::TimeLimit : ProbeReason::FailedToLoad;
        transport.SetPlayState(Transport::Stopped);
    }
    return result;
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
