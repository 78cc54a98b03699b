#pragma once
// The looks of the buttons the window draws itself, as cells of the skin's
// pictures (ppt): title buttons npc 0-5, panel toggles 10 and 11, the tabs.
#include <string>

#include "platform/MainWindowHost.h"
#include "view/WindowView.h"
#include "platform/WindowSurface.h"
#include "shell/FrameState.h"

namespace ruvo {

// ppt slots of skin 1.
enum SkinPicture {
    kFramePicture = 0,
    kTitleStripNormal = 1,
    kTitleStripHover = 2,
    kRestoreStrip = 3,
    kTopMostStrip = 4,
    kFootTile = 5,
    kTabBarTile = 6,
    kTabStrip = 7,
    kToggleStrip = 8,
};
inline constexpr int kSkinPictureCount = 9;

// The resting or hover look of npc 0-5, 10 or 11; button 1 follows the
// window state, button 4 the top-most state.
PictureCell ButtonLook(WindowButton button, bool hover, bool maximized, bool topMost);
// What the title buttons' and panel toggles' tooltips follow.
struct FrameLook {
    bool maximized = false;
    bool topMost = false;
    bool leftPanelShown = true;
    bool rightPanelShown = true;
};
FrameLook FrameLookOf(const MainWindowHost& host, const FrameState& frame);
// The tooltip of npc 0-5, 10 or 11; "" for any other.
std::string WindowButtonTip(WindowButton button, const FrameLook& look);
// What a screen reader calls npc 0-5, 10 or 11, and whether it is on (the
// top-most button stays down while the window stays on top).
SpokenControl WindowButtonSpoken(WindowButton button, const FrameLook& look);
// What it calls a tab of the right panel, selected or not.
SpokenControl TabSpoken(RightPanelTab tab, bool selected);
// Gives npc 0-5, 10 and 11 their tooltips and spoken names: as the look says, or from the
// window as it is now.
void DrawWindowButtonTips(WindowView& controls, const FrameLook& look);
void DrawWindowButtonTips(WindowView& controls, const MainWindowHost& host, const FrameState& frame);
// A tab of the right panel, selected or not.
PictureCell TabLook(RightPanelTab tab, bool selected);
// The tiles stretched over the tab bar and the player bar's foot.
inline constexpr PictureCell kTabBarLook{kTabBarTile, {0, 0, 1, 23}};
inline constexpr PictureCell kFootLook{kFootTile, {0, 0, 1, 31}};

}  // namespace ruvo
