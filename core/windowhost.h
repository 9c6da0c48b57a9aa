#pragma once

#include <QString>

// What each play state shows: the play and pause buttons share one place, so exactly one is visible.
struct PlayStatePresentation {
    bool playVisible = true; // PlayerBtns(0)
    bool pauseVisible = false; // PlayerBtns(1)
    bool stopEnabled = false; // PlayerBtns(2)
    bool progressMiniVisible = false; // fraProgressMini
    bool frameInfoVisible = false; // lblFrameInfo
    bool timeVisible = false; // lblTime
    bool bigLogoVisible = true; // picBigLogo, brought to the front when shown
    bool playerInfoEnabled = false; // mnuPlayerInfo

    bool operator==(const PlayStatePresentation&) const = default;
};

// The presentation of play state 0, 1 or 2; any other state gives the stopped one.
PlayStatePresentation PresentationFor(int playState);

// Who owns the options window: the transport button names the main window, the F2 key names none.
enum class OptionsOwner { MainWindow, None };

// Everything the transport and the playback monitor ask of the main window. The window decides
// nothing here: it shows what it is told and opens what it is asked to open.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    virtual void OpenSwfFiles() = 0;
    virtual bool PlaylistPanelVisible() const = 0;
    // Shows or hides picPlayList with the playlist toggle geometry (the Flash area takes the room).
    virtual void SetPlaylistPanelVisible(bool visible) = 0;
    virtual void ShowOptions(OptionsOwner owner) = 0; // modal
    virtual void ShowAbout() = 0; // modal, owned by the main window
    // 0 restore, 1 minimise, 2 maximise toggle, 3 full-screen toggle.
    virtual void SetWindowState(int command) = 0;

    virtual void SetTitleText(const QString& text) = 0; // lblFormTitle
    // Fill of the thin progress strip as a fraction (0 to 1) of the strip's width.
    virtual void SetProgressMiniFraction(double fraction) = 0;
    // Fill of the thin progress strip as an absolute width in twips (a fresh movie shows one pixel).
    virtual void SetProgressMiniTwips(int twips) = 0;
    virtual void SetFrameInfoText(const QString& text) = 0; // lblFrameInfo
    virtual void SetProgressBarValue(float percent) = 0; // PlProgBar.Value
    virtual void SetClockText(const QString& text) = 0; // lblTime

    virtual void PresentPlayState(const PlayStatePresentation& presentation) = 0;
    // The movie about to play is no SWF: tell the user "不是Flash文件格式" (it is played all the same).
    virtual void ShowNotFlashMessage() = 0;
    // Exchanges the NORMAL and DOWN pictures of transport button 12, so that it looks pressed while
    // single loop is on.
    virtual void SwapSingleLoopPictures() = 0;
};
