#include "adapters/qt/FrameBody.h"

#include <QPainter>

namespace ruvo {
namespace {

QRect ToQRect(const Rect& r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace

FrameBody::FrameBody(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // the border's cursors follow the pointer
}

void FrameBody::SetFrame(const QPixmap& picture, const FramePieces& pieces) {
    picture_ = picture;
    pieces_ = pieces;
    painted_ = true;
    update();
}

void FrameBody::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x1e, 0x1f, 0x22));
    if (!painted_ || picture_.isNull()) return;
    for (const FramePiece& piece : pieces_) {
        if (piece.destination.width <= 0 || piece.destination.height <= 0) continue;
        painter.drawPixmap(ToQRect(piece.destination), picture_, ToQRect(piece.source));
    }
}

}  // namespace ruvo
