#include "portal/SearchBox.h"

#include "base/LinkText.h"

namespace ruvo {
namespace {

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void SearchBox::Search(const std::string& typed) {
    WindowView& c = controls_;
    const std::string trimmed = TrimSpaces(typed);
    if (trimmed.empty() || Contains(typed, "请输入")) return;  // the hint is never sent
    if (TrimSpaces(lastSearchText_) != trimmed) {
        // The text goes into the address unescaped; the web engine encodes it.
        results_.Navigate(portalBase_ + "search.asp?searchword=" + trimmed);
        lastSearchText_ = trimmed;
    }
    c.SetVisible({ControlName::MainPaneBox}, false);
    c.SetVisible({ControlName::SearchResultsBox}, true);
    c.SetVisible({ControlName::MainAreaNotice}, false);
}

void SearchBox::ClickInBox(const std::string& typed) {
    if (Contains(typed, "请输入")) controls_.SetText({ControlName::SearchBox}, "");
}

void SearchBox::FocusLost(const std::string& typed) {
    if (TrimSpaces(typed).empty()) controls_.SetText({ControlName::SearchBox}, kSearchHint);
}

}  // namespace ruvo
