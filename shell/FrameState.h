#pragma once
// What the main window's frame shows: its size, its mode and its panels. The
// frame's buttons draw their looks and tooltips from it.
#include <optional>

#include "platform/MainWindowHost.h"
#include "view/WindowView.h"

namespace ruvo {

// The right panel's tabs, in the order they stand.
enum class RightPanelTab { TitlePages, WatchHistory, LocalFiles };

inline constexpr WindowButton TabButtonOf(RightPanelTab tab) {
    return tab == RightPanelTab::TitlePages     ? WindowButton::TitlePagesTab
           : tab == RightPanelTab::WatchHistory ? WindowButton::HistoryTab
                                                : WindowButton::LocalFilesTab;
}

struct FrameState {
    WorkArea workArea;         // desktop work area at load, pixels
    int workAreaWidth = 0;     // the maximised size
    int workAreaHeight = 0;
    int savedWidth = 0;        // twips
    int savedHeight = 0;       // twips
    bool openWithSavedSize = false;  // the user's option: else the window opens at its design size
    std::optional<RightPanelTab> currentTab;  // none until the window has loaded
    // The list tab shown last: the one the list action under the panel acts on.
    RightPanelTab lastListTab = RightPanelTab::WatchHistory;
    bool compact = false;      // the small window
    bool topMost = false;
    bool leftPanelShown = true;
    bool rightPanelShown = true;
};

}  // namespace ruvo
