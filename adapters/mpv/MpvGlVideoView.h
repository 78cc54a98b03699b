#pragma once
// The player's picture drawn with OpenGL: libmpv renders each frame into
// this OpenGL widget, which Qt composes with the rest of the window.
#include <QOpenGLWidget>
#include <functional>

#include "adapters/mpv/MpvVideoView.h"

struct mpv_render_context;

namespace ruvo {

class MpvGlVideoView final : public QOpenGLWidget, public MpvVideoView {
    Q_OBJECT
public:
    explicit MpvGlVideoView(QWidget* parent = nullptr);
    ~MpvGlVideoView() override;

    QWidget* Widget() override { return this; }

    // The render context needs this widget's OpenGL context, which exists
    // once the widget has been shown: until then `ready` waits.
    void Attach(const MpvLibrary* library, mpv_handle* mpv, std::function<void(bool)> ready) override;
    void Detach() override;

protected:
    void initializeGL() override;
    void paintGL() override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Called through the event loop when libmpv has something new to draw.
    Q_INVOKABLE void RenderUpdate();
    void CreateRenderContext();
    void FreeRenderContext();
    // Hands libmpv's pending frame back undrawn (the widget cannot paint now),
    // so the player never waits for a paint that does not come.
    void SkipFrame();
    void ReportReady(bool drawing);

    const MpvLibrary* lib_ = nullptr;
    mpv_handle* mpv_ = nullptr;
    mpv_render_context* render_ = nullptr;
    std::function<void(bool)> ready_;
    bool contextFailed_ = false;
};

}  // namespace ruvo
