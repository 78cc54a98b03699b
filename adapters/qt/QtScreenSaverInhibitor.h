#pragma once
// The screen kept awake through the freedesktop screensaver service on the
// session bus (org.freedesktop.ScreenSaver Inhibit / UnInhibit).
#include <QString>
#include <optional>

#include "platform/IdleInhibitor.h"

namespace ruvo {

class QtScreenSaverInhibitor final : public IdleInhibitor {
public:
    bool Inhibit(const std::string& reason) override;
    void Release() override;

private:
    std::optional<uint> cookie_;
};

}  // namespace ruvo
