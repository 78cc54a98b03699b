#pragma once
// How the player bar's eight buttons look: each one's picture and tooltip,
// drawn from what plays and what the window shows. Nothing reads them back.
#include <string>

#include "view/WindowView.h"

namespace ruvo {

// What the buttons' looks follow.
struct BarLook {
    bool playing = false;         // play/pause offers to pause
    bool soundOn = true;          // mute offers to mute
    bool rightPanelShown = true;  // the last button offers to hide it
};

std::string TooltipOf(BarButton button, const BarLook& look);
// What a screen reader calls the button: what it does now, in full where
// the tooltip is short ("上一集", not "上一个").
std::string SpokenNameOf(BarButton button, const BarLook& look);
// The button's picture from the bar's images, resting or under the mouse.
int PictureOf(BarButton button, bool hovered, const BarLook& look);
// Gives the button its tooltip, its spoken name and its resting picture.
void DrawBarButton(WindowView& controls, BarButton button, const BarLook& look);
void DrawPlayerBar(WindowView& controls, const BarLook& look);

}  // namespace ruvo
