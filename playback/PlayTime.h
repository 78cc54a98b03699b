#pragma once
// Play positions as the time label shows them.
#include <string>

namespace ruvo {

// Minutes and seconds of two digits joined by ":", with the hours in front
// from one hour on: 0 -> "00:00", 75 -> "01:15", 3725 -> "1:02:05".
std::string FormatPlayTime(int seconds);

// The seek knob's left edge for a position: position / duration x range, 0
// when the duration is 0, kept within what an int holds for odd values.
int KnobLeft(int position, int duration, int range);

}  // namespace ruvo
