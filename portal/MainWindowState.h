#pragma once
// The run-time state the main window owns and the other parts share.
#include <string>

#include "platform/MainWindowHost.h"
#include "promo/AdPane.h"

namespace ruvo {

struct MainWindowState {
    WorkArea workArea;         // desktop work area at load, pixels
    int workAreaWidth = 0;     // the maximised size
    int workAreaHeight = 0;
    std::string userName;      // the user identity, read once at load
    int savedWidth = 0;        // twips
    int savedHeight = 0;       // twips
    bool openWithSavedSize = false;  // the user's option: else the window opens at its design size
    int currentTab = 0;        // selected right-panel tab: 6 title pages, 7 history, 8 local files
    bool recommendOnExit = false;  // the exit shows the recommendation window (the update file asks)
    AdPane playerAd = AdPane::Unused;  // the player's advertisement panel
    AdPane scrollAd = AdPane::Unused;  // the scrolling advertisement bar
    bool mainPaneFailed = false;  // the portal's page (Web1) did not load
    bool sidePaneFailed = false;  // the side page (Web5) did not load
    bool compact = false;         // the small window
    // What the window shows; its buttons' tooltips follow.
    bool topMost = false;
    bool leftPanelShown = true;
    bool rightPanelShown = true;
    std::string latestVersion; // from the portal's update file
    std::string playerFolder;  // folder of the outside player's programs

};

}  // namespace ruvo
