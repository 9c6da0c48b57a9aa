#include "core/windowhost.h"

PlayStatePresentation PresentationFor(int playState)
{
    PlayStatePresentation p;
    switch (playState) {
    case 1: // playing
        p = { false, true, true, true, true, true, false, true };
        break;
    case 2: // paused: the clock is hidden, the strip and frame information stay
        p = { true, false, true, true, true, false, false, true };
        break;
    default: // stopped
        break;
    }
    return p;
}
