#pragma once
// The state of an advertisement pane the update file switches on.

namespace ruvo {

enum class AdPane {
    Unused,
    Shown,   // switched on: it shows when its place is free
    Failed,  // its page did not load: it stays hidden for the run
};

// The two advertisement panes of the main window.
struct AdPanes {
    AdPane player = AdPane::Unused;  // the panel at the player
    AdPane scroll = AdPane::Unused;  // the scrolling bar
    bool scrollBarShown = false;     // the scrolling bar shows (it gives way to a long title line)
};

}  // namespace ruvo
