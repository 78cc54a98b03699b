#pragma once
// Keys that control playback while the player box shows: Space plays or
// pauses, Left and Right seek by 10 seconds, Up and Down change the volume by
// 10, F fills the screen with the playing picture and back. The mouse wheel
// over the picture changes the volume by 5 a notch.

#include <functional>

#include "platform/Player.h"
#include "platform/Timer.h"
#include "platform/WindowControls.h"

namespace ruvo {

class PlayStatusMonitor;
class PlayerMemory;
class PlayerSliders;
class TransportControls;

// Virtual key codes, as the window reports them (letters without Ctrl or Alt).
enum KeyCode : int {
    kKeyBackspace = 8,
    kKeySpace = 32,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyB = 66,
    kKeyF = 70,
    kKeyS = 83,
    kKeyV = 86,
    kKeyX = 88,
    kKeyZ = 90,
    kKeyOpenBracket = 219,
    kKeyCloseBracket = 221,
};

class KeyboardShortcuts {
public:
    // What the keys act on; `statusTick` is the status monitor's timer.
    struct Parts {
        WindowControls& controls;
        Player& player;
        TransportControls& bar;
        PlayerSliders& sliders;
        PlayStatusMonitor& monitor;
        PlayerMemory& memory;
        Timer& statusTick;
    };
    explicit KeyboardShortcuts(Parts parts) : parts_(parts) {}

    // A key went down anywhere in the window (the window sees keys first).
    // True when it was one of the player's keys and the player box shows.
    bool KeyDown(int keyCode);
    // The player's own keys (screenshot, speed, tracks, subtitles), asked
    // before the bar's; true when one was taken.
    void SetPlayerKeys(std::function<bool(int keyCode)> keys) { playerKeys_ = std::move(keys); }
    // The wheel turned over the picture: notches up (positive) or down.
    void WheelOverPicture(int notches);

private:
    bool BarKeyDown(int keyCode);
    void Seek(int seconds);
    void ChangeVolume(int step);
    void DrawPosition();

    Parts parts_;
    std::function<bool(int)> playerKeys_;
};

}  // namespace ruvo
