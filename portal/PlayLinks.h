#pragma once
// The portal's play links, taken apart where they enter the program into
// what they ask for.
#include <string>

#include "playback/PlayRequest.h"

namespace ruvo {

// "eeqvod://" kind "&&&" escaped address "&&&" name "&&&" label "&&&" title
// id "&&&" source "&&&" number: an episode with its play data.
EpisodePlay EpisodePlayOfLink(const std::string& url);
// "eebovod://" title id "-" source "-" number "-" name: an episode to look up.
PortalEpisode EpisodeOfLink(const std::string& url);
// "eetvs://" name "&&&" channel: a television channel.
TelevisionPlay TelevisionOfLink(const std::string& url);

}  // namespace ruvo
