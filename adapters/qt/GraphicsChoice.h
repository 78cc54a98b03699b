#pragma once
// How the window and the player's picture are drawn, chosen once at start
// before the first web view exists (Qt's graphics interface cannot change
// after that).
#include "adapters/mpv/MpvVideoView.h"

namespace ruvo {

// `setting` is what the user asked for: "opengl", "software", or null or
// anything else for the program's own choice: OpenGL with a graphics card,
// software where OpenGL itself would run in software (llvmpipe and kin).
// Where no OpenGL context can be made at all, software whatever was asked.
// Applies the choice to Qt and returns the kind of picture view to make.
MpvVideoView::Kind ChooseGraphics(const char* setting);

}  // namespace ruvo
