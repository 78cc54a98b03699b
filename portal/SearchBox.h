#pragma once
// The search box and its button: a search sends the box's text to the
// portal's search page and shows the results over the main pane. What the
// user typed comes with each of the box's events.
#include <string>
#include <utility>

#include "platform/WebPane.h"
#include "view/WindowView.h"

namespace ruvo {

// What the empty box shows.
inline constexpr const char* kSearchHint = "请输入电影名称、主演";

class SearchBox {
public:
    // `results` shows the portal's search page, found under `portalBase`.
    SearchBox(WindowView& controls, WebPane& results, std::string portalBase)
        : controls_(controls), results_(results), portalBase_(std::move(portalBase)) {}

    // The button click, or Enter in the box, with the box's text.
    void Search(const std::string& typed);
    // A click into the box clears the hint.
    void ClickInBox(const std::string& typed);
    // Leaving the box (or clicking the window's surface) puts the hint back
    // when the box is empty.
    void FocusLost(const std::string& typed);

private:
    WindowView& controls_;
    WebPane& results_;
    std::string portalBase_;
    std::string lastSearchText_;  // trimmed text of the last search sent
};

}  // namespace ruvo
