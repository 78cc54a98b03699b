#pragma once
// The state of an advertisement pane the update file switches on.

namespace ruvo {

enum class AdPane {
    Unused,
    Shown,   // switched on: it shows when its place is free
    Failed,  // its page did not load: it stays hidden for the run
};

}  // namespace ruvo
