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

void SearchBox::Search() {
    WindowControls& c = controls_;
    const std::string text = c.Text({ControlName::SearchBox});
    const std::string trimmed = TrimSpaces(text);
    if (trimmed.empty() || Contains(text, "请输入")) return;
    if (TrimSpaces(lastSearchText_) != trimmed) {
        // The text goes into the address unescaped; the web engine encodes it.
        results_.Navigate(portalBase_ + "search.asp?searchword=" + trimmed);
        lastSearchText_ = trimmed;
    }
    c.SetVisible({ControlName::MainPaneBox}, false);
    c.SetVisible({ControlName::SearchResultsBox}, true);
    c.SetVisible({ControlName::MainAreaNotice}, false);
}

void SearchBox::ClickInBox() {
    WindowControls& c = controls_;
    if (Contains(c.Text({ControlName::SearchBox}), "请输入")) c.SetText({ControlName::SearchBox}, "");
}

void SearchBox::FocusLost() {
    WindowControls& c = controls_;
    if (TrimSpaces(c.Text({ControlName::SearchBox})).empty()) c.SetText({ControlName::SearchBox}, kSearchHint);
}

}  // namespace ruvo
