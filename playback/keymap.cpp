#include "playback/keymap.h"

KeyBinding MapKey(int keyCode, int shift)
{
    if (shift == ShiftMask::Ctrl) {
        switch (keyCode) {
        case VirtualKey::O:
            return { KeyAction::OpenFiles, false };
        case VirtualKey::Enter:
            return { KeyAction::FullScreen, true };
        case VirtualKey::Left:
            return { KeyAction::Rewind, true };
        case VirtualKey::Right:
            return { KeyAction::FastForward, true };
        default:
            return {};
        }
    }
    switch (keyCode) {
    case VirtualKey::Space:
        return { KeyAction::PauseOrResume, true };
    case VirtualKey::Left:
        return { KeyAction::Rewind, true };
    case VirtualKey::Right:
        return { KeyAction::FastForward, true };
    case VirtualKey::PageDown:
        return { KeyAction::Next, true };
    case VirtualKey::PageUp:
        return { KeyAction::Previous, true };
    case VirtualKey::F2:
        return { KeyAction::Options, false };
    default:
        return {};
    }
}

bool IsShortcutKey(int qtKey, Qt::KeyboardModifiers modifiers)
{
    return MapKey(VirtualKeyFromQt(qtKey), ShiftMaskFromQt(modifiers)).action != KeyAction::None;
}

int VirtualKeyFromQt(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VirtualKey::Enter;
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_PageUp:
        return VirtualKey::PageUp;
    case Qt::Key_PageDown:
        return VirtualKey::PageDown;
    case Qt::Key_Left:
        return VirtualKey::Left;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_F2:
        return VirtualKey::F2;
    default:
        break;
    }
    // Letters and digits share their codes with ASCII upper case, as virtual keys do.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    return 0;
}

int ShiftMaskFromQt(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= ShiftMask::Shift;
    if (modifiers & Qt::ControlModifier)
        mask |= ShiftMask::Ctrl;
    if (modifiers & Qt::AltModifier)
        mask |= ShiftMask::Alt;
    return mask;
}
