#pragma once

#include <Qt>

// Keys beside the transport's tables, for the sound and the list's filter. None of them is a key
// of those tables, and each needs Ctrl alone, so plain Up and Down stay the list's.
enum class PlayerKey { None, VolumeUp, VolumeDown, ToggleMute, FindInList };

PlayerKey MapPlayerKey(int qtKey, Qt::KeyboardModifiers modifiers);
