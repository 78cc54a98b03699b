#include "playback/PlayTime.h"

#include <cstdio>

namespace ruvo {

std::string FormatPlayTime(int seconds) {
    if (seconds < 0) seconds = 0;
    const int hours = seconds / 3600, minutes = seconds % 3600 / 60, rest = seconds % 60;
    char text[32];
    if (hours > 0) std::snprintf(text, sizeof text, "%d:%02d:%02d", hours, minutes, rest);
    else std::snprintf(text, sizeof text, "%02d:%02d", minutes, rest);
    return text;
}

}  // namespace ruvo
