#pragma once
// Handing things to the desktop: an address to the user's default browser,
// a folder to the file manager.
#include <string>

namespace ruvo {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens the address with the desktop's default opener, without waiting.
    // Returns false when no opener could be started.
    virtual bool OpenUrl(const std::string& url) = 0;
    // Shows the folder in the desktop's file manager, without waiting.
    virtual bool OpenFolder(const std::string& folder) = 0;
};

}  // namespace ruvo
