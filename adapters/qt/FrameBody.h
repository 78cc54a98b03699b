#pragma once
// The borderless window's surface: it paints the frame pieces the layout
// gives it, cut from the skin's frame picture.
#include <QPixmap>
#include <QWidget>

#include "platform/WindowSurface.h"

namespace ruvo {

class FrameBody final : public QWidget {
public:
    explicit FrameBody(QWidget* parent = nullptr);
    void SetFrame(const QPixmap& picture, const FramePieces& pieces);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    FramePieces pieces_{};
    bool painted_ = false;
};

}  // namespace ruvo
