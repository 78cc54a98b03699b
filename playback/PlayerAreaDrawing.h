#pragma once
// Draws what the player area shows, as the owner of what plays publishes
// it, into the window: the centre's surface, the cover and the advert panel
// over the picture, the status line, the title line and the bar's progress.
// The window places the knob and the bars from the values it is given.
#include "playback/PlayerArea.h"
#include "view/WindowView.h"

namespace ruvo {

// Draws what changed from `before` to `now`.
void DrawPlayerArea(WindowView& view, const PlayerArea& now, const PlayerArea& before);
// The time label and the seek slider at `position` of `duration` seconds,
// as after a seek by key, before the player reports it.
void DrawSeekPosition(WindowView& view, int position, int duration);

}  // namespace ruvo
