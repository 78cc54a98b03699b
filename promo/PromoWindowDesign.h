#pragma once
// The two promotional windows: the floating advertisement that rises in the
// bottom-right corner, and the recommendation window shown at exit. Their sizes, pages, close-image offsets and timers.
#include <string>

namespace ruvo {

struct PromoDesign {
    const char* name;  // the window's object name
    const char* caption;
    int widthTwips, heightTwips;  // client size
    const char* page;             // relative to the portal base
    int closeImageFromRight;      // the close image's left = width - this
    int closeImageTop;
    int closeImageDelayMs;        // the close image shows after this
    int closeAfterMs;             // 0: stays until closed
    bool topMost;
};

inline constexpr PromoDesign kFloatingAd{"floatingAdvert", "", 4500, 3750, "js/ads/fudong.html", 18, 8, 2000, 0, true};
inline constexpr PromoDesign kRecommendation{"recommendation", "推荐", 4485, 3705, "js/ads/tui.html", 55, 5, 1000, 20000, false};

struct ScreenPlace {
    int left = 0, top = 0;  // pixels
};

// The floating advertisement's corner place, 80 twips from the right and
// 450 from the bottom of the screen.
ScreenPlace FloatingAdPlace(int screenWidth, int screenHeight, int windowWidth, int windowHeight, double dotsPerInch);

// Centred on the screen.
ScreenPlace CentredPlace(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

}  // namespace ruvo
