#pragma once
// Keeps the desktop from blanking the screen or going idle while a video
// plays (the freedesktop screensaver interface).
#include <string>

namespace ruvo {

class IdleInhibitor {
public:
    virtual ~IdleInhibitor() = default;
    // Asks the desktop to stay awake; false when no service answered.
    virtual bool Inhibit(const std::string& reason) = 0;
    // Ends the last request; nothing when none is held.
    virtual void Release() = 0;
};

}  // namespace ruvo
