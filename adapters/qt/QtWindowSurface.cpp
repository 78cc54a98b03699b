#include "adapters/qt/QtWindowSurface.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPainterPath>
#include <QRegion>
#include <QWindow>

#include "adapters/qt/SkinCell.h"

namespace ruvo {
namespace {

// On X11 a window may place itself, and follows the pointer itself: a move
// handed to the window manager while the toolkit holds the pressed button's
// grab may never see the release, and openbox went on moving until the next
// click. A Wayland client cannot place its window: the compositor moves it.
bool PlacesItself() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// The window has stopped changing size this long after a resize loop: it ended.
constexpr int kResizeSettledMs = 400;

Qt::Edges EdgesOf(ResizeEdge edge) {
    switch (edge) {
        case ResizeEdge::Left: return Qt::LeftEdge;
        case ResizeEdge::Right: return Qt::RightEdge;
        case ResizeEdge::Top: return Qt::TopEdge;
        case ResizeEdge::Bottom: return Qt::BottomEdge;
        case ResizeEdge::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
        case ResizeEdge::TopRight: return Qt::TopEdge | Qt::RightEdge;
        case ResizeEdge::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
        case ResizeEdge::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
        case ResizeEdge::None: break;
    }
    return {};
}

Qt::CursorShape QtCursorOf(CursorShape shape) {
    switch (shape) {
        case CursorShape::SizeWE: return Qt::SizeHorCursor;
        case CursorShape::SizeNS: return Qt::SizeVerCursor;
        case CursorShape::SizeNESW: return Qt::SizeBDiagCursor;
        case CursorShape::SizeNWSE: return Qt::SizeFDiagCursor;
        case CursorShape::Arrow: break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

QtWindowSurface::QtWindowSurface(QWidget& window, FrameBody& body, QtWindowControls& controls)
    : window_(window), body_(body), controls_(controls) {
    resizeSettled_.setSingleShot(true);
    resizeSettled_.setInterval(kResizeSettledMs);
    QObject::connect(&resizeSettled_, &QTimer::timeout, [this] { ResizeEnded(); });
}

bool QtWindowSurface::LoadPicture(int slot, int resource) {
    if (slot < 0 || slot >= static_cast<int>(pictures_.size())) return false;
    const QPixmap picture(QStringLiteral(":/skin/%1.bmp").arg(resource));
    if (picture.isNull()) return false;
    pictures_[static_cast<size_t>(slot)] = picture;
    return true;
}

void QtWindowSurface::PaintFrame(const FramePieces& pieces) { body_.SetFrame(pictures_[0], pieces); }

void QtWindowSurface::SetRoundedShape(int width, int height, int cornerWidth, int cornerHeight) {
    if (window_.isMaximized() || window_.isFullScreen()) {
        window_.clearMask();
        return;
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width, height), cornerWidth / 2.0, cornerHeight / 2.0);
    window_.setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void QtWindowSurface::DrawCell(ControlId control, const PictureCell& cell) {
    if (cell.picture < 0 || cell.picture >= static_cast<int>(pictures_.size())) return;
    const QPixmap& picture = pictures_[static_cast<size_t>(cell.picture)];
    if (picture.isNull()) return;
    const QPixmap piece = picture.copy(cell.source.left, cell.source.top, cell.source.width, cell.source.height);
    QWidget* widget = controls_.WidgetOf(control);
    if (auto* skinned = qobject_cast<SkinCell*>(widget)) {
        skinned->SetCell(piece);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setScaledContents(true);
        label->setPixmap(piece);
    }
}

void QtWindowSurface::SetCursorShape(CursorShape shape) {
    const Qt::CursorShape wanted = QtCursorOf(shape);
    if (body_.cursor().shape() != wanted) body_.setCursor(wanted);
}

// The window system gets the pointer only once it has moved past the drag
// distance with the button held, as the toolkits' own title bars do: a
// release that came before the window manager took the pointer would never
// reach it, and it would go on moving or resizing until the next click.
void QtWindowSurface::StartSystemMove() { AwaitDrag(Follow::Move, ResizeEdge::None); }

void QtWindowSurface::StartSystemResize(ResizeEdge edge) { AwaitDrag(Follow::Resize, edge); }

void QtWindowSurface::AwaitDrag(Follow kind, ResizeEdge edge) {
    awaiting_ = kind;
    followEdge_ = edge;
    if (DraggedFarEnough(QCursor::pos())) HandOver(QCursor::pos());
}

bool QtWindowSurface::DraggedFarEnough(const QPoint& global) const {
    return (global - pressedAt_).manhattanLength() >= QApplication::startDragDistance();
}

void QtWindowSurface::HandOver(const QPoint& pointer) {
    const Follow kind = awaiting_;
    awaiting_ = Follow::None;
    followStart_ = pressedAt_;
    followGeometry_ = window_.geometry();
    // The pointer is past the drag distance already: the window catches up
    // first, and the window manager goes on from where the pointer is.
    Drag(kind, pointer - pressedAt_);
    QWindow* handle = window_.windowHandle();
    const bool windowSystemLoop = handle && !PlacesItself();
    if (windowSystemLoop && kind == Follow::Move && handle->startSystemMove()) return;
    if (windowSystemLoop && kind == Follow::Resize && handle->startSystemResize(EdgesOf(followEdge_))) {
        systemResizing_ = true;
        resizeSettled_.start();
        return;
    }
    follow_ = kind;
}

void QtWindowSurface::Drag(Follow kind, const QPoint& delta) {
    if (kind == Follow::Move) return window_.move(followGeometry_.topLeft() + delta);
    QRect r = followGeometry_;
    const Qt::Edges edges = EdgesOf(followEdge_);
    if (edges & Qt::LeftEdge) r.setLeft(r.left() + delta.x());
    if (edges & Qt::RightEdge) r.setRight(r.right() + delta.x());
    if (edges & Qt::TopEdge) r.setTop(r.top() + delta.y());
    if (edges & Qt::BottomEdge) r.setBottom(r.bottom() + delta.y());
    window_.setGeometry(r);
}

// A click moves nothing. A drag whose moves were all folded into its release
// still goes where it was dragged, where the window may place itself (X11).
bool QtWindowSurface::ReleasedBeforeHandOver(const QPoint& global) {
    const Follow kind = awaiting_;
    awaiting_ = Follow::None;
    if (!DraggedFarEnough(global) || !PlacesItself()) return false;
    followStart_ = pressedAt_;
    followGeometry_ = window_.geometry();
    Drag(kind, global - pressedAt_);
    if (kind == Follow::Resize) ResizeEnded();
    return false;
}

void QtWindowSurface::PointerPressed(const QPoint& global) {
    systemResizing_ = false;
    awaiting_ = Follow::None;
    pressedAt_ = global;
}

bool QtWindowSurface::FollowPointer(const QPoint& global, bool leftHeld) {
    if (awaiting_ != Follow::None) {
        if (!leftHeld) return ReleasedBeforeHandOver(global);
        if (DraggedFarEnough(global)) HandOver(global);
        return true;
    }
    if (follow_ == Follow::None) return false;
    // The release's own place too: the last moves before it may have been
    // folded into it.
    Drag(follow_, global - followStart_);
    if (!leftHeld) {
        const bool resized = follow_ == Follow::Resize;
        follow_ = Follow::None;
        if (resized) ResizeEnded();
    }
    return true;
}

void QtWindowSurface::WindowResized() {
    if (systemResizing_) resizeSettled_.start();
}

// The window system's loop may pause longer than the settling time; every
// later settling until the next press reports the size again.
void QtWindowSurface::ResizeEnded() {
    if (onResizeEnded_) onResizeEnded_();
}

void QtWindowSurface::SizeToText(ControlId control) {
    if (auto* label = qobject_cast<QLabel*>(controls_.WidgetOf(control))) label->adjustSize();
}

void QtWindowSurface::SetTextColor(ControlId control, unsigned rgb) {
    colors_[{static_cast<int>(control.name), control.index}] = rgb;
    if (QWidget* widget = controls_.WidgetOf(control))
        widget->setStyleSheet(QStringLiteral("color:#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0')));
}

unsigned QtWindowSurface::TextColor(ControlId control) const {
    const auto it = colors_.find({static_cast<int>(control.name), control.index});
    return it == colors_.end() ? 0 : it->second;
}

}  // namespace ruvo
