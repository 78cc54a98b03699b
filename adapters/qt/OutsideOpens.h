#pragma once
// How often pages may open something outside the program (the browser, by
// a link or a new window): once a second at most, for all panes together,
// whatever a page or its frames do. Each open also needs the user's own
// click or Enter on the pane (QtWebPane's gesture).
#include <QtGlobal>

namespace ruvo {

class OutsideOpens {
public:
    static constexpr qint64 kSpacingMs = 1000;
    // True, and counted as an open, when the last open is a second or more
    // ago; false otherwise.
    static bool Take();
};

}  // namespace ruvo
