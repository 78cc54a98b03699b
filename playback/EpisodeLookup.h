#pragma once
// Asks the portal for an episode's play data ("h.asp"), without waiting.
#include <functional>
#include <optional>
#include <string>

#include "playback/PlayRequest.h"

namespace ruvo {

// The portal's reply to an episode request.
struct EpisodeReply {
    enum class Kind { Failed, PortalError, NoEpisode, PlayData, Other };
    Kind kind = Kind::Failed;
    std::string label, address, playerKind;  // for PlayData; the label and the address plain
};

// "1" = PortalError, "0" = NoEpisode, a text with "$" = PlayData (label "$"
// address "$" kind; further fields ignored), anything else = Other.
EpisodeReply ParseEpisodeReply(const std::optional<std::string>& body);

class EpisodeLookup {
public:
    // Starts a GET of the text at an address; its callback hears the decoded
    // text, or nothing when the request failed.
    using FetchText = std::function<void(const std::string& url, std::function<void(std::optional<std::string>)>)>;
    EpisodeLookup(std::string portalBase, FetchText fetch) : portalBase_(std::move(portalBase)), fetch_(std::move(fetch)) {}

    // PortalBase + "h.asp?id=" id "&v=" v "&v1=" v1.
    std::string RequestUrl(const PortalEpisode& episode) const;
    // `done` hears the reply later, whatever it is.
    void Ask(const PortalEpisode& episode, std::function<void(const EpisodeReply&)> done);

private:
    std::string portalBase_;
    FetchText fetch_;
};

}  // namespace ruvo
