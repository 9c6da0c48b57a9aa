#include "shell/mainlayout.h"

#include "core/numbertext.h"

#include <cmath>
#include <cstdlib>

namespace {
int Half(int twips)
{
    return static_cast<int>(RoundRatioHalfEven(twips, 2));
}

TwipRect Square(int left, int size)
{
    return TwipRect { left, 0, size, size };
}
} // namespace

MainLayout::MainLayout()
{
    Areas& a = m_areas;
    a.picTop = { 0, 0, 13425, 555 };
    a.imgPlayerIcon = { 120, 30, 810, 480 };
    a.lblFormTitle = { 1080, 120, 1410, 300 };
    a.picWinBtn = { 11940, 0, 1440, 555 };
    a.WinBtns = { TwipRect { 90, 90, 360, 360 }, TwipRect { 540, 90, 360, 360 }, TwipRect { 990, 90, 360, 360 } };
    a.picBottom = { 0, 8100, 13400, 795 };
    a.fraProgressMini = { 0, 0, 855, 45 };
    a.lblProgressMini = { 0, 0, 495, 45 };
    a.fraPlayBtn = { 3960, 0, 5595, 795 };
    // Transport buttons by index: play and pause share one place.
    a.PlayerBtns = { Square(2240, 600), Square(2240, 600), Square(496, 360), Square(60, 360), Square(3352, 360),
        Square(1368, 360), Square(2916, 360), Square(1804, 360), Square(3788, 360), Square(4660, 360),
        Square(5100, 360), Square(4224, 360), Square(932, 360) };
    a.lblTime = { 11580, 180, 1230, 360 };
    a.lblFrameInfo = { 240, 240, 630, 300 };
    a.fraVolume = { 0, 0, 1350, 360 };
    a.PlProgBar = { 0, 7800, 975, 240 };
    a.picPlayList = { 3300, 1020, 3795, 5355 };
    a.picListEditor = { 300, 120, 2355, 435 };
    a.ListBtn = { Square(420, 360), Square(840, 360), Square(1260, 360), Square(0, 360) };
    a.imgFindBtn = Square(0, 360);
    a.txtFilter = { 0, 0, 0, FilterBoxHeight };
    a.picSpliter = { 300, 2880, 375, 1575 };
    a.lvwFiles = { 240, 780, 2355, 1935 };
    a.Flash = { 0, 660, 4245, 3165 };
    a.picBigLogo = { 4740, 720, 2250, 3015 };
    a.imgBigLogo = { 120, 0, 1650, 2520 };
    a.imgBigOpen = { 0, 2520, 2250, 465 };
}

void MainLayout::ArrangeControls()
{
    Areas& a = m_areas;
    for (TwipRect& button : a.PlayerBtns)
        button.top = Half(a.fraPlayBtn.height - button.height);
    a.picWinBtn.height = a.picTop.height;
    for (TwipRect& button : a.WinBtns)
        button.top = Half(a.picWinBtn.height - button.height);
    for (TwipRect& button : a.ListBtn)
        button.top = Half(a.picListEditor.height - button.height);
    a.imgFindBtn.top = Half(a.picListEditor.height - a.imgFindBtn.height);
    a.fraVolume.top = Half(a.picBottom.height - a.fraVolume.height);
    a.imgPlayerIcon.moveTo(200, Half(a.picTop.height - a.imgPlayerIcon.height));
    a.lblFormTitle.moveTo(a.imgPlayerIcon.right() + 120, Half(a.picTop.height - a.lblFormTitle.height));
    a.picBigLogo.width = a.imgBigOpen.width + 200;
    a.picBigLogo.height = a.imgBigOpen.height + a.imgBigLogo.height + 300;
    a.imgBigLogo.moveTo(Half(a.picBigLogo.width - a.imgBigLogo.width), 0);
    a.imgBigOpen.moveTo(100, a.imgBigLogo.height + 200);
}

bool MainLayout::SetControlsSize(int width, int height)
{
    if (m_layoutSuspended)
        return false;
    Areas& a = m_areas;
    const int W = width;
    const int H = height;
    const int TH = a.picTop.height;
    const int BH = a.picBottom.height;
    const int PH = a.PlProgBar.height;

    a.picTop.width = W;
    a.picWinBtn.left = W - a.picWinBtn.width;
    a.picBottom.width = W;
    a.picBottom.top = H - BH;
    // The fill keeps its share of the strip as the strip follows the window width.
    if (a.fraProgressMini.width > 0)
        a.lblProgressMini.width
            = static_cast<int>(RoundRatioHalfEven(int64_t(a.lblProgressMini.width) * W, a.fraProgressMini.width));
    a.fraProgressMini = { 0, 0, W, MiniStripHeight };
    a.fraPlayBtn.left = Half(W - a.fraPlayBtn.width);
    a.lblTime.moveTo(W - a.lblTime.width - TimeRightGap, Half(BH - a.lblTime.height));
    a.fraVolume.moveTo(a.fraPlayBtn.right() + VolumeGap, Half(BH - a.fraVolume.height));
    a.PlProgBar = { 0, a.picBottom.top - PH + MiniStripHeight, W, PH };
    a.picPlayList = { W - a.picPlayList.width - EdgeMargin, TH, a.picPlayList.width, H - TH - BH };
    a.picListEditor = { 0, 0, a.picPlayList.width, a.picListEditor.height };
    const int listHeight = a.picPlayList.height - a.picListEditor.height;
    a.picSpliter = { 0, a.picListEditor.height, SplitterWidth, listHeight };
    a.lvwFiles = { SplitterWidth, a.picListEditor.height, a.picPlayList.width - SplitterWidth, listHeight };
    placeListParts();
    const int reserved = m_playlistVisible ? a.picPlayList.width + SplitterWidth : SplitterWidth;
    a.Flash = { EdgeMargin, TH, W - reserved, H - TH - BH };
    // Half the free space each way, measured without the player area's origin.
    a.picBigLogo.moveTo(Half(a.Flash.width - a.picBigLogo.width), Half(a.picBottom.top - TH - a.picBigLogo.height));
    return true;
}

void MainLayout::SplitterDown(bool leftButton, double x)
{
    if (!leftButton)
        return;
    m_splitterDragging = true;
    m_splitterStartX = x;
}

bool MainLayout::SplitterMove(double x, int windowWidth)
{
    if (!m_splitterDragging)
        return false;
    Areas& a = m_areas;
    const int dx = static_cast<int>(std::nearbyint(x - m_splitterStartX));
    if (std::abs(dx) < SplitterMinStep)
        return false;
    const int newWidth = a.picPlayList.width - dx;
    if (2 * int64_t(newWidth) >= windowWidth || newWidth <= PlaylistMinWidth)
        return false;
    a.Flash.width = windowWidth - newWidth - SplitterWidth;
    a.picPlayList.left += dx;
    a.picPlayList.width = newWidth; // the right edge stays where it was
    a.picListEditor.width = newWidth;
    a.lvwFiles.width = newWidth - SplitterWidth;
    placeListParts();
    centreLogoHorizontally();
    return true;
}

int MainLayout::FileNameColumnWidth(int numberWidth, int timeShortWidth) const
{
    return m_areas.lvwFiles.width - numberWidth - timeShortWidth - ColumnReserve;
}

void MainLayout::SetPlaylistVisible(bool visible, int windowWidth)
{
    m_playlistVisible = visible;
    m_areas.Flash.width
        = visible ? windowWidth - m_areas.picPlayList.width - SplitterWidth : windowWidth - SplitterWidth;
    centreLogoHorizontally();
}

void MainLayout::FillWindowWithPlayer(int width, int height)
{
    m_areas.Flash = { 0, 0, width, height };
    m_layoutSuspended = true;
}

void MainLayout::SetFilterBoxVisible(bool visible)
{
    if (visible == m_filterBoxVisible)
        return;
    m_filterBoxVisible = visible;
    const int shift = visible ? FilterBoxHeight : -FilterBoxHeight;
    m_areas.lvwFiles.top += shift;
    m_areas.lvwFiles.height -= shift;
    placeListParts();
}

// The find button keeps to the right end of the tool bar, and the filter box spans the list below it.
void MainLayout::placeListParts()
{
    Areas& a = m_areas;
    a.imgFindBtn.left = a.picListEditor.width - a.imgFindBtn.width - VolumeGap;
    a.txtFilter = { a.lvwFiles.left, a.picListEditor.height, a.lvwFiles.width, FilterBoxHeight };
    if (m_filterBoxVisible && a.lvwFiles.top == a.picListEditor.height) {
        a.lvwFiles.top += FilterBoxHeight;
        a.lvwFiles.height -= FilterBoxHeight;
    }
}

void MainLayout::centreLogoHorizontally()
{
    m_areas.picBigLogo.left = Half(m_areas.Flash.width - m_areas.picBigLogo.width);
}
