#pragma once
// The pop-up menus of the hidden menu window and what their entries do: the
// tray menu, the watch-history row menu and the task-list menu.
#include <span>
#include <string>
#include <string_view>

#include <functional>

#include "platform/MainWindowHost.h"
#include "platform/PopupMenus.h"
#include "platform/Shell.h"
#include "shell/FrameState.h"

namespace ruvo {

class HistoryActions;
class SettingsDialog;

struct MenuEntry {
    std::string_view item;     // the item's name; "-" for a separator
    std::string_view caption;
};

// The entries of a menu, in order.
std::span<const MenuEntry> EntriesOf(MenuName menu);

inline constexpr const char* kTrayBalloonTitle = "Ruvo影视盒提示:";

class TipMenus {
public:
    // What the entries lead to.
    struct Parts {
        MainWindowHost& host;
        const FrameState& frame;
        HistoryActions& history;
        SettingsDialog& settings;
        Shell& shell;
        std::string makerHomePage;
        std::function<void()> offerUpdate;
        std::function<void()> quit;
    };
    explicit TipMenus(Parts parts) : parts_(std::move(parts)) {}

    // The user chose the entry named `item` of one of the menus.
    void Choose(std::string_view item);
    // Opens the settings dialog on tab 0 ("关于软件") or 1 ("软件设置"),
    // keeping a top-most main window top-most.
    void OpenSettingsDialog(int tab);

private:
    Parts parts_;
};

}  // namespace ruvo
