#pragma once

#include "shell/mainlayout.h"
#include "shell/skinbuttonset.h"

#include <QPointF>
#include <QWidget>
#include <array>

class FlashControl;
class QAction;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;
class VolumeControl;
struct SoundLevel;

// The borderless, skinned main window: title bar, control bar, playlist panel, player area and idle logo.
// It presents and forwards; the transport, the playlist and the dialogs are connected to its signals by
// the program's start-up code, and the engine view, playlist view and progress bar are plugged into the
// places kept for them.
class frmMain : public QWidget {
    Q_OBJECT
public:
    enum WindowCommand { RestoreWindow = 0, MinimiseWindow = 1, MaximiseToggle = 2, FullScreenToggle = 3 };
    static constexpr int FullScreenHideMs = 5000;

    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Places for the other subsystems' widgets. The window takes ownership, puts the widget where the
    // placeholder was and routes its mouse the way the placeholder's was routed.
    void setPlayerView(QWidget* view);
    void setPlaylistView(QWidget* view);
    void setProgressBar(QWidget* bar);
    // The widget that really takes the player's input when it is not the view itself (a web view's
    // render child): its keys, mouse and double clicks are routed as the player area's.
    void watchPlayerInput(QWidget* input);
    // The engine, for the scale mode that full screen and playing switch from "NoScale" to "ShowAll".
    void setFlashControl(FlashControl* flash) { m_flash = flash; }
    QWidget* playerView() const { return Flash; }
    QWidget* playlistView() const { return lvwFiles; }
    QWidget* progressBar() const { return PlProgBar; }

    // What each play state shows (0 stopped, 1 playing, 2 paused; other values do nothing). The transport's
    // host calls it from SetPlayState; the play state itself, its timer and the engine stay with the transport.
    void PresentPlayState(int state);
    int presentedPlayState() const { return m_playState; }

    // Displays the transport and monitor write to.
    void SetFormTitle(const QString& title);
    void SetTimeText(const QString& text);
    void SetFrameInfoText(const QString& text);
    // The thin strip's fill, in twips of a strip MiniStripWidth() twips wide.
    void SetMiniProgressWidth(int twips);
    int MiniStripWidth() const { return m_layout.areas().fraProgressMini.width; }

    // The playlist toggle of transport command 8.
    void SetPlaylistVisible(bool visible);
    bool PlaylistVisible() const { return m_layout.PlaylistVisible(); }

    // The volume control shows the level the program applies; its requests come out as signals.
    void ShowSoundLevel(const SoundLevel& level);
    VolumeControl* volumeControl() const { return fraVolume; }

    // The one-line filter box above the list. Showing it focuses it with its text selected; hiding it
    // empties it (every row shows again) and gives the list the focus.
    void ShowFilterBox();
    void HideFilterBox();
    bool FilterBoxVisible() const { return m_layout.FilterBoxVisible(); }
    QLineEdit* filterBox() const { return txtFilter; }

    // Skinned buttons.
    SkinButtonSet* buttons() const { return m_buttons; }
    void ResetAllBtnIcon();
    // Transport command 12 calls this each time it toggles the single loop.
    void ExchangeSingleLoopPictures();

    // Layout.
    void SetControlsSize();
    // The clock takes a seven-segment face when one is installed; run again after registering one.
    void ApplyClockFont();
    bool LayoutSuspended() const { return m_layout.LayoutSuspended(); }
    const MainLayout& layout() const { return m_layout; }

    // Window states and full screen.
    void SetWindowState(int state);
    void WinBtns_Click(int index);
    void DragWindow();
    void TimerFullScr_Timer();
    bool isFullScreenTimerActive() const;
    // The pointer's display counter, shared with the program's other windows (below 0: hidden).
    int CursorShowCount() const;
    QPointF LastCursorPos() const { return m_lastCursorPos; }

    // The player area's input, called by the engine view's event filter (and by the placeholder's).
    void PlayerMouseMove(const QPointF& globalPos);
    void PlayerLeftButtonDown();
    void PlayerDoubleClick();
    void PlayerRightButtonDown(const QPoint& globalPos);

    QMenu* mnuIcon() const { return m_mnuIcon; }
    QMenu* mnuPlayer() const { return m_mnuPlayer; }
    QAction* mnuPlayerFull() const { return m_mnuPlayerFull; }
    QAction* mnuPlayerInfo() const { return m_mnuPlayerInfo; }

signals:
    // Transport button index 0-12: connect to the transport's PlayerBtns_Click.
    void PlayerBtnsClicked(int index);
    // Playlist tool index 0-3 and the big open button on the logo.
    void ListBtnClicked(int index);
    void BigOpenClicked();
    // Menu entries.
    void openFilesRequested();
    void openListRequested();
    void optionsRequested();
    void aboutRequested();
    void readmeRequested();
    void fileInfoRequested();
    void scaleModeRequested(const QString& mode);
    // The playlist panel became visible: the current row is to be selected and scrolled into view.
    void playlistShown();
    // Keys pressed on the window or handed over by the player area.
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    // The volume control: wheel steps, a level clicked or dragged to, the speaker clicked.
    void soundStepRequested(int steps);
    void volumeRequested(int percent);
    void muteToggleRequested();
    // The filter box's text, as typed; empty when the box closes.
    void filterTextChanged(const QString& text);
    // The window starts moving with the pointer (a system move).
    void windowDragStarted();
    // The window is closing: save what must survive the run.
    void unloading();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createButtons();
    void createMenus();
    void ArrangeControls();
    void applyGeometry();
    void fitFormTitle();
    void replaceWidget(QWidget*& slot, QWidget* widget);
    void watch(QWidget* widget);
    void showCursor(bool show);
    void restoreNormal();
    bool isMaximisedState() const;
    void onSplitterMouse(QEvent* event);
    void onButtonClicked(SkinButtonSet::Group group, int index);
    bool filterBoxKey(QKeyEvent* event);
    void hideProgressBar();
    void stopFullScreenTimer();
    QRect screenGeometry() const;

    MainLayout m_layout;
    SkinButtonSet* m_buttons = nullptr;
    FlashControl* m_flash = nullptr;
    QTimer* m_timerFullScr = nullptr;
    int m_playState = 0;
    QPointF m_lastCursorPos;
    bool m_iconMenuToggle = false;
    QSize m_normalSize;

    // The control tree; names follow the window's design.
    QWidget* picTop = nullptr;
    QLabel* imgPlayerIcon = nullptr;
    QLabel* lblFormTitle = nullptr;
    QWidget* picWinBtn = nullptr;
    std::array<SkinButton*, MainLayout::WindowButtonCount> WinBtns {};
    QWidget* picBottom = nullptr;
    QWidget* fraProgressMini = nullptr;
    QWidget* lblProgressMini = nullptr;
    QWidget* fraPlayBtn = nullptr;
    std::array<SkinButton*, MainLayout::TransportCount> PlayerBtns {};
    QLabel* lblTime = nullptr;
    QLabel* lblFrameInfo = nullptr;
    VolumeControl* fraVolume = nullptr;
    QWidget* PlProgBar = nullptr;
    QWidget* picPlayList = nullptr;
    QWidget* picListEditor = nullptr;
    std::array<SkinButton*, MainLayout::ListToolCount> ListBtn {};
    SkinButton* imgFindBtn = nullptr;
    QLineEdit* txtFilter = nullptr;
    QWidget* picSpliter = nullptr;
    QWidget* lvwFiles = nullptr;
    QWidget* Flash = nullptr;
    QWidget* picBigLogo = nullptr;
    QLabel* imgBigLogo = nullptr;
    SkinButton* imgBigOpen = nullptr;

    QMenu* m_mnuIcon = nullptr;
    QMenu* m_mnuPlayer = nullptr;
    QAction* m_mnuPlayerFull = nullptr;
    QAction* m_mnuPlayerInfo = nullptr;
    QList<QObject*> m_playerInputs;

    friend class TestFrmMain;
};
