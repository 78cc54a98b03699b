#include "playback/NextEpisodeFinder.h"

#include "base/JsEscape.h"
#include "base/NumberText.h"
#include "config/PlayableAddress.h"
#include "config/SettingsKeys.h"

namespace ruvo {

void NextEpisodeFinder::LookUp() {
    Playback& playback = parts_.playback;
    if (!parts_.options.IsOn(Option::PreloadNext)) {
        NextEpisode next = playback.Session().next;
        next.Mark(NextEpisode::Kind::Unknown);
        return playback.LearnNext(next);
    }
    const std::optional<PortalEpisode>& playing = playback.Session().episode;
    if (!playing) return;
    PortalEpisode next = *playing;
    next.number = std::to_string(TextToInt(next.number) + 1);
    NextEpisode asked = playback.Session().next;
    asked.preloadStarted = true;  // no second look-up while this one waits
    playback.LearnNext(asked);
    const int ticket = ++latestLookUp_;
    parts_.lookup.Ask(next, [this, ticket, item = playback.ItemNumber(), next](const EpisodeReply& reply) {
        // A reply for an item that no longer plays, or overtaken by a newer look-up.
        if (ticket != latestLookUp_ || parts_.playback.ItemNumber() != item) {
            parts_.trace("reply dropped " + parts_.lookup.RequestUrl(next));
            return;
        }
        Take(reply, next);
    });
}

void NextEpisodeFinder::Take(const EpisodeReply& reply, const PortalEpisode& next) {
    NextEpisode n = parts_.playback.Session().next;
    Learn(n, reply, next);
    parts_.playback.LearnNext(n);
    if (n.IsReady() && parts_.found) parts_.found();
    if (n.kind == NextEpisode::Kind::Unknown || n.kind == NextEpisode::Kind::RetryDue) AskAgainLater();
}

void NextEpisodeFinder::Learn(NextEpisode& n, const EpisodeReply& reply, const PortalEpisode& next) {
    switch (reply.kind) {
        case EpisodeReply::Kind::PortalError:
            n.Mark(NextEpisode::Kind::None);
            n.MarkMedia(NextEpisode::Media::None);
            return;
        case EpisodeReply::Kind::NoEpisode:
            // Not known either way: asked again at the retry's pace, not at every tick.
            n.Mark(NextEpisode::Kind::Unknown);
            n.MarkMedia(NextEpisode::Media::Unknown);
            n.preloadStarted = true;  // asked again with the retry, not by the download ahead
            return;
        case EpisodeReply::Kind::PlayData:
            if (!IsPlayableAddress(reply.address, AddressOrigin::Outside)) {
                // Nothing to play on into, nor to download ahead.
                n.Mark(NextEpisode::Kind::None);
                n.MarkMedia(NextEpisode::Media::None);
                return;
            }
            // The next episode always plays in the player.
            n.Found(EpisodePlay{next, reply.label, JsEscape(reply.address), "qvod"}, reply.address);
            return;
        case EpisodeReply::Kind::Failed:
        case EpisodeReply::Kind::Other:
            n.Mark(NextEpisode::Kind::RetryDue);
            n.MarkMedia(NextEpisode::Media::Unknown);
            n.preloadStarted = true;
            parts_.showTrayTip("读取下一集数据出错，稍后将重新读取！");
            return;
    }
}

void NextEpisodeFinder::AskAgainLater() {
    retryTicks_ = 0;
    parts_.retryTimer.SetEnabled(true);
}

void NextEpisodeFinder::RetryTick() {
    if (++retryTicks_ < 2) return;
    parts_.retryTimer.SetEnabled(false);
    retryTicks_ = 0;
    LookUp();
}

}  // namespace ruvo
