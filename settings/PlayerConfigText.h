#pragma once
// The download folder inside the player's configuration "QvodPlayer.xml".
#include <string>

namespace ruvo {

// The configuration text with the download folder `from` replaced by `to`
// in every "Defaultsavepath" attribute. A text without such an attribute
// for `from` gets one naming `to` (after what it holds; an empty text becomes
// a whole configuration), so a change of folder is never lost.
std::string ReplaceSavePath(const std::string& configText, const std::string& from, const std::string& to);

}  // namespace ruvo
