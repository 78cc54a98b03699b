#pragma once
// Window sizes are kept in twips (1440 to the inch); the screen works in pixels.
#include <cmath>

namespace ruvo {

inline constexpr int kTwipsPerInch = 1440;

// 15 twips a pixel at 96 dpi; more pixels on a high-resolution screen.
inline int TwipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

inline int PixelsToTwips(int pixels, double dotsPerInch) {
    return dotsPerInch > 0 ? static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch)) : 0;
}

}  // namespace ruvo
