#pragma once

#include "core/twips.h"

#include <array>

// The main window's geometry without the widgets: where every area goes in twips, for the design size,
// the one-time arrangement, the layout pass on each resize, the splitter and the playlist toggle. The
// window applies the rectangles; tests check the numbers.
class MainLayout {
public:
    static constexpr int DesignWidth = 13395;
    static constexpr int DesignHeight = 8895;
    static constexpr int EdgeMargin = 15; // left of the player area, right of the playlist panel
    static constexpr int SplitterWidth = 30;
    static constexpr int MiniStripHeight = 45; // also how far the full bar overlaps the bottom bar
    static constexpr int TimeRightGap = 300;
    static constexpr int ColumnReserve = 300;
    static constexpr int SplitterMinStep = 15;
    static constexpr int PlaylistMinWidth = 3750;
    static constexpr int VolumeGap = 120; // between the transport buttons and the volume control
    static constexpr int FilterBoxHeight = 390;

    static constexpr int TransportCount = 13;
    static constexpr int ListToolCount = 4;
    static constexpr int WindowButtonCount = 3;

    // Positions are relative to the parent named in the comment.
    struct Areas {
        TwipRect picTop; // window
        TwipRect imgPlayerIcon; // picTop
        TwipRect lblFormTitle; // picTop
        TwipRect picWinBtn; // picTop
        std::array<TwipRect, WindowButtonCount> WinBtns; // picWinBtn
        TwipRect picBottom; // window
        TwipRect fraProgressMini; // picBottom
        TwipRect lblProgressMini; // fraProgressMini
        TwipRect fraPlayBtn; // picBottom
        std::array<TwipRect, TransportCount> PlayerBtns; // fraPlayBtn
        TwipRect lblTime; // picBottom
        TwipRect lblFrameInfo; // picBottom
        TwipRect fraVolume; // picBottom: the speaker and the level beside it
        TwipRect PlProgBar; // window
        TwipRect picPlayList; // window
        TwipRect picListEditor; // picPlayList
        std::array<TwipRect, ListToolCount> ListBtn; // picListEditor
        TwipRect imgFindBtn; // picListEditor, at its right end
        TwipRect txtFilter; // picPlayList, over the list while it is shown
        TwipRect picSpliter; // picPlayList
        TwipRect lvwFiles; // picPlayList
        TwipRect Flash; // window
        TwipRect picBigLogo; // window
        TwipRect imgBigLogo; // picBigLogo
        TwipRect imgBigOpen; // picBigLogo
    };

    MainLayout(); // the design geometry

    const Areas& areas() const { return m_areas; }

    // Once, before the window is first shown: centres the buttons in their bars, places the icon and the
    // title, and sizes the idle logo panel around its two pictures.
    void ArrangeControls();

    // The layout pass for a window of width x height twips. Returns false when it did nothing
    // (LayoutSuspended).
    bool SetControlsSize(int width, int height);

    bool LayoutSuspended() const { return m_layoutSuspended; }
    void SetLayoutSuspended(bool suspended) { m_layoutSuspended = suspended; }

    // Splitter drag; x is the pointer's X in splitter coordinates, in twips. SplitterMove returns true when
    // the panel width changed; windowWidth is the window's current width.
    void SplitterDown(bool leftButton, double x);
    bool SplitterMove(double x, int windowWidth);
    void SplitterUp() { m_splitterDragging = false; }
    bool SplitterDragging() const { return m_splitterDragging; }
    double SplitterStartX() const { return m_splitterStartX; }
    // The FileName column takes what the list's other visible columns leave, less a reserve for the scroll bar.
    int FileNameColumnWidth(int numberWidth, int timeShortWidth) const;

    // Shows or hides the playlist panel in a window of windowWidth twips; the player area takes the room.
    void SetPlaylistVisible(bool visible, int windowWidth);
    bool PlaylistVisible() const { return m_playlistVisible; }

    // The filter box above the list takes its height from the list.
    void SetFilterBoxVisible(bool visible);
    bool FilterBoxVisible() const { return m_filterBoxVisible; }

    // The thin strip's fill, set by the playback monitor as it moves.
    void SetMiniProgressWidth(int twips) { m_areas.lblProgressMini.width = twips; }

    // Full screen with the chrome hidden: the player area covers the whole window and later passes are
    // skipped until the window state changes.
    void FillWindowWithPlayer(int width, int height);

private:
    void centreLogoHorizontally();
    void placeListParts();

    Areas m_areas;
    bool m_layoutSuspended = false;
    bool m_playlistVisible = true;
    bool m_filterBoxVisible = false;
    bool m_splitterDragging = false;
    double m_splitterStartX = 0;
};
