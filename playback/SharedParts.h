#pragma once
// Finds the opening and the closing credits two episodes of a title share,
// from what was heard of them (platform/EpisodeListening.h).
//
// Fingerprints find the stretch the two have in common and how far apart
// it lies in each: the run of matching items with the most matches, over
// every offset. The band loudness, six times finer in time, then sets the
// offset to a band frame (and the level difference of the two releases)
// and places the edges, since a fingerprint item sums up almost three
// seconds of sound: from the stretch's middle outwards, an edge is the last
// frame before the bands stay apart for 0.4 s, by clearly more than the
// middle shows the same sound lies apart.
//
// Silence and steady sound (a tone, a hum) never count as shared: they can
// neither make a stretch nor extend one, so two quiet episodes share
// nothing, and an edge lies where the shared sound itself begins or ends.
// A pair that shares (nearly) its whole head is the same episode twice, or
// one re-encoded: it has no opening of its own, and nothing at all is found,
// not even credits.
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
// A pair sharing this share of the heads heard is one episode twice.
inline constexpr double kWholeHead = 0.9;

PairParts FindSharedParts(const HeardEpisode& first, const HeardEpisode& second);

// The longest stretch of sound two stretches share, at whatever offset,
// with its place in each; nothing when they share no `shortest` seconds.
struct SharedStretch {
    Stretch inFirst;
    Stretch inSecond;
};
std::optional<SharedStretch> FindSharedStretch(const HeardStretch& first, const HeardStretch& second, double shortest);

}  // namespace ruvo
