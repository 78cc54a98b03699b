#pragma once
// The seek slider (track gunt, knob gunt1, downloaded share huan over the
// track) and the volume slider (track yin, knob bo_v, filled part bo_y).
// Positions are pixels of the track; a knob's left edge runs from 0 to
// range = track width - knob width. A track no wider than its knob does nothing.

#include "platform/Player.h"
#include "platform/WindowIntents.h"
#include "view/WindowView.h"

namespace ruvo {

class PlayerMemory;
class TransportControls;

class PlayerSliders {
public:
    PlayerSliders(WindowView& controls, Player& player, TransportControls& bar, PlayerMemory& memory)
        : controls_(controls), player_(player), bar_(bar), memory_(memory) {}

    // Where a seek drag ends: each release adds its own correction.

    // A left-button press on the seek track (or the downloaded-share bar) at x.
    void SeekPress(int x);
    // A move of the seek knob by dx with the left button down.
    void SeekDrag(int dx);
    // The button comes up: the player seeks to the knob's place.
    void SeekRelease(ruvo::SeekRelease where);

    // A left-button press on the volume track (or its filled part) at x.
    void VolumePress(int x);
    // A move of the volume knob by dx with the left button down.
    void VolumeDrag(int dx);
    // Puts the volume knob and filled part where `volume` percent belongs.
    void DrawVolume(int volume);
    // The volume set from the keyboard or a screen reader, 0 to 100: heard
    // at once, shown on the knob and the status line, and remembered.
    void SetVolume(int percent);

private:
    int SeekRange() const;
    int VolumeRange() const;
    void SetVolumeFromKnob(int left);

    WindowView& controls_;
    Player& player_;
    TransportControls& bar_;
    PlayerMemory& memory_;
};

}  // namespace ruvo
