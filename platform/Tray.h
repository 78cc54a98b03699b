#pragma once
// The notification-area icon's balloon messages.
#include <string>

namespace ruvo {

class TrayTips {
public:
    virtual ~TrayTips() = default;
    // Shows a balloon message from the tray icon (a desktop notification).
    virtual void ShowTrayTip(const std::string& text) = 0;
};

}  // namespace ruvo
