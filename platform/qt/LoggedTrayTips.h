#pragma once
#include <cstdio>

#include "platform/Tray.h"

namespace ruvo {

// Until the program has its tray icon, balloon tips go to the error output.
class LoggedTrayTips final : public TrayTips {
public:
    void ShowTrayTip(const std::string& text) override { std::fprintf(stderr, "tray tip: %s\n", text.c_str()); }
};

}  // namespace ruvo
