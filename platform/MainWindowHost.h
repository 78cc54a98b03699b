#pragma once
#include "platform/WindowControls.h"
// What the main window's logic asks of the real top-level window.

namespace ruvo {

struct WorkArea {
    int left = 0, top = 0, right = 0, bottom = 0;  // pixels
};

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // The desktop area not covered by panels, in pixels.
    virtual WorkArea QueryWorkArea() = 0;
    // From now on a maximised window sits at the screen origin with this
    // size, and the window never grows beyond it.
    virtual void LimitMaximizedSize(int width, int height) = 0;
    // Lets the borderless window be minimised and restored from the task bar.
    virtual void EnableTaskbarMinimizeRestore() = 0;
    // Resizes the window to a size in twips (converted at the screen's
    // resolution: 15 twips a pixel at 96 dpi).
    virtual void ResizeTwips(int width, int height) = 0;
    virtual bool IsMaximized() const = 0;
    // The window's current size in twips.
    virtual int WidthTwips() const = 0;
    virtual int HeightTwips() const = 0;
    // The height of the window's inside, in pixels.
    virtual int InnerHeight() const = 0;
    // Sends every mouse move to the control until released, also moves
    // outside it; a control that holds the mouse sees the move that leaves it.
    virtual void CaptureMouse(ControlId control) = 0;
    virtual void ReleaseMouse() = 0;
    // Lets the window's key handler see keys before the focused control.
    virtual void SetKeyPreview(bool on) = 0;

    // Window states.
    virtual bool IsMinimized() const = 0;
    virtual bool IsVisible() const = 0;
    virtual void Minimize() = 0;
    virtual void Maximize() = 0;
    // Back to the normal (neither minimised nor maximised) state.
    virtual void ShowNormal() = 0;
    virtual void Hide() = 0;
    // Shows the window and brings it to the front.
    virtual void Show() = 0;
    // Centres the window on the screen.
    virtual void Center() = 0;
    // Keeps the window above all others, or ends that.
    virtual void SetTopMost(bool on) = 0;
};

}  // namespace ruvo
