#pragma once
// Playback speeds the user steps through: 0.5 to 2.0 times normal.
#include <string>

namespace ruvo {

inline constexpr double kSlowestSpeed = 0.5, kFastestSpeed = 2.0;

// The next step up or down from `speed` (which may lie between steps); the
// ends stay where they are.
double FasterSpeed(double speed);
double SlowerSpeed(double speed);
// A speed asked from outside (the desktop's media controls), kept within
// the slowest and fastest; 1.0 for a value that is not a number.
double SpeedWithinRange(double speed);
// "1.25x", "1.5x", "2.0x" for the menu.
std::string SpeedFactorText(double speed);
// "播放速度：1.25x" for the status line.
std::string SpeedText(double speed);

}  // namespace ruvo
