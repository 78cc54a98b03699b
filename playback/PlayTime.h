#pragma once
// Play positions as the time label shows them.
#include <string>

namespace ruvo {

// Minutes and seconds of two digits joined by ":", with the hours in front
// from one hour on: 0 -> "00:00", 75 -> "01:15", 3725 -> "1:02:05".
std::string FormatPlayTime(int seconds);

}  // namespace ruvo
