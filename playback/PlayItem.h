#pragma once
// The item that plays (or played last), as the user picked it.
#include <string>

namespace ruvo {

enum class ItemKind {
    None,
    LocalFile,          // a file or address the user opened, dropped or handed over
    PortalEpisode,      // a portal title's episode
    TelevisionChannel,  // a portal television page
};

struct PlayItem {
    ItemKind kind = ItemKind::None;
    std::string name;        // the title's, channel's or file's name
    std::string label;       // a portal episode's label ("第1集")
    std::string address;     // the path, or the address as the portal's link gives it
    std::string portalKind;  // how the portal plays the address: "qvod" in the player, any other in the page player
};

// The title line's text for the item: its name cut to the line's width, and
// for a portal episode "-" and the label.
std::string TitleLineOf(const PlayItem& item);

}  // namespace ruvo
