#include "playback/NextEpisodeFinder.h"

#include "base/JsEscape.h"
#include "base/NumberText.h"
#include "config/PlayableAddress.h"
#include "config/SettingsKeys.h"

namespace ruvo {

void NextEpisodeFinder::LookUp() {
    PlaySession& s = parts_.session;
    if (!parts_.options.IsOn(Option::PreloadNext)) {
        s.next.Mark(NextEpisode::Kind::Unknown);
        return;
    }
    if (!s.episode) return;
    PortalEpisode next = *s.episode;
    next.number = std::to_string(TextToInt(next.number) + 1);
    s.next.preloadStarted = true;  // no second look-up while this one waits
    const int ticket = ++latestLookUp_;
    parts_.lookup.Ask(next, [this, ticket, playing = *s.episode, next](const EpisodeReply& reply) {
        // A reply for an episode that no longer plays, or overtaken by a newer look-up.
        if (ticket != latestLookUp_ || parts_.session.episode != playing) {
            parts_.trace("reply dropped " + parts_.lookup.RequestUrl(next));
            return;
        }
        Take(reply, next);
    });
}

void NextEpisodeFinder::Take(const EpisodeReply& reply, const PortalEpisode& next) {
    NextEpisode& n = parts_.session.next;
    switch (reply.kind) {
        case EpisodeReply::Kind::PortalError:
            n.Mark(NextEpisode::Kind::None);
            n.MarkMedia(NextEpisode::Media::None);
            return;
        case EpisodeReply::Kind::NoEpisode:
            // Not known either way: asked again at the retry's pace, not at every tick.
            n.Mark(NextEpisode::Kind::Unknown);
            n.MarkMedia(NextEpisode::Media::Unknown);
            return AskAgainLater();
        case EpisodeReply::Kind::PlayData:
            if (!IsPlayableAddress(reply.address, AddressOrigin::Outside)) {
                // Nothing to play on into, nor to download ahead.
                n.Mark(NextEpisode::Kind::None);
                n.MarkMedia(NextEpisode::Media::None);
                return;
            }
            // The next episode always plays in the player.
            n.Found(EpisodePlay{next, reply.label, JsEscape(reply.address), "qvod"}, reply.address);
            if (parts_.found) parts_.found();
            return;
        case EpisodeReply::Kind::Failed:
        case EpisodeReply::Kind::Other:
            n.Mark(NextEpisode::Kind::RetryDue);
            n.MarkMedia(NextEpisode::Media::Unknown);
            parts_.showTrayTip("读取下一集数据出错，稍后将重新读取！");
            return AskAgainLater();
    }
}

void NextEpisodeFinder::AskAgainLater() {
    parts_.session.nextRetryTicks = 0;
    parts_.session.next.preloadStarted = true;
    parts_.retryTimer.SetEnabled(true);
}

void NextEpisodeFinder::RetryTick() {
    PlaySession& s = parts_.session;
    if (++s.nextRetryTicks < 2) return;
    parts_.retryTimer.SetEnabled(false);
    s.nextRetryTicks = 0;
    LookUp();
}

}  // namespace ruvo
