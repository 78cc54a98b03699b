#pragma once
// The twenty pictures of the player bar's buttons, drawn as vectors so they
// stay sharp at any size and screen scale: normal looks in light grey, the
// looks under the mouse in the bar's gold.
#include <QIcon>

namespace ruvo {

// Picture `image` (0 to 19) of the button picture strip.
QIcon TransportIcon(int image);

}  // namespace ruvo
