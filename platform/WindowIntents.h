#pragma once
#include <functional>
#include <string>

#include "platform/Keys.h"
#include "platform/WindowControls.h"

namespace ruvo {

// The player bar's two sliders.
enum class Slider { Seek, Volume };

// What the seek knob was let go over. The knob's own release counts as
// the track's when the knob sits at the track's very start.
enum class SeekRelease { OverTrack, OverKnob, OverDownloadedBar };

// What the user does in the main window and at its tray icon, as the
// logic takes it: the window calls these, the main window fills them in.
struct WindowIntents {
    // The search button or Enter in the search box, a click into it and
    // leaving it, each with the text in the box.
    std::function<void(const std::string&)> search;
    std::function<void(const std::string&)> searchBoxClicked;
    std::function<void(const std::string&)> searchBoxLeft;
    // A title button, a tab or a panel toggle; the window system's close
    // button counts as the title bar's.
    std::function<void(WindowButton)> buttonClick;
    std::function<void(BarButton)> transportClick;
    std::function<void()> retryMainArea;       // click on the main area's load-error notice
    std::function<void()> retrySidePane;       // click on the side page's load-error notice
    std::function<void()> closeWebPlayer;      // the page player's close button
    std::function<void()> skipClick;           // the button over the picture that skips the opening or credits
    // The pointer over the player bar's button, inside it or (held by the
    // button) just gone out of it.
    std::function<void(BarButton, bool)> transportHover;
    // True when the key acted on the player, which then takes it from the
    // control with the focus.
    std::function<bool(Key)> keyDown;
    // The seek knob let go after a press or a drag, at `share` of the
    // track's run (past 1 when a press landed beyond the run's end).
    std::function<void(SeekRelease, double)> seekRelease;
    // The volume knob dragged past either end: the sound comes on, the
    // volume stays.
    std::function<void()> volumeKnobPastItsEnd;
    std::function<void(int)> volumeWheel;        // wheel notches over the picture, up positive
    // A slider set to a value by the keyboard, a screen reader or, for the
    // volume, the mouse: seconds into the play, or percent of volume.
    std::function<void(Slider, int)> sliderSet;
    std::function<void()> listActionClick;       // the list action label under the right panel
    std::function<void()> compactRestoreClick;   // the restore sign of the compact window
    std::function<void()> resized;               // the window's size changed
    std::function<void()> resizeEnded;           // the user let go of the frame after resizing it
    std::function<void(bool, int, int)> surfaceMove;  // left button held, x, y on the window surface
    std::function<void(int, int)> surfaceDown;
    std::function<void()> surfaceUp;
    std::function<void()> surfaceDoubleClick;  // also on the title label and the logo
    std::function<void(WindowButton, int, int)> buttonMove;  // x, y in the button; x = -1 when the pointer left
    std::function<void(bool)> labelMove;   // over the restore sign (true) or the list action (false)
    std::function<void(bool)> labelReset;  // over an area that puts the restore sign's (true) or list action's colour back
    std::function<void(int, int)> pictureMenu;  // right click on the picture, at this screen point
    std::function<void(const std::string&)> menuEntryChosen;  // an entry of the window's own menus, by its id
    std::function<void()> trayClick;  // the tray icon's left click
    std::function<void()> trayMenu;   // its right click
};

}  // namespace ruvo
