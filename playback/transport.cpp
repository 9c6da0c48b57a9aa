#include "playback/transport.h"

#include "core/fileexists.h"
#include "core/flashcontrol.h"
#include "core/playlistrows.h"
#include "core/settings.h"
#include "core/windowhost.h"
#include "playback/keymap.h"
#include "playback/playbackmonitor.h"
#include "swf/fileinfo.h"
#include "swf/fileinfo.h"
#include "swf/formatting.h"

namespace {
const QString ShowAll = QStringLiteral("ShowAll");
const QString NoScale = QStringLiteral("NoScale");
const QString ExactFit = QStringLiteral("ExactFit");
} // namespace

Transport::Transport(FlashControl& flash, PlaylistRows& rows, WindowHost& host, const Settings& settings,
    QObject* parent)
    : QObject(parent)
    , m_flash(flash)
    , m_rows(rows)
    , m_host(host)
    , m_settings(settings)
{
    m_timerPlay.setInterval(TimerPlayIntervalMs);
    m_monitor = new PlaybackMonitor(*this, flash, host, settings);
    m_monitor->setParent(this);
}

Transport::~Transport() = default;

void Transport::loadMovie(const QString& url)
{
    ++m_movieGeneration;
    m_flash.LoadMovie(0, url);
}

void Transport::SetPlayState(int state)
{
    if (state < Stopped || state > Paused)
        return;
    // The timer runs only while playing, so a paused movie is never taken for a stuck one.
    if (state == Playing) {
        if (!m_timerPlay.isActive())
            m_timerPlay.start();
    } else {
        m_timerPlay.stop();
    }
    m_playState = state;
    if (state == Stopped) {
        m_lastFrame = -1;
        loadMovie(FlashControl::UnloadUrl);
        m_flash.SetBackgroundColor(0);
    } else if (state == Playing) {
        m_flash.SetBackgroundColor(0);
        if (m_flash.Scale() == NoScale)
            m_flash.SetScale(ShowAll);
    }
    m_host.PresentPlayState(PresentationFor(state));
}

void Transport::PlayerBtns_Click(int index)
{
    switch (index) {
    case CmdPlay:
        play();
        break;
    case CmdPause:
        // Playing -> Paused
        SetPlayState(Paused);
        m_flash.StopPlay();
        break;
    case CmdStop:
        SetPlayState(Stopped);
        break;
    case CmdOpenFiles:
        m_host.OpenSwfFiles();
        break;
    case CmdNext: {
        const int n = m_rows.RowCount();
        if (n < 1)
            return;
        SetPlayState(Stopped);
        m_currFileIndex = (m_currFileIndex % n) + 1;
        play();
        break;
    }
    case CmdPrevious: {
        // No wrap from the first row to the last.
        const int n = m_rows.RowCount();
        if (m_currFileIndex < 2 || n < 2)
            return;
        SetPlayState(Stopped);
        m_currFileIndex = ((m_currFileIndex - 2) % n) + 1;
        play();
        break;
    }
    case CmdFastForward:
        fastForward();
        break;
    case CmdRewind:
        rewind();
        break;
    case CmdTogglePlaylist:
        togglePlaylist();
        break;
    case CmdOptions:
        m_host.ShowOptions(OptionsOwner::MainWindow);
        break;
    case CmdAbout:
        m_host.ShowAbout();
        break;
    case CmdFullScreen:
        m_host.SetWindowState(3);
        break;
    case CmdSingleLoop:
        toggleSingleLoop();
        break;
    default:
        break;
    }
}

void Transport::play()
{
    if (m_currFileIndex < 1)
        m_currFileIndex = 1;
    int n = m_rows.RowCount();
    if (n < 1) {
        m_host.OpenSwfFiles();
        return;
    }
    if (m_playState == Paused) {
        // Paused -> Playing: the movie resumes where it was held, nothing is reloaded.
        m_flash.Play();
        SetPlayState(Playing);
        return;
    }
    m_currFileIndex = ((m_currFileIndex - 1) % n) + 1;

    // A file that vanished since it was added leaves the list when its turn comes; a movie that
    // brought the engine down again and again keeps its row but is passed over.
    bool removed = false;
    for (int passed = 0;;) {
        const QString path = m_rows.FilePath(m_currFileIndex);
        if (m_monitor->PassedOver(path)) {
            m_currFileIndex = (m_currFileIndex % n) + 1;
            if (++passed < n)
                continue;
        } else if (FileExists(path)) {
            break;
        } else {
            m_rows.RemoveRow(m_currFileIndex);
            removed = true;
            n = m_rows.RowCount();
            if (n < m_currFileIndex)
                m_currFileIndex = n;
            if (n >= 1)
                continue;
        }
        SetPlayState(Stopped);
        return;
    }
    if (removed)
        m_rows.RenumberList();

    const QString path = m_rows.FilePath(m_currFileIndex);
    // A file that is not a SWF still goes to the player, after the user has been told.
    if (ReadSwfHeaderChecked(path, m_currentSwfInfo).notFlash)
        m_host.ShowNotFlashMessage();
    const int32_t duration = m_currentSwfInfo.Duration;
    m_rows.SetDurations(m_currFileIndex, FormatDuration(duration, DurationShort), FormatDuration(duration, DurationFull));
    m_totalTimeText = FormatDuration(duration, DurationShort);
    m_lastFrame = -1;

    loadMovie(path);
    m_flash.SetBackgroundColor(0);
    m_flash.Play();

    m_host.SetTitleText(m_rows.FileName(m_currFileIndex));
    m_host.SetProgressMiniTwips(FreshStripTwips);
    m_rows.MarkPlayingItem(m_currFileIndex);
    // Stopped or Playing -> Playing (a playing row restarts from its first frame)
    SetPlayState(Playing);
}

void Transport::PlayNextItem()
{
    SetPlayState(Stopped);
    m_lastFrame = -1;
    // The list can have been emptied of vanished files while the movie played: stay stopped then.
    const int n = m_rows.RowCount();
    if (n < 1)
        return;
    m_currFileIndex = (m_currFileIndex % n) + 1;
    play();
}

void Transport::fastForward()
{
    if (m_playState == Stopped || m_monitor->Unsupervised())
        return;
    const int64_t target = int64_t(m_flash.FrameNum()) + m_settings.FastFrames;
    // Never onto the last frame: the monitor would take that for the end of the movie.
    if (target > int64_t(m_totalFrameCount) - 2)
        return;
    m_flash.SetFrameNum(int(target));
    if (m_playState == Playing)
        m_flash.Play();
    m_monitor->ShowPosition(int(target), PlaybackMonitor::DisplayOrder::Seek);
}

void Transport::rewind()
{
    if (m_playState == Stopped || m_monitor->Unsupervised())
        return;
    const int frame = m_flash.FrameNum();
    if (frame < m_settings.FastFrames)
        return; // no partial jump to frame 0
    // The monitor must not take the backward jump for a loop of the movie.
    m_lastFrame = -1;
    const int target = int(int64_t(frame) - m_settings.FastFrames);
    m_flash.SetFrameNum(target);
    if (m_playState == Playing)
        m_flash.Play();
    m_monitor->ShowPosition(target, PlaybackMonitor::DisplayOrder::Seek);
}

void Transport::togglePlaylist()
{
    const bool show = !m_host.PlaylistPanelVisible();
    m_host.SetPlaylistPanelVisible(show);
    if (show)
        m_rows.SelectPlayingItem(m_currFileIndex);
}

void Transport::toggleSingleLoop()
{
    m_singleLoop = !m_singleLoop;
    m_host.SwapSingleLoopPictures();
}

void Transport::mnuListPlay_Click(int selectedRow)
{
    if (m_rows.RowCount() < 1)
        return;
    SetPlayState(Stopped);
    m_currFileIndex = selectedRow;
    PlayerBtns_Click(CmdPlay);
}

void Transport::mnuPlayerSizeAtutoFit_Click() { m_flash.SetScale(ShowAll); }

void Transport::mnuPlayerSizeOrigin_Click() { m_flash.SetScale(NoScale); }

void Transport::mnuPlayerSizeStrech_Click() { m_flash.SetScale(ExactFit); }

void Transport::Form_KeyDown(int& keyCode, int shift)
{
    const KeyBinding binding = MapKey(keyCode, shift);
    if (binding.consumed)
        keyCode = 0;
    switch (binding.action) {
    case KeyAction::None:
        break;
    case KeyAction::OpenFiles:
        PlayerBtns_Click(CmdOpenFiles);
        break;
    case KeyAction::FullScreen:
        m_host.SetWindowState(3);
        break;
    case KeyAction::Rewind:
        PlayerBtns_Click(CmdRewind);
        break;
    case KeyAction::FastForward:
        PlayerBtns_Click(CmdFastForward);
        break;
    case KeyAction::PauseOrResume:
        // Space never starts playback from the stopped state.
        if (m_playState == Playing)
            PlayerBtns_Click(CmdPause);
        else if (m_playState == Paused)
            PlayerBtns_Click(CmdPlay);
        break;
    case KeyAction::Next:
        PlayerBtns_Click(CmdNext);
        break;
    case KeyAction::Previous:
        PlayerBtns_Click(CmdPrevious);
        break;
    case KeyAction::Options:
        m_host.ShowOptions(OptionsOwner::None);
        break;
    }
}
