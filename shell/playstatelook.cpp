#include "shell/playstatelook.h"

std::optional<PlayStateLook> LookForPlayState(int state)
{
    PlayStateLook look;
    switch (state) {
    case 0:
        look.playVisible = true;
        look.logoVisible = true;
        look.unloadMovie = true;
        look.blackBackground = true;
        return look;
    case 1:
        look.pauseVisible = true;
        look.stopEnabled = true;
        look.miniStripVisible = true;
        look.frameInfoVisible = true;
        look.timeVisible = true;
        look.fileInfoEnabled = true;
        look.blackBackground = true;
        look.fitNoScale = true;
        return look;
    case 2:
        look.playVisible = true;
        look.stopEnabled = true;
        look.miniStripVisible = true;
        look.frameInfoVisible = true;
        look.fileInfoEnabled = true;
        return look;
    default:
        return std::nullopt;
    }
}
