#pragma once

// What the playlist paths ask of the transport: the current row, the play state and the dispatcher.
// Row positions are 1-based; CurrFileIndex 0 means no current row.
class TransportControl {
public:
    enum PlayStates { Stopped = 0, Playing = 1, Paused = 2 };
    enum Command {
        CmdPlay = 0,
        CmdPause = 1,
        CmdStop = 2,
        CmdOpenFiles = 3,
        CmdNext = 4,
        CmdPrevious = 5,
        CmdFastForward = 6,
        CmdRewind = 7,
        CmdTogglePlaylist = 8,
        CmdOptions = 9,
        CmdAbout = 10,
        CmdFullScreen = 11,
        CmdSingleLoop = 12,
    };

    virtual ~TransportControl() = default;

    virtual int CurrFileIndex() const = 0;
    virtual void SetCurrFileIndex(int index) = 0;
    virtual int PlayState() const = 0;
    // The only writer of the play state; any value other than 0, 1, 2 does nothing.
    virtual void SetPlayState(int state) = 0;
    // Dispatches transport command 0-12; any other index does nothing.
    virtual void PlayerBtns_Click(int index) = 0;
};
