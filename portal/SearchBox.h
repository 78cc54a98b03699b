#pragma once
// The search box "soso" and its button "sok": a search sends the box's text
// to the portal's search page and shows the results over the main pane.
#include <string>
#include <utility>

#include "platform/WebPane.h"
#include "platform/WindowControls.h"

namespace ruvo {

// What the empty box shows.
inline constexpr const char* kSearchHint = "请输入电影名称、主演";

class SearchBox {
public:
    // `results` shows the portal's search page, found under `portalBase`.
    SearchBox(WindowControls& controls, WebPane& results, std::string portalBase)
        : controls_(controls), results_(results), portalBase_(std::move(portalBase)) {}

    // The button click, or Enter in the box.
    void Search();
    // A click into the box clears the hint.
    void ClickInBox();
    // Leaving the box (or clicking the window's surface) puts the hint back
    // when the box is empty.
    void FocusLost();

private:
    WindowControls& controls_;
    WebPane& results_;
    std::string portalBase_;
    std::string lastSearchText_;  // trimmed text of the last search sent
};

}  // namespace ruvo
