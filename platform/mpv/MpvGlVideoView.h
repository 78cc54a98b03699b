#pragma once
// The widget the player's picture is drawn in: libmpv renders each frame
// through its render interface into this OpenGL widget, which Qt composes
// with the rest of the window. No native child window exists, so the picture
// stays in place whatever the window does (its native window re-created for
// top-most, full screen, compact mode, a move to another screen), and the
// same code runs as a native Wayland client.
#include <QOpenGLWidget>
#include <functional>

struct mpv_handle;
struct mpv_render_context;

namespace ruvo {

struct MpvLibrary;

class MpvVideoView final : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit MpvVideoView(QWidget* parent = nullptr);
    ~MpvVideoView() override;

    // Draws what `mpv` plays from now on. The render context needs this
    // widget's OpenGL context, which exists once the widget has been shown:
    // until then `ready` waits, and is called (once) when drawing can start,
    // with false when it never can (no usable OpenGL here).
    void Attach(const MpvLibrary* library, mpv_handle* mpv, std::function<void(bool)> ready);
    // Stops drawing; must come before the player's handle is destroyed.
    void Detach();
    // True once frames can be drawn.
    bool Drawing() const { return render_ != nullptr; }
    // Told where the picture now lies (the window's coordinates), each time that changes.
    void SetPlaceObserver(std::function<void(int, int, int, int)> observer) { placeObserver_ = std::move(observer); }

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
    void ReportPlace();

    const MpvLibrary* lib_ = nullptr;
    mpv_handle* mpv_ = nullptr;
    mpv_render_context* render_ = nullptr;
    std::function<void(bool)> ready_;
    std::function<void(int, int, int, int)> placeObserver_;
    bool contextFailed_ = false;
};

}  // namespace ruvo
