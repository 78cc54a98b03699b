#pragma once
// The player's picture drawn without a graphics card: libmpv scales each
// frame into an image with its software renderer, and the widget paints that
// image like any other. Only the picture's own rectangle is repainted for a
// new frame, where composing the window with software OpenGL redrew all of it.
#include <QImage>
#include <QWidget>
#include <functional>

#include "adapters/mpv/MpvVideoView.h"

struct mpv_render_context;

namespace ruvo {

class MpvSoftwareVideoView final : public QWidget, public MpvVideoView {
    Q_OBJECT
public:
    explicit MpvSoftwareVideoView(QWidget* parent = nullptr);
    ~MpvSoftwareVideoView() override;

    QWidget* Widget() override { return this; }
    void Attach(const MpvLibrary* library, mpv_handle* mpv, std::function<void(bool)> ready) override;
    void Detach() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Called through the event loop when libmpv has something new to draw.
    Q_INVOKABLE void RenderUpdate();
    // Renders libmpv's current frame into `frame_`, sized to the widget's device pixels.
    void RenderFrame();
    void SkipFrame();

    const MpvLibrary* lib_ = nullptr;
    mpv_render_context* render_ = nullptr;
    QImage frame_;
};

}  // namespace ruvo
