#include "playback/EpisodeLookup.h"

#include "base/BidiControls.h"
#include "base/JsEscape.h"
#include "base/LinkText.h"
#include "base/NumberText.h"

namespace ruvo {

EpisodeReply ParseEpisodeReply(const std::optional<std::string>& body) {
    if (!body) return {};
    if (*body == "1") return {EpisodeReply::Kind::PortalError, {}, {}, {}};
    if (*body == "0") return {EpisodeReply::Kind::NoEpisode, {}, {}, {}};
    if (!Contains(*body, "$")) return {EpisodeReply::Kind::Other, {}, {}, {}};
    const auto fields = SplitText(*body, "$");
    // The label comes escaped as the portal's links carry it ("%u7B2C1%u96C6"),
    // and is shown and stored: no control or direction mark of it stays.
    return {EpisodeReply::Kind::PlayData, ShownText(JsUnescape(FieldAt(fields, 0))), FieldAt(fields, 1),
            FieldAt(fields, 2)};
}

std::string EpisodeLookup::RequestUrl(const PortalEpisode& episode) const {
    return portalBase_ + "h.asp?id=" + std::to_string(TextToInt(episode.titleId)) + "&v=" + episode.source +
           "&v1=" + episode.number;
}

void EpisodeLookup::Ask(const PortalEpisode& episode, std::function<void(const EpisodeReply&)> done) {
    fetch_(RequestUrl(episode), [done = std::move(done)](std::optional<std::string> body) {
        done(ParseEpisodeReply(body));
    });
}

}  // namespace ruvo
