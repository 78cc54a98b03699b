#include "promo/PromoWindowDesign.h"

#include "base/Twips.h"

namespace ruvo {

ScreenPlace FloatingAdPlace(int screenWidth, int screenHeight, int windowWidth, int windowHeight, double dotsPerInch) {
    return {screenWidth - windowWidth - TwipsToPixels(80, dotsPerInch),
            screenHeight - windowHeight - TwipsToPixels(450, dotsPerInch)};
}

ScreenPlace CentredPlace(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

}  // namespace ruvo
