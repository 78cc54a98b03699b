#pragma once
// What the player area shows at a moment, as the one owner of what plays
// publishes it: which surface the centre shows, the status line, the title
// line, where the play is, and what the bar offers. The window draws it; no
// part reads it back from the window.
#include <string>

namespace ruvo {

// What fills the centre: the player's picture, the portal's page player, or
// the cover that hides a player with nothing to show.
enum class Centre { Player, PagePlayer };

// Where the item in the player is, as the bar's progress shows it.
enum class PlayPhase {
    Nothing,   // nothing loaded
    Starting,  // loading, not shown yet
    Playing,
    Paused,
    Stopped,   // stopped by the user or for another item
    Ended,
    Failed,    // it could not be played
};

// The button over the picture that skips a part of the episode.
enum class SkipOffer { None, Opening, Credits };

struct PlayerArea {
    Centre centre = Centre::Player;
    PlayPhase phase = PlayPhase::Nothing;
    bool cover = true;          // the cover hides the player's surface
    bool advert = false;        // the player's advert panel over a paused picture
    std::string status;         // the status line
    std::string title;          // the title line: name and episode
    int position = 0;           // seconds
    int duration = 0;           // seconds; 0 while unknown
    int downloaded = 0;         // per mille of the media at hand
    bool playing = false;       // the bar offers to pause
    bool muted = false;         // the bar offers to unmute
    bool hasEpisodes = false;   // previous and next can act (a portal title played last)
    SkipOffer skip = SkipOffer::None;

    bool operator==(const PlayerArea&) const = default;
    bool ShowsPlayer() const { return centre == Centre::Player; }
    bool ShowsPagePlayer() const { return centre == Centre::PagePlayer; }
};

}  // namespace ruvo
