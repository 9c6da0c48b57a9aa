#pragma once

#include <Qt>

// Virtual-key codes the shortcuts are defined in.
namespace VirtualKey {
inline constexpr int Enter = 13;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int Left = 37;
inline constexpr int Right = 39;
inline constexpr int O = 79;
inline constexpr int F2 = 113;
} // namespace VirtualKey

// Modifier mask bits of the key-down handler.
namespace ShiftMask {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
} // namespace ShiftMask

enum class KeyAction {
    None,
    OpenFiles, // transport command 3
    FullScreen, // SetWindowState 3
    Rewind, // command 7
    FastForward, // command 6
    PauseOrResume, // command 1 while playing, 0 while paused, nothing while stopped
    Next, // command 4
    Previous, // command 5
    Options, // the options window without an owner
};

struct KeyBinding {
    KeyAction action = KeyAction::None;
    bool consumed = false; // the handler sets the key code to 0

    bool operator==(const KeyBinding&) const = default;
};

// The shortcut a key stands for. Ctrl alone selects one table and every other modifier state
// (none, Shift, Alt, Ctrl+Shift ...) the other, so Ctrl+Space and Ctrl+Page Down do nothing.
KeyBinding MapKey(int keyCode, int shift);

// Whether a Qt key press is one of the shortcuts above. A widget that hands keys on to the window's
// shortcuts does nothing more with these itself, so that one press never acts twice.
bool IsShortcutKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The virtual-key code of a Qt key; 0 for keys that have none here.
int VirtualKeyFromQt(int qtKey);
// The modifier mask of Qt's modifiers (the keypad flag and Meta are not modifiers here).
int ShiftMaskFromQt(Qt::KeyboardModifiers modifiers);
