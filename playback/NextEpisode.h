#pragma once
// What follows the playing portal episode: what the portal's look-up for the
// next episode said, and the preload of its media ahead of the end.
#include <string>
#include <utility>

#include "playback/PlayRequest.h"

namespace ruvo {

struct NextEpisode {
    enum class Kind {
        Unknown,   // not looked up (yet), or no look-up wanted
        None,      // nothing follows: the portal has none, or the play failed
        RetryDue,  // the look-up failed and is made again shortly
        Ready,     // found: `play` plays it when this one ends
    };
    enum class Media {
        Unknown,  // not known yet: the preload looks the episode up first
        None,     // the portal has none to preload
        Known,    // `mediaAddress` is preloaded once
    };

    Kind kind = Kind::Unknown;
    EpisodePlay play;
    Media media = Media::Unknown;
    std::string mediaAddress;
    bool preloadStarted = false;  // also held while a retry is due: no look-up meanwhile

    bool IsReady() const { return kind == Kind::Ready; }
    // Found: what plays it, and its media to preload from now on.
    void Found(EpisodePlay next, std::string address) {
        kind = Kind::Ready;
        play = std::move(next);
        media = Media::Known;
        mediaAddress = std::move(address);
        preloadStarted = false;
    }
    // Marks `kind` and forgets what was found; the media part stays.
    void Mark(Kind newKind) {
        kind = newKind;
        play = {};
    }
    void MarkMedia(Media newMedia) {
        media = newMedia;
        mediaAddress.clear();
    }
};

}  // namespace ruvo
