#pragma once
// What the player bar shows of where the play is: the time label, the seek
// knob with its tooltip and the downloaded share under the track. Each
// moment of play makes one from the player's figures; the view draws it.
#include <optional>
#include <string>

#include "view/WindowView.h"

namespace ruvo {

// A stretch along the seek track.
struct TrackSpan {
    int left = 0;
    int width = 0;
};

struct BarProgress {
    std::string times;                      // "01:15 / 40:00"
    std::optional<int> knobLeft;            // nothing: the knob stays where it is
    std::optional<std::string> knobTooltip; // nothing: the tooltip stays
    std::optional<TrackSpan> downloaded;    // nothing: the bar stays
    SliderValue seconds;                    // the seek slider: position of length
};

// The seek track's and knob's widths, as the layout made them.
struct SeekTrackSizes {
    int trackWidth = 0;
    int knobWidth = 0;
};
SeekTrackSizes SeekTrackSizesOf(const WindowView& view);

// Playing (or ended, or paused) at `position` of `duration` seconds with
// `downloadedPerMille` of the media at hand; below 1 per mille the
// downloaded bar is out of sight.
BarProgress ProgressAt(int position, int duration, int downloadedPerMille, SeekTrackSizes sizes);
// After a seek by key: the time and, when the length is known, the knob.
BarProgress SoughtTo(int position, int duration, SeekTrackSizes sizes);
// Stopped: the start, nothing downloaded.
BarProgress Stopped();
// The page player plays: the bar shows no time.
BarProgress InThePagePlayer();

void DrawBarProgress(WindowView& view, const BarProgress& progress);

}  // namespace ruvo
