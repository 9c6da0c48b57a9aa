#pragma once

class FlashControl;
struct Settings;

// The player's properties as the program always sets them before the first movie: high quality,
// transparent window mode, black background, no context menu, no looping (the root holds its last
// frame, which is how the end of a movie is seen), and the user's networking and script limits.
void ApplyPlayerProperties(FlashControl& flash, const Settings& settings);
