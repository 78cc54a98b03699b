#pragma once
// The mouse on the borderless window: the 3-pixel border resizes, the
// surface moves the window, the title buttons light up under the pointer and
// show their tooltip panel, and two labels change colour.

#include <functional>

#include "config/SettingsFile.h"
#include "platform/MainWindowHost.h"
#include "view/WindowView.h"
#include "platform/WindowSurface.h"
#include "history/HistoryActions.h"
#include "shell/FrameState.h"

namespace ruvo {

inline constexpr unsigned kLabelHoverColor = 0x800000;
inline constexpr unsigned kRestoreLabelColor = 0x1B1C1F;  // the restore sign, on its light plate

class FrameMouse {
public:
    // What the mouse reaches: the window and its drawing, what the window
    // shows, the settings that keep its size, and the title's maximise button.
    struct Parts {
        WindowSurface& surface;
        WindowView& controls;
        MainWindowHost& host;
        const FrameState& frame;
        SettingsFile& settings;
        std::function<void()> toggleMaximized;
    };
    explicit FrameMouse(Parts parts) : parts_(std::move(parts)) {}

    // The window surface; x, y in pixels inside the window.
    void SurfaceMove(bool leftHeld, int x, int y);
    void SurfaceDown(int x, int y);
    void SurfaceUp();
    // Double clicks on the surface, the title label and the logo.
    void SurfaceDoubleClick();
    // The window system's resize loop that SurfaceDown started has ended.
    void ResizeEnded();

    // The pointer over a title button or panel toggle, at (x, y) inside
    // it; a move outside the button (negative x) is its leaving.
    void ButtonMove(WindowButton button, int x, int y);
    // The title buttons and panel toggles in their resting looks.
    void DrawRestingLooks();
    void DrawButton(WindowButton button, bool hover);

    // The restore sign and the list action turn dark red under the
    // pointer; the other areas' moves put them back.
    void LabelMove(bool restoreLabel);
    void ResetLabelColors();
    // Only the restore sign's colour (true) or the list action's.
    void ResetLabelColor(bool restoreLabel);

    bool ResizeInProgress() const { return resizeInProgress_; }
    bool BodyDragActive() const { return bodyDragActive_; }

private:
    Parts parts_;
    bool resizeInProgress_ = false;
    bool bodyDragActive_ = false;
};

}  // namespace ruvo
