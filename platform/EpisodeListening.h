#pragma once
// Listens to an episode's sound over the web, away from the window's thread:
// the fingerprints of its first part and of its last minutes, from which the
// opening and the closing credits it shares with a neighbouring episode are
// found (playback/SharedParts.h).
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ruvo {

// The loudness of 16 bands of the spectrum at one moment, on a log scale
// (0 silent, 255 loudest), finer in time than a fingerprint.
using SoundBands = std::array<std::uint8_t, 16>;

// A stretch of an episode's sound, heard.
struct HeardStretch {
    double startSeconds = 0;  // where in the episode the stretch starts
    double seconds = 0;       // how much of it was decoded
    // Chromaprint's raw fingerprint: item i describes the sound from
    // startSeconds + i * printStep on (each item sums up about two seconds
    // of sound after that moment, which blurs an edge by about a second).
    std::vector<std::uint32_t> prints;
    double printStep = 0;
    // Band loudness: entry i describes the moment startSeconds + i * bandStep.
    std::vector<SoundBands> bands;
    double bandStep = 0;

    bool Empty() const { return prints.empty(); }
};

struct HeardEpisode {
    double duration = 0;  // seconds; 0 when the stream tells none (the tail is then empty)
    HeardStretch head;    // from the start, HeadSecondsOf(duration)
    HeardStretch tail;    // its last TailSecondsOf(duration)
};

// How much of an episode is heard. The head: a quarter, where an opening
// may be, at most 10 minutes; but at least two minutes (never more than
// half), since a short episode's cold open and opening may run past its
// first quarter. The tail: a quarter, at most 5 minutes, at least one
// minute (never more than half), for the credits and what follows them.
inline double HeadSecondsOf(double duration) {
    if (duration <= 0) return 600;
    return std::min({std::max(duration / 4, 120.0), duration / 2, 600.0});
}
inline double TailSecondsOf(double duration) { return std::min({std::max(duration / 4, 60.0), duration / 2, 300.0}); }

class EpisodeListening {
public:
    virtual ~EpisodeListening() = default;
    // Hears the episode at `address`, an http or https address the player
    // may open, and calls `done` once on the program's thread: with nothing
    // when it could not be heard (another protocol, no sound, too large, too
    // slow, garbage). Returns a ticket for Cancel.
    virtual int Listen(const std::string& address, std::function<void(std::optional<HeardEpisode>)> done) = 0;
    // Runs `work` on the listening's own thread, after what was asked
    // before it, then `done` on the program's thread: comparing what was
    // heard takes a while, and never holds the window. Cancel takes its
    // ticket too.
    virtual int Aside(std::function<void()> work, std::function<void()> done) = 0;
    // Stops that listening soon; its `done` is not called.
    virtual void Cancel(int ticket) = 0;
};

}  // namespace ruvo
