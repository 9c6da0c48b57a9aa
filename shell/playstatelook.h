#pragma once

#include <optional>

// What each play state shows: which of the idle logo, play/pause, stop, the clock, the frame text and the
// thin strip are visible or enabled. The window applies it; the play state itself belongs to the transport.
struct PlayStateLook {
    bool playVisible = false; // PlayerBtns(0)
    bool pauseVisible = false; // PlayerBtns(1)
    bool stopEnabled = false; // PlayerBtns(2)
    bool miniStripVisible = false; // fraProgressMini
    bool frameInfoVisible = false; // lblFrameInfo
    bool timeVisible = false; // lblTime
    bool logoVisible = false; // picBigLogo, raised above the player when shown
    bool fileInfoEnabled = false; // mnuPlayerInfo
    bool unloadMovie = false; // the player is emptied and its background made black
    bool blackBackground = false;
    bool fitNoScale = false; // "NoScale" becomes "ShowAll"

    friend bool operator==(const PlayStateLook&, const PlayStateLook&) = default;
};

// 0 stopped, 1 playing, 2 paused; nothing for any other value.
std::optional<PlayStateLook> LookForPlayState(int state);
