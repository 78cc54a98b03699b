#pragma once
// The update file "lib/wen.txt": the latest version and four promotional
// switches, fetched once six seconds after start.
#include <functional>
#include <optional>
#include <string>

#include "config/ProgramPlaces.h"
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "platform/Shell.h"
#include "platform/Timer.h"
#include "view/WindowView.h"
#include "promo/AdPane.h"

namespace ruvo {

// The five "===="-separated fields of the update file.
struct UpdateFile {
    std::string exitPopupFlag;  // field 1, taken as it is
    bool floatingAd = false;    // field 2 is the number 1
    bool playerAd = false;      // field 3
    bool scrollAd = false;      // field 4
    std::string latestVersion;  // field 5 without CR LF pairs
};

// What the update file told this run.
struct UpdateState {
    std::string latestVersion;     // offered by the tray's "升级检测"
    bool recommendOnExit = false;  // the exit shows the recommendation window
};

// Files larger than this are no update file.
inline constexpr size_t kMaxUpdateFileBytes = 64 * 1024;

// Nothing for an empty text, one without "====" or one too large.
std::optional<UpdateFile> ParseUpdateFile(const std::string& text);

// True when `version` is worth offering at start: not empty, not a number
// equal to zero, and not the installed version.
// True for a version text: digits and dots only.
bool IsVersionText(const std::string& version);
bool IsOfferedAtStart(const std::string& version);

class UpdateCheck {
public:
    // Where the update file and the updater are, the switches it sets (the
    // advert panes, the scrolling bar, the floating advert's timer), what it
    // tells the run, the question it asks, and the exit after an update.
    struct Parts {
        PortalAddress portal;
        std::string programFolder;
        // Starts a GET of a text; the callback hears it (nothing when it failed).
        std::function<void(const std::string& url, std::function<void(std::optional<std::string>)>)> fetchText;
        Processes& processes;
        Shell& shell;
        Dialogs& dialogs;
        WindowView& controls;
        AdPanes& ads;
        UpdateState& update;
        Timer& floatingAdvert;
        std::function<void()> exit;
    };
    explicit UpdateCheck(Parts parts) : parts_(std::move(parts)) {}

    // Once, shortly after start (the window's update-check timer): fetches
    // the update file, applies its switches and offers a new version.
    void Check();
    // The tray entry "升级检测": offers the version fetched at start, or
    // says that the latest version is in use.
    void Offer();

private:
    void TakeUpdateFile(const std::string& text);
    void ApplySwitches(const UpdateFile& file);
    bool AskToUpdate(const std::string& version);
    // Starts the local updater, or opens its download address.
    void RunUpdater();

    Parts parts_;
};

}  // namespace ruvo
