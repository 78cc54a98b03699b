#pragma once
// The run-time state the main window owns and the other parts share.
#include <string>

#include "platform/MainWindowHost.h"

namespace ruvo {

struct MainWindowState {
    WorkArea workArea;         // desktop work area at load, pixels
    int workAreaWidth = 0;     // the maximised size
    int workAreaHeight = 0;
    std::string userName;      // the user identity, read once at load
    int savedWidth = 0;        // twips
    int savedHeight = 0;       // twips
    int restoreSizeOption = 0; // 2 = open with the saved size
    int currentTab = 0;        // selected right-panel tab: 6 title pages, 7 history, 8 local files
    std::string exitPopupFlag = "0";  // "1": the exit routine shows the recommendation window
    int playerAdState = 0;     // 1 = show the player advertisement, 2 = its pane failed
    int scrollAdState = 0;     // 2 = scroll bar shown, 1 = its pane failed
    int web1LoadFailed = 0;    // navigation-error flags of Web1 and Web5
    int web5LoadFailed = 0;
    int compactMode = 0;       // small-window mode
    // What the window shows; its buttons' tooltips follow.
    bool topMost = false;
    bool leftPanelShown = true;
    bool rightPanelShown = true;
    std::string latestVersion; // from the portal's update file
    std::string playerFolder;  // folder of the outside player's programs

    std::string historyRowLink;        // link of the watch-history row last right-clicked ("" = none)
};

}  // namespace ruvo
