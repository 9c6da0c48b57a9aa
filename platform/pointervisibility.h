#pragma once

// The pointer's display counter, kept the way the desktop's show-cursor call keeps it: hiding counts down,
// showing counts up, and the pointer is invisible while the count is below 0. Callers guard each call by
// the count's sign, so it never strays more than one step from 0.
namespace Pointer {
// Shows (true) or hides (false) the pointer over every window of the program; returns the new count.
int ShowCursor(bool show);
int ShowCount();
} // namespace Pointer
