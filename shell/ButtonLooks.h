#pragma once
// The looks of the buttons the window draws itself, as cells of the skin's
// pictures: the title bar's buttons, the two panel toggles, the tabs.
#include <string>

#include "platform/MainWindowHost.h"
#include "view/WindowView.h"
#include "platform/WindowSurface.h"
#include "shell/FrameState.h"

namespace ruvo {

// The picture slots of skin 1.
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

// The resting or hover look of a title button or panel toggle; the maximise
// button follows the window state, the top-most button its state.
PictureCell ButtonLook(WindowButton button, bool hover, bool maximized, bool topMost);
// What the title buttons' and panel toggles' tooltips follow.
struct FrameLook {
    bool maximized = false;
    bool topMost = false;
    bool leftPanelShown = true;
    bool rightPanelShown = true;
};
FrameLook FrameLookOf(const MainWindowHost& host, const FrameState& frame);
// The tooltip of a title button or panel toggle; "" for any other.
std::string WindowButtonTip(WindowButton button, const FrameLook& look);
// What a screen reader calls a title button or panel toggle, and whether it
// is on (the top-most button stays down while the window stays on top).
SpokenControl WindowButtonSpoken(WindowButton button, const FrameLook& look);
// What it calls a tab of the right panel, selected or not.
SpokenControl TabSpoken(RightPanelTab tab, bool selected);
// Gives the title buttons and panel toggles their tooltips and spoken
// names: as the look says, or from the window as it is now.
void DrawWindowButtonTips(WindowView& controls, const FrameLook& look);
void DrawWindowButtonTips(WindowView& controls, const MainWindowHost& host, const FrameState& frame);
// A tab of the right panel, selected or not.
PictureCell TabLook(RightPanelTab tab, bool selected);
// The tiles stretched over the tab bar and the player bar's foot.
inline constexpr PictureCell kTabBarLook{kTabBarTile, {0, 0, 1, 23}};
inline constexpr PictureCell kFootLook{kFootTile, {0, 0, 1, 31}};

}  // namespace ruvo
