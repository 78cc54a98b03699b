#include "adapters/qt/TransportIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace ruvo {
namespace {

enum class Shape { OpenFile, Pause, Play, Stop, SoundOn, SoundOff, FullScreen, Next, Previous, Panel };

struct Picture {
    Shape shape;
    bool hovered;
};

// The strip: which shape each picture shows, and whether it is the hover look.
constexpr Picture kStrip[20] = {
    {Shape::OpenFile, false}, {Shape::Pause, false},     {Shape::Play, false},      {Shape::Stop, false},
    {Shape::Pause, true},     {Shape::Play, true},       {Shape::Stop, true},       {Shape::SoundOn, false},
    {Shape::SoundOff, false}, {Shape::SoundOn, true},    {Shape::SoundOff, true},   {Shape::FullScreen, false},
    {Shape::FullScreen, true}, {Shape::OpenFile, true},  {Shape::Next, false},      {Shape::Next, true},
    {Shape::Previous, false}, {Shape::Previous, true},   {Shape::Panel, false},     {Shape::Panel, true},
};

void DrawShape(QPainter& p, Shape shape) {
    // Drawn in a 24 x 24 box.
    QPainterPath path;
    switch (shape) {
        case Shape::Play:
            path.moveTo(8, 5);
            path.lineTo(19, 12);
            path.lineTo(8, 19);
            path.closeSubpath();
            p.fillPath(path, p.pen().color());
            return;
        case Shape::Pause:
            p.fillRect(QRectF(7, 5, 3.5, 14), p.pen().color());
            p.fillRect(QRectF(13.5, 5, 3.5, 14), p.pen().color());
            return;
        case Shape::Stop:
            p.fillRect(QRectF(7, 7, 10, 10), p.pen().color());
            return;
        case Shape::SoundOn:
        case Shape::SoundOff:
            path.moveTo(4, 9.5);
            path.lineTo(8, 9.5);
            path.lineTo(12.5, 5.5);
            path.lineTo(12.5, 18.5);
            path.lineTo(8, 14.5);
            path.lineTo(4, 14.5);
            path.closeSubpath();
            p.fillPath(path, p.pen().color());
            if (shape == Shape::SoundOn) {
                p.drawArc(QRectF(11, 8, 7, 8), -60 * 16, 120 * 16);
                p.drawArc(QRectF(11, 5, 10, 14), -60 * 16, 120 * 16);
            } else {
                p.drawLine(QPointF(15, 9), QPointF(20, 15));
                p.drawLine(QPointF(20, 9), QPointF(15, 15));
            }
            return;
        case Shape::FullScreen:
            for (const auto& corner : {QPointF(5, 5), QPointF(19, 5), QPointF(19, 19), QPointF(5, 19)}) {
                const double dx = corner.x() < 12 ? 5 : -5, dy = corner.y() < 12 ? 5 : -5;
                p.drawLine(corner, corner + QPointF(dx, 0));
                p.drawLine(corner, corner + QPointF(0, dy));
            }
            return;
        case Shape::OpenFile:
            path.moveTo(4, 8);
            path.lineTo(9, 8);
            path.lineTo(11, 10);
            path.lineTo(20, 10);
            path.lineTo(20, 18);
            path.lineTo(4, 18);
            path.closeSubpath();
            p.drawPath(path);
            return;
        case Shape::Next:
        case Shape::Previous: {
            const bool next = shape == Shape::Next;
            const double tip = next ? 15 : 9, back = next ? 6 : 18;
            path.moveTo(back, 6);
            path.lineTo(tip, 12);
            path.lineTo(back, 18);
            path.closeSubpath();
            p.fillPath(path, p.pen().color());
            p.fillRect(QRectF(next ? 16 : 5.5, 6, 2.5, 12), p.pen().color());
            return;
        }
        case Shape::Panel:
            p.drawRect(QRectF(4.5, 5.5, 15, 13));
            p.fillRect(QRectF(13.5, 5.5, 6, 13), p.pen().color());
            return;
    }
}

class VectorIconEngine final : public QIconEngine {
public:
    explicit VectorIconEngine(int image) : image_(image) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const Picture& picture = kStrip[image_];
        QColor colour = picture.hovered ? QColor(0xf0, 0xb4, 0x29) : QColor(0xc8, 0xc8, 0xc8);
        if (mode == QIcon::Disabled) colour = QColor(0x60, 0x60, 0x60);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 24.0, rect.height() / 24.0);
        painter->setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        DrawShape(*painter, picture.shape);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new VectorIconEngine(image_); }

private:
    int image_;
};

}  // namespace

QIcon TransportIcon(int image) {
    if (image < 0 || image >= 20) return {};
    return QIcon(new VectorIconEngine(image));
}

}  // namespace ruvo
