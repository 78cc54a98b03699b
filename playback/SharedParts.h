#pragma once
// Finds the opening and the closing credits two episodes of a title share,
// from what was heard of them (platform/EpisodeListening.h).
//
// Fingerprints find the stretch the two have in common and how far apart
// it lies in each; the band loudness, ten times finer in time, then places
// its edges, since a fingerprint item sums up almost three seconds of sound.
// Silence and unchanging sound never count as shared: two quiet episodes
// share nothing. A pair that shares its whole head is the same episode
// twice (or one re-encoded): it has no opening to skip, and nothing is found.
#include <optional>

#include "platform/EpisodeListening.h"

namespace ruvo {

struct Stretch {
    double start = 0;  // seconds within the episode
    double end = 0;
    double Length() const { return end - start; }
};

struct EpisodeParts {
    std::optional<Stretch> opening;
    std::optional<Stretch> credits;
};

struct PairParts {
    EpisodeParts first;
    EpisodeParts second;
};

// An opening is at least this long; credits at least kShortestCredits and
// reaching to within kCreditsReachEnd of each episode's end.
inline constexpr double kShortestOpening = 15;
inline constexpr double kShortestCredits = 10;
inline constexpr double kCreditsReachEnd = 8;

PairParts FindSharedParts(const HeardEpisode& first, const HeardEpisode& second);

// The longest stretch of sound two stretches share, at whatever offset,
// with its place in each; nothing when they share no `shortest` seconds.
struct SharedStretch {
    Stretch inFirst;
    Stretch inSecond;
};
std::optional<SharedStretch> FindSharedStretch(const HeardStretch& first, const HeardStretch& second, double shortest);

}  // namespace ruvo
