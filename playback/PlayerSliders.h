#pragma once
// What the player bar's two sliders do: the seek slider seeks where its
// knob is let go, the volume slider sets the volume. The window moves their
// knobs under the pointer and says where, as a share of the seek track or
// a percent of the volume.

#include <functional>
#include <string>

#include "platform/Player.h"
#include "platform/WindowIntents.h"
#include "view/WindowView.h"

namespace ruvo {

class Playback;
class PlayerMemory;
class TransportControls;

class PlayerSliders {
public:
    // `showNotice` holds a text in the status line for a while.
    PlayerSliders(WindowView& controls, Player& player, Playback& playback, TransportControls& bar, PlayerMemory& memory,
                  std::function<void(const std::string&)> showNotice)
        : controls_(controls),
          player_(player),
          playback_(playback),
          bar_(bar),
          memory_(memory),
          showNotice_(std::move(showNotice)) {}

    // The seek knob let go at `share` of the track: the player seeks there,
    // two seconds back when let go over the knob or the downloaded share.
    void SeekLetGo(SeekRelease where, double share);
    // Shows `volume` percent on the slider.
    void DrawVolume(int volume);
    // The volume set by the mouse, the keyboard or a screen reader, 0 to
    // 100: heard at once, shown on the slider and the status line, and
    // remembered.
    void SetVolume(int percent);

private:
    WindowView& controls_;
    Player& player_;
    Playback& playback_;
    TransportControls& bar_;
    PlayerMemory& memory_;
    std::function<void(const std::string&)> showNotice_;
};

}  // namespace ruvo
