#pragma once

#include "core/transportcontrol.h"
#include "swf/swfheader.h"

#include <QObject>
#include <QTimer>

class FlashControl;
class PlaybackMonitor;
class PlaylistRows;
class WindowHost;
struct Settings;

// The transport: the dispatcher of every playback action and the owner of the playback state. The
// tick-by-tick supervision of a playing movie is PlaybackMonitor's; this class owns it and its timer.
class Transport : public QObject, public TransportControl {
    Q_OBJECT
public:
    static constexpr int TimerPlayIntervalMs = 400;
    // The thin strip of a freshly started movie shows one pixel.
    static constexpr int FreshStripTwips = 15;

    // The settings are read at every use, so a change in the options window takes effect at once.
    Transport(FlashControl& flash, PlaylistRows& rows, WindowHost& host, const Settings& settings,
        QObject* parent = nullptr);
    ~Transport() override;

    int CurrFileIndex() const override { return m_currFileIndex; }
    void SetCurrFileIndex(int index) override { m_currFileIndex = index; }
    int PlayState() const override { return m_playState; }
    void SetPlayState(int state) override;
    void PlayerBtns_Click(int index) override;

    // The monitor's way to the next row when a movie has ended.
    void PlayNextItem();

    // The playlist's "播放" menu item and double click: restart at the selected row.
    void mnuListPlay_Click(int selectedRow);
    // The picture-size menu items.
    void mnuPlayerSizeAtutoFit_Click();
    void mnuPlayerSizeOrigin_Click();
    void mnuPlayerSizeStrech_Click();

    // The key-down handler of the main window: keyCode is a virtual-key code, shift the modifier mask
    // (1 Shift, 2 Ctrl, 4 Alt). A consumed key has keyCode set to 0.
    void Form_KeyDown(int& keyCode, int shift);

    bool SingleLoop() const { return m_singleLoop; }
    int LastFrame() const { return m_lastFrame; }
    int SampledFrame() const { return m_sampledFrame; }
    int TotalFrameCount() const { return m_totalFrameCount; }
    const SwfHeaderInfo& CurrentSwfInfo() const { return m_currentSwfInfo; }
    QString TotalTimeText() const { return m_totalTimeText; }

    QTimer& TimerPlay() { return m_timerPlay; }
    PlaybackMonitor& Monitor() { return *m_monitor; }
    // Counts the movies given to the player (loads and unloads), so that an answer from the engine
    // about an earlier movie can be told apart.
    quint64 MovieGeneration() const { return m_movieGeneration; }

private:
    friend class PlaybackMonitor;

    void play();
    void fastForward();
    void rewind();
    void togglePlaylist();
    void toggleSingleLoop();
    void loadMovie(const QString& url);

    FlashControl& m_flash;
    PlaylistRows& m_rows;
    WindowHost& m_host;
    const Settings& m_settings;
    QTimer m_timerPlay;
    PlaybackMonitor* m_monitor = nullptr;

    int m_playState = Stopped;
    int m_currFileIndex = 0;
    bool m_singleLoop = false;
    int m_lastFrame = -1;
    int m_sampledFrame = 0;
    int m_totalFrameCount = 0;
    SwfHeaderInfo m_currentSwfInfo;
    QString m_totalTimeText;
    quint64 m_movieGeneration = 0;
};
