#include "app/UpdateCheck.h"

#include "base/NumberText.h"
#include "base/SplitText.h"
#include "config/FileSystem.h"
#include "config/SettingsKeys.h"

namespace ruvo {
namespace {

constexpr const char* kSeparator = "====";
constexpr const char* kUpdateTitle = "Ruvo影视盒提示：";
constexpr const char* kUpdaterFile = "update.exe";
// A version is digits and dots ("1.0", "2.10.3"); anything else is not offered.
constexpr size_t kLongestVersion = 20;

bool IsTheNumberOne(const std::string& field) { return NumberOf(field) == 1.0; }

std::string WithoutLineBreaks(std::string text) {
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 2);
    return text;
}

std::string UpdateQuestion(const std::string& version) {
    return "检测到最新版本 " + version + " ,你需要现在升级吗？";
}

}  // namespace

std::optional<UpdateFile> ParseUpdateFile(const std::string& text) {
    if (text.empty() || text.size() > kMaxUpdateFileBytes || text.find(kSeparator) == std::string::npos)
        return std::nullopt;
    const auto fields = SplitText(text, kSeparator);
    UpdateFile file;
    file.exitPopupFlag = FieldAt(fields, 0);
    file.floatingAd = IsTheNumberOne(FieldAt(fields, 1));
    file.playerAd = IsTheNumberOne(FieldAt(fields, 2));
    file.scrollAd = IsTheNumberOne(FieldAt(fields, 3));
    file.latestVersion = WithoutLineBreaks(FieldAt(fields, 4));
    return file;
}

bool IsVersionText(const std::string& version) {
    if (version.empty() || version.size() > kLongestVersion) return false;
    for (const char c : version)
        if (!(c >= '0' && c <= '9') && c != '.') return false;
    return true;
}

bool IsOfferedAtStart(const std::string& version) {
    if (!IsVersionText(version) || version == kInstalledVersion) return false;
    return NumberOf(version) != 0.0;
}

void UpdateCheck::RunUpdater() {
    const std::string updater = JoinPath(parts_.programFolder, kUpdaterFile);
    if (PathExists(updater)) parts_.processes.StartDetached(updater);
    else parts_.shell.OpenUrl(parts_.portal.base + "update/update.exe");
}

void UpdateCheck::ApplySwitches(const UpdateFile& file) {
    parts_.update.recommendOnExit = file.exitPopupFlag == "1";
    AdPanes& ads = parts_.ads;
    if (file.playerAd && ads.player != AdPane::Failed) ads.player = AdPane::Shown;
    if (file.scrollAd && ads.scroll != AdPane::Failed) ads.scroll = AdPane::Shown;
    ads.scrollBarShown = ads.scroll == AdPane::Shown && file.scrollAd;
    parts_.controls.SetVisible({ControlName::ScrollAdBar}, ads.scrollBarShown);
    parts_.update.latestVersion = file.latestVersion;
}

void UpdateCheck::Check() {
    parts_.fetchText(parts_.portal.base + "lib/wen.txt", [this](std::optional<std::string> text) {
        if (text) TakeUpdateFile(*text);
    });
}

void UpdateCheck::TakeUpdateFile(const std::string& text) {
    const auto file = ParseUpdateFile(text);
    if (!file) return;
    ApplySwitches(*file);
    UpdateState& s = parts_.update;
    if (IsOfferedAtStart(s.latestVersion) && AskToUpdate(s.latestVersion)) {
        RunUpdater();
        s.recommendOnExit = false;
        parts_.exit();
        return;
    }
    if (file->floatingAd) parts_.floatingAdvert.SetEnabled(true);
}

// The question comes without an icon: it offers, it does not warn.
bool UpdateCheck::AskToUpdate(const std::string& version) {
    return parts_.dialogs.AskYesNo(UpdateQuestion(version), kUpdateTitle, Dialogs::Default::No, Dialogs::Icon::None);
}

void UpdateCheck::Offer() {
    const std::string& version = parts_.update.latestVersion;
    if (!IsVersionText(version) || version == kInstalledVersion) {
        parts_.dialogs.ShowNotice("你现在使用的是最新版本，无需升级！", "提示：");
        return;
    }
    if (!AskToUpdate(version)) return;
    RunUpdater();
    parts_.exit();
}

}  // namespace ruvo
