#pragma once
// What plays: the item and the list that keeps it, how far it has played,
// and what follows it. Its one owner is the playback (playback/Playback.h);
// the other parts read it there.
#include <optional>
#include <string>

#include "playback/NextEpisode.h"
#include "playback/PlayItem.h"
#include "playback/PlayRequest.h"

namespace ruvo {

// The list that keeps the playing item and its position.
enum class ItemList {
    None,
    WatchHistory,  // a portal title, "date.dat"
    LocalFiles,    // a file of this computer, "date_f.dat"
};

struct PlaySession {
    PlayItem item;
    ItemList list = ItemList::None;
    // The item's key in its list: the title id in the watch history, the
    // path in the local files; empty while its position is kept nowhere.
    std::string listKey;
    // The portal episode that plays (or played last); nothing once a local
    // file plays.
    std::optional<PortalEpisode> episode;
    bool inPagePlayer = false;  // it plays in the portal's page player

    int resumeAt = 0;      // seconds to seek to on the first playing tick
    bool resumed = false;  // that seek is done
    int lastPosition = 0;  // seconds, at the latest status tick

    NextEpisode next;
    // Where the item's end of play comes when it comes before the file's
    // end (at the closing credits); nothing: at the end.
    std::optional<double> playOnAt;

};

}  // namespace ruvo
