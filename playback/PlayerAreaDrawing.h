#pragma once
// Draws what the player area shows, as the owner of what plays publishes
// it, into the window: the centre's surface, the cover and the advert panel
// over the picture, the status line, the title line and the bar's progress.
#include "playback/PlayerArea.h"
#include "view/WindowView.h"

namespace ruvo {

// Draws what changed from `before` to `now`.
void DrawPlayerArea(WindowView& view, const PlayerArea& now, const PlayerArea& before);
// The time, knob and downloaded share again, as after the bar changed its
// size; nothing while nothing is loaded.
void DrawAreaProgress(WindowView& view, const PlayerArea& area);

}  // namespace ruvo
