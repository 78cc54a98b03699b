#pragma once
// The main window's own drawing and mouse loops on Qt: the skin's pictures
// from the program's resources, the frame, the rounded shape, cursors and the
// window system's move and resize. On X11, and where the window system
// offers no move or resize loop, the window follows the pointer itself.
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QTimer>
#include <array>
#include <functional>
#include <map>

#include "platform/WindowSurface.h"
#include "adapters/qt/FrameBody.h"
#include "adapters/qt/QtWindowControls.h"

namespace ruvo {

class QtWindowSurface final : public WindowSurface {
public:
    QtWindowSurface(QWidget& window, FrameBody& body, QtWindowControls& controls);

    // Called when a resize loop started here has ended.
    void SetOnResizeEnded(std::function<void()> ended) { onResizeEnded_ = std::move(ended); }
    // The window's mouse events while it follows the pointer itself; true
    // when the event was used for that.
    bool FollowPointer(const QPoint& global, bool leftHeld);
    // Every change of the window's size; ends a resize loop once the size
    // has stopped changing.
    void WindowResized();
    // A new press on the window: whatever loop ran has ended, and a move or
    // resize asked for from now on starts once the pointer has left this place.
    void PointerPressed(const QPoint& global);

    bool LoadPicture(int slot, int resource) override;
    void PaintFrame(const FramePieces& pieces) override;
    void SetRoundedShape(int width, int height, int cornerWidth, int cornerHeight) override;
    void DrawCell(ControlId control, const PictureCell& cell) override;
    void SetCursorShape(CursorShape shape) override;
    void StartSystemMove() override;
    void StartSystemResize(ResizeEdge edge) override;
    int InnerWidth() const override { return body_.width(); }
    int InnerHeightPixels() const override { return body_.height(); }
    void SizeToText(ControlId control) override;
    void SetTextColor(ControlId control, unsigned rgb) override;
    unsigned TextColor(ControlId control) const override;

private:
    enum class Follow { None, Move, Resize };
    void ResizeEnded();
    void AwaitDrag(Follow kind, ResizeEdge edge);
    bool DraggedFarEnough(const QPoint& global) const;
    void HandOver(const QPoint& pointer);  // the awaited move or resize starts, the pointer there
    bool ReleasedBeforeHandOver(const QPoint& global);
    // Moves or resizes the window from followGeometry_ by the pointer's way.
    void Drag(Follow kind, const QPoint& delta);

    QWidget& window_;
    FrameBody& body_;
    QtWindowControls& controls_;
    std::array<QPixmap, 9> pictures_;  // the skin's picture slots
    std::map<std::pair<int, int>, unsigned> colors_;
    std::function<void()> onResizeEnded_;
    QTimer resizeSettled_;
    bool systemResizing_ = false;
    Follow awaiting_ = Follow::None;  // asked for, not yet dragged far enough
    QPoint pressedAt_;
    Follow follow_ = Follow::None;
    ResizeEdge followEdge_ = ResizeEdge::None;
    QPoint followStart_;
    QRect followGeometry_;
};

}  // namespace ruvo
