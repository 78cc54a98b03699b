#pragma once
// What the borderless main window's own drawing and mouse handling ask of the
// real window: its skin pictures, painting cells of them, its shape, cursor
// and the window system's move and resize loops.
#include <array>

#include "platform/WindowControls.h"

namespace ruvo {

enum class CursorShape { Arrow, SizeWE, SizeNS, SizeNESW, SizeNWSE };

enum class ResizeEdge { None, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// One piece of a picture copied, stretched, to a place.
struct PictureCell {
    int picture = 0;  // the skin picture's slot
    Rect source;
};

struct FramePiece {
    Rect destination;
    Rect source;
};
using FramePieces = std::array<FramePiece, 8>;

class WindowSurface {
public:
    virtual ~WindowSurface() = default;
    // Loads the program's bitmap resource `resource` into picture slot `slot`
    // of the skin; false, and the slot unchanged, when there is no such resource.
    virtual bool LoadPicture(int slot, int resource) = 0;
    // Clears the window surface, paints the pieces of the frame picture
    // (slot 0) in order, stretched, and refreshes.
    virtual void PaintFrame(const FramePieces& pieces) = 0;
    // Shapes the window as a rounded rectangle of this pixel size.
    virtual void SetRoundedShape(int width, int height, int cornerWidth, int cornerHeight) = 0;
    // Shows a cell of a picture stretched over the control's whole area.
    virtual void DrawCell(ControlId control, const PictureCell& cell) = 0;
    virtual void SetCursorShape(CursorShape shape) = 0;
    // Hands the pointer to the window system's own move or resize loop. The
    // end of a resize loop is reported back to the window's mouse handling.
    virtual void StartSystemMove() = 0;
    virtual void StartSystemResize(ResizeEdge edge) = 0;
    // The window's inner size, pixels.
    virtual int InnerWidth() const = 0;
    virtual int InnerHeightPixels() const = 0;
    // Sizes a label to its text.
    virtual void SizeToText(ControlId control) = 0;
    // Sets a label's text colour, 0xRRGGBB.
    virtual void SetTextColor(ControlId control, unsigned rgb) = 0;
    virtual unsigned TextColor(ControlId control) const = 0;
};

}  // namespace ruvo
