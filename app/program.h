#pragma once

#include "core/soundlevel.h"
#include "core/windowhost.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class FlashControl;
class MprisService;
class PlayerProgressBar;
class QMessageBox;
class PlaylistCommands;
class PlaylistDialogs;
class PlaylistMenus;
class PlaylistModel;
class PlaylistView;
class QTimer;
class SingleInstance;
class Transport;
class frmMain;
struct Settings;

// The running program: the main window with the playlist, the transport and the engine plugged into
// it, and the start-up and shut-down steps around them. It is the transport's window host.
class Program : public QObject, public WindowHost {
    Q_OBJECT
public:
    static constexpr int AutoPlayDelayMs = 100;

    // playerView shows the engine's picture; flash drives it. dataFolder holds "PlayList.m3u".
    Program(Settings& settings, const QString& dataFolder, FlashControl& flash, QWidget* playerView);
    ~Program() override;

    frmMain& window() const { return *m_window; }
    PlaylistModel& model() const { return *m_model; }
    PlaylistCommands& commands() const { return *m_commands; }
    Transport& transport() const { return *m_transport; }
    // The desktop's media controls; registered on a bus by whoever starts the program.
    MprisService& mpris() const { return *m_mpris; }

    // The widget that takes the engine's input (it may change while the engine runs).
    void watchPlayerInput(QWidget* input);
    // Shows the window; 100 ms later the saved playlist comes back and the first of paths plays.
    void start(const QStringList& paths);
    // A file handed over by a second copy or the clipboard: appended and played at once.
    void playHandedOver(const QString& path);
    // Further files handed over behind it: appended only.
    void addHandedOver(const QStringList& paths);
    // A second copy's files come to this program and raise its window.
    void takeHandOffsFrom(SingleInstance& instance);

    // WindowHost
    void OpenSwfFiles() override;
    bool PlaylistPanelVisible() const override;
    void SetPlaylistPanelVisible(bool visible) override;
    void ShowOptions(OptionsOwner owner) override;
    void ShowAbout() override;
    void SetWindowState(int command) override;
    void SetTitleText(const QString& text) override;
    void SetProgressMiniFraction(double fraction) override;
    void SetProgressMiniTwips(int twips) override;
    void SetFrameInfoText(const QString& text) override;
    void SetProgressBarValue(float percent) override;
    void SetClockText(const QString& text) override;
    void PresentPlayState(const PlayStatePresentation& presentation) override;
    void ShowNotFlashMessage() override;
    void SwapSingleLoopPictures() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectWindow();
    void connectPlaylist();
    void keyDown(int qtKey, Qt::KeyboardModifiers modifiers);
    void setSoundLevel(const SoundLevel& level);
    void restoreAtStartUp();
    void showFileInfo(const QString& path);
    void unload();

    Settings& m_settings;
    FlashControl& m_flash;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<PlaylistModel> m_model;
    std::unique_ptr<PlaylistDialogs> m_dialogs;
    std::unique_ptr<Transport> m_transport;
    std::unique_ptr<PlaylistCommands> m_commands;
    std::unique_ptr<MprisService> m_mpris;
    PlaylistView* m_view = nullptr; // owned by the window
    PlayerProgressBar* m_progressBar = nullptr; // owned by the window
    PlaylistMenus* m_menus = nullptr; // owned by the window
    SoundLevel m_sound;
    QStringList m_startPaths;
    QPointer<QMessageBox> m_notFlashBox;
    bool m_unloaded = false;
};
