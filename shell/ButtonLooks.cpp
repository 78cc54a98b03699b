#include "shell/ButtonLooks.h"

namespace ruvo {
namespace {

PictureCell TitleCell(int picture, int x) { return {picture, {x, 0, 24, 24}}; }

}  // namespace

PictureCell ButtonLook(int index, bool hover, bool maximized, bool topMost) {
    const int strip = hover ? kTitleStripHover : kTitleStripNormal;
    switch (index) {
        case 0: return TitleCell(strip, 72);
        case 1: return maximized ? TitleCell(kRestoreStrip, hover ? 24 : 0) : TitleCell(strip, 96);
        case 2: return TitleCell(strip, 120);
        case 3: return TitleCell(strip, 0);
        case 4: return TitleCell(kTopMostStrip, (topMost ? 48 : 0) + (hover ? 24 : 0));
        case 5: return TitleCell(strip, 48);
        case 10: return {kToggleStrip, {hover ? 20 : 0, 0, 20, 20}};
        case 11: return {kToggleStrip, {hover ? 60 : 40, 0, 20, 20}};
        default: break;
    }
    return {};
}

PictureCell TabLook(int tab, bool selected) { return {kTabStrip, {(tab - 6) * 65, selected ? 23 : 0, 65, 23}}; }

}  // namespace ruvo
