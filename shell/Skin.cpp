#include "shell/Skin.h"

#include "portal/MainWindow.h"
#include "shell/ButtonLooks.h"
#include "playback/TransportControls.h"
#include "shell/FrameMouse.h"
#include "shell/WindowLayout.h"

namespace ruvo {
void p_p(MainWindow& window, int n) {
    WindowSurface& surface = window.Surface();
    for (int slot = 0; slot < kSkinPictureCount; ++slot) surface.LoadPicture(slot, SkinResource(n, slot));
    window.Layout().LayoutPanes();
    window.Frame().DrawRestingLooks();
    surface.DrawCell({ControlName::WindowButton, 9}, kTabBarLook);
    for (int tab = 6; tab <= 8; ++tab) surface.DrawCell({ControlName::WindowButton, tab}, TabLook(tab, tab == 6));
    WindowControls& c = window.Controls();
    DrawPlayerBar(c, window.Transport().Look());
    c.SetPicture({ControlName::SearchButton}, 0);
}

}  // namespace ruvo
