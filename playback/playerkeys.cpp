#include "playback/playerkeys.h"

#include "playback/keymap.h"

PlayerKey MapPlayerKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (ShiftMaskFromQt(modifiers) != ShiftMask::Ctrl)
        return PlayerKey::None;
    switch (qtKey) {
    case Qt::Key_Up:
        return PlayerKey::VolumeUp;
    case Qt::Key_Down:
        return PlayerKey::VolumeDown;
    case Qt::Key_M:
        return PlayerKey::ToggleMute;
    case Qt::Key_F:
        return PlayerKey::FindInList;
    default:
        return PlayerKey::None;
    }
}
