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

inline int MapPlayState(const MpvSnapshot& s) {
    if (!s.hasUrl) return kPlayIdle;
    if (s.stopped) return kPlayStopped;
    if (s.failed) return kPlayIdle;
    if (s.endOfFile) return kPlayEnded;
    if (s.loading) return s.network ? kPlayConnecting : kPlayPreparing;
    if (s.idle) return kPlayIdle;
    if (s.pausedForCache) return kPlayBuffering;
    if (s.paused) return kPlayPaused;
    return kPlayPlaying;
}

}  // namespace ruvo
