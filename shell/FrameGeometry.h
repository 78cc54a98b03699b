#pragma once
// The borderless frame as geometry: the 3-pixel border's zones with their
// cursors and resize edges, and the eight pieces of the frame picture.
#include "platform/WindowSurface.h"

namespace ruvo {

inline constexpr int kBorderPixels = 3;
inline constexpr int kFrameCorner = 4;  // width and height of the rounded corners

enum class BorderZone { Inside, Right, TopRight, BottomRight, Left, TopLeft, BottomLeft, Top, Bottom };

// The zone of a pointer at (x, y) in a window `width` × `height` pixels inside.
BorderZone ZoneAt(int x, int y, int width, int height);
CursorShape CursorOf(BorderZone zone);
ResizeEdge EdgeOf(BorderZone zone);

// The frame picture (80 × 108) cut into eight pieces for a window this large.
FramePieces FramePiecesFor(int width, int height);

}  // namespace ruvo
