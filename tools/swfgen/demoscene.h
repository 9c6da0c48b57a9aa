#pragma once

#include "tools/swfgen/swfwriter.h"

namespace swfgen {

// Makes a movie worth looking at for the demo playlist and the pictures: on a backdrop in its colours
// (which hides the moving square), a glowing disc that breathes, stars circling it and balls bouncing
// along the floor, moving with every frame; and a short chime on the first frame. Added as extra tags,
// so the movie's actions stay as they are.
void AddDemoScene(MovieSpec& movieSpec);

} // namespace swfgen
