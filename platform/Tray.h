#pragma once
// The notification-area (tray) icon and its balloon messages.
#include <string>

namespace ruvo {

class TrayTips {
public:
    virtual ~TrayTips() = default;
    // Shows a balloon message from the tray icon (a desktop notification).
    virtual void ShowTrayTip(const std::string& text) = 0;
    // False when no tip would be seen: no notification service runs and the
    // tray shows no balloons.
    virtual bool CanShowTrayTips() const { return true; }
};

// The icon itself. Its left and right clicks are reported to the logic by
// the program's wiring.
class TrayIcon : public TrayTips {
public:
    // True when the desktop shows tray icons at all; many do not.
    virtual bool IsAvailable() const = 0;
    // Puts the icon, with this tooltip, into the tray.
    virtual void AddTrayIcon(const std::string& tooltip) = 0;
    virtual void RemoveTrayIcon() = 0;
};

}  // namespace ruvo
