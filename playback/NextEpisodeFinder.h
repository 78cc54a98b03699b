#pragma once
// Finds the episode that follows the playing portal episode, ahead of its
// end, so it can be downloaded ahead and played on. A failed look-up is made
// again after two ticks of the retry timer (100 s); so is one the portal
// answered with "no next episode yet", so a series that gains an episode
// meanwhile still plays on.
#include <functional>
#include <string>

#include "config/UserOptions.h"
#include "platform/Timer.h"
#include "playback/EpisodeLookup.h"
#include "playback/Playback.h"

namespace ruvo {

class NextEpisodeFinder {
public:
    struct Parts {
        EpisodeLookup& lookup;
        Playback& playback;  // whose episode it finds the next of
        const UserOptions& options;
        Timer& retryTimer;
        std::function<void(const std::string&)> showTrayTip;
        // The next episode became known (the end of play may be waiting for it).
        std::function<void()> found;
        // A line of the diagnostic trace (a reply dropped).
        std::function<void(const std::string&)> trace;
    };
    explicit NextEpisodeFinder(Parts parts) : parts_(std::move(parts)) {}

    // Asks the portal for the next episode when the user wants it
    // downloaded ahead; the answer comes later.
    void LookUp();
    // The retry timer's tick.
    void RetryTick();

private:
    void Take(const EpisodeReply& reply, const PortalEpisode& next);
    // What the reply says of the episode after the playing one.
    void Learn(NextEpisode& n, const EpisodeReply& reply, const PortalEpisode& next);
    // Asked again after the retry timer's two ticks; meanwhile the preload
    // asks nothing.
    void AskAgainLater();

    Parts parts_;
    int latestLookUp_ = 0;  // a reply to an older look-up is dropped
    int retryTicks_ = 0;    // of the retry timer, since a look-up failed
};

}  // namespace ruvo
