#pragma once
// The skin: nine pictures (frame, button strips, tiles, tabs, toggles) from
// the program's bitmap resources 100 × n + 101 to 100 × n + 109.
#include "platform/WindowSurface.h"

namespace ruvo {

// The one skin the program carries.
inline constexpr int kProgramSkin = 1;
inline constexpr int SkinResource(int skin, int slot) { return 100 * skin + 101 + slot; }

// Loads skin `skin` into the window's pictures; a missing resource keeps the
// slot's picture.
void LoadSkin(WindowSurface& surface, int skin);

}  // namespace ruvo
