#include "playback/PlaybackSpeed.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace ruvo {
namespace {

constexpr std::array<double, 7> kSteps{0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0};
constexpr double kSameSpeed = 0.001;  // libmpv reports back what it was given, give or take rounding

}  // namespace

double FasterSpeed(double speed) {
    for (const double step : kSteps)
        if (step > speed + kSameSpeed) return step;
    return kFastestSpeed;
}

double SlowerSpeed(double speed) {
    for (auto step = kSteps.rbegin(); step != kSteps.rend(); ++step)
        if (*step < speed - kSameSpeed) return *step;
    return kSlowestSpeed;
}

double SpeedWithinRange(double speed) {
    if (!std::isfinite(speed)) return 1.0;
    return std::clamp(speed, kSlowestSpeed, kFastestSpeed);
}

std::string SpeedFactorText(double speed) {
    char number[32];
    std::snprintf(number, sizeof number, "%.2f", SpeedWithinRange(speed));
    std::string text = number;
    // 1.00 → 1.0, 1.50 → 1.5, 1.25 stays.
    if (text.size() > 3 && text.back() == '0') text.pop_back();
    return text + "x";
}

std::string SpeedText(double speed) { return "播放速度：" + SpeedFactorText(speed); }

}  // namespace ruvo
