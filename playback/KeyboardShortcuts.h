#pragma once
// Keys that control playback while the player box shows: Space plays or
// pauses, Left and Right seek by 10 seconds, Up and Down change the volume by
// 10, F fills the screen with the playing picture and back. The mouse wheel
// over the picture changes the volume by 5 a notch.

#include <functional>

#include "platform/Keys.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "view/WindowView.h"
#include "playback/Playback.h"

namespace ruvo {

class PlayStatusMonitor;
class PlayerMemory;
class PlayerSliders;
class TransportControls;

class KeyboardShortcuts {
public:
    // What the keys act on; `statusTick` is the status monitor's timer.
    struct Parts {
        WindowView& controls;
        Player& player;
        Playback& playback;  // the keys act while the player shows; a seek tells it
        TransportControls& bar;
        PlayerSliders& sliders;
        PlayStatusMonitor& monitor;
        PlayerMemory& memory;
        Timer& statusTick;
    };
    explicit KeyboardShortcuts(Parts parts) : parts_(parts) {}

    // A key went down anywhere in the window (the window sees keys first).
    // True when it was one of the player's keys and the player box shows.
    bool KeyDown(Key key);
    // The player's own keys (screenshot, speed, tracks, subtitles), asked
    // before the bar's; true when one was taken.
    void SetPlayerKeys(std::function<bool(Key)> keys) { playerKeys_ = std::move(keys); }
    // The wheel turned over the picture: notches up (positive) or down.
    void WheelOverPicture(int notches);

private:
    bool BarKeyDown(Key key);
    void Seek(int seconds);
    void ChangeVolume(int step);
    void DrawPosition();

    Parts parts_;
    std::function<bool(Key)> playerKeys_;
};

}  // namespace ruvo
