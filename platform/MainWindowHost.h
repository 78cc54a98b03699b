#pragma once
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
    // Lets the window's key handler see keys before the focused control.
    virtual void SetKeyPreview(bool on) = 0;
};

}  // namespace ruvo
