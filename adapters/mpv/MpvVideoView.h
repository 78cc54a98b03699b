#pragma once
// Where the player's picture is drawn: a widget of the main window that
// libmpv renders each frame into through its render interface. No native
// child window exists, so the picture stays in place whatever the window does
// (its native window re-created for top-most, full screen, compact mode, a
// move to another screen), and the same code runs as a native Wayland client.
//
// Two kinds exist: one draws with OpenGL (a graphics card composes the
// window), one with libmpv's software renderer into an image (the whole
// window then stays on Qt's raster painting, which on a machine without a
// graphics card costs a fraction of composing it with software OpenGL).
#include <functional>

class QWidget;
struct mpv_handle;

namespace ruvo {

struct MpvLibrary;

class MpvVideoView {
public:
    enum class Kind { OpenGl, Software };
    // A view of `kind` as a child of `parent` (which owns the widget).
    static MpvVideoView* Create(Kind kind, QWidget* parent);

    virtual ~MpvVideoView() = default;
    virtual QWidget* Widget() = 0;
    // Draws what `mpv` plays from now on. `ready` is called once, when
    // drawing can start (true) or never can (false); the OpenGL view can
    // start only once its widget has been shown.
    virtual void Attach(const MpvLibrary* library, mpv_handle* mpv, std::function<void(bool)> ready) = 0;
    // Stops drawing; must come before the player's handle is destroyed.
    virtual void Detach() = 0;
    // Told where the picture now lies (the window's coordinates), each time that changes.
    void SetPlaceObserver(std::function<void(int, int, int, int)> observer) { placeObserver_ = std::move(observer); }

protected:
    // Called by each kind when its widget is shown, moved or resized.
    void ReportPlace();

private:
    std::function<void(int, int, int, int)> placeObserver_;
};

}  // namespace ruvo
