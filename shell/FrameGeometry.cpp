#include "shell/FrameGeometry.h"

namespace ruvo {

BorderZone ZoneAt(int x, int y, int width, int height) {
    const int B = kBorderPixels;
    const bool top = y <= B;
    const bool bottom = y >= height - B && y > B;
    if (x >= width - B) return top ? BorderZone::TopRight : bottom ? BorderZone::BottomRight : BorderZone::Right;
    if (x <= B) return top ? BorderZone::TopLeft : bottom ? BorderZone::BottomLeft : BorderZone::Left;
    if (top) return BorderZone::Top;
    if (bottom) return BorderZone::Bottom;
    return BorderZone::Inside;
}

CursorShape CursorOf(BorderZone zone) {
    switch (zone) {
        case BorderZone::Right:
        case BorderZone::Left: return CursorShape::SizeWE;
        case BorderZone::Top:
        case BorderZone::Bottom: return CursorShape::SizeNS;
        case BorderZone::TopRight:
        case BorderZone::BottomLeft: return CursorShape::SizeNESW;
        case BorderZone::BottomRight:
        case BorderZone::TopLeft: return CursorShape::SizeNWSE;
        case BorderZone::Inside: break;
    }
    return CursorShape::Arrow;
}

ResizeEdge EdgeOf(BorderZone zone) {
    switch (zone) {
        case BorderZone::Right: return ResizeEdge::Right;
        case BorderZone::TopRight: return ResizeEdge::TopRight;
        case BorderZone::BottomRight: return ResizeEdge::BottomRight;
        case BorderZone::Left: return ResizeEdge::Left;
        case BorderZone::TopLeft: return ResizeEdge::TopLeft;
        case BorderZone::BottomLeft: return ResizeEdge::BottomLeft;
        case BorderZone::Top: return ResizeEdge::Top;
        case BorderZone::Bottom: return ResizeEdge::Bottom;
        case BorderZone::Inside: break;
    }
    return ResizeEdge::None;
}

FramePieces FramePiecesFor(int W, int H) {
    return {{
        {{0, 55, 35, H - 55}, {0, 55, 35, 8}},             // left edge
        {{W - 35, 55, 35, H - 55}, {45, 55, 35, 8}},       // right edge
        {{35, H - 45, W - 70, 45}, {35, 63, 10, 45}},      // bottom edge
        {{0, H - 45, 35, 45}, {0, 63, 35, 45}},            // bottom-left corner
        {{W - 35, H - 45, 35, 45}, {45, 63, 35, 45}},      // bottom-right corner
        {{40, 0, W - 70, 55}, {40, 0, 10, 55}},            // top edge
        {{0, 0, 40, 55}, {0, 0, 40, 55}},                  // top-left corner
        {{W - 30, 0, 30, 55}, {50, 0, 30, 55}},            // top-right corner
    }};
}

}  // namespace ruvo
