#pragma once
// What libmpv reports, reduced to the player's state codes.
#include "platform/Player.h"

namespace ruvo {

struct MpvSnapshot {
    bool hasUrl = false;          // PlayUrl is not ""
    bool stopped = false;         // Stop was called and nothing played since
    bool loading = false;         // a file is being opened (start-file .. playback start)
    bool network = false;         // the address is a stream, not a local file
    bool failed = false;          // the last file ended with an error
    bool endOfFile = false;       // eof-reached (the player keeps the last frame)
    bool pausedForCache = false;  // waiting for data
    bool paused = false;
    bool idle = false;            // no file loaded
};

inline PlayerState MapPlayState(const MpvSnapshot& s) {
    if (!s.hasUrl) return PlayerState::Idle;
    if (s.stopped) return PlayerState::Stopped;
    if (s.failed) return PlayerState::Idle;
    if (s.endOfFile) return PlayerState::Ended;
    if (s.loading) return s.network ? PlayerState::Connecting : PlayerState::Preparing;
    if (s.idle) return PlayerState::Idle;
    if (s.pausedForCache) return PlayerState::Buffering;
    if (s.paused) return PlayerState::Paused;
    return PlayerState::Playing;
}

}  // namespace ruvo
