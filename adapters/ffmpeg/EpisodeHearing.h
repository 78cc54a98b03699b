#pragma once
// Hears one episode, start to end, on the calling thread: its head from the
// start (a quarter of it, at most 10 minutes; 10 minutes when the stream
// tells no duration) and, when the stream tells its duration and may be
// read from anywhere, its tail (the last quarter, at most 5 minutes),
// reached by seeking. Nothing when the address is not http or https, the
// stream cannot be opened or holds no sound (or a head too short for one
// print, 2.7 s), or the guard stops the work (cancelled, too slow, too
// large).
#include <optional>
#include <string>

#include "platform/EpisodeListening.h"

namespace ruvo {

class ListeningGuard;

std::optional<HeardEpisode> HearEpisode(const std::string& address, ListeningGuard& guard);

}  // namespace ruvo
