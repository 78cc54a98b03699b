#include "playback/SharedParts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace ruvo {
namespace {

// A fingerprint item sums up this much sound after its moment.
constexpr double kItemSpan = 2.72;
// Two items of the same sound differ in a few of their 32 bits (re-encoded
// at another bit rate, about 3); two of different sound in about 16. At 8 a
// chance match is one item in 300.
constexpr int kItemBitsApart = 8;
// Matches further apart than this many items (2 s) are two stretches.
constexpr int kItemGap = 16;
// Of the items a shared stretch spans, at least this share match.
constexpr double kMatchedShare = 0.4;
// A band must reach this (60 dB below full scale) to say anything: silence
// matches silence everywhere, and a codec at a low bit rate adds or drops
// faint highs around each note's start, differently in each encoding.
constexpr int kLoudBand = 90;
// A loud band moves by this much (4 dB) both ways over kChangeSeconds where
// the sound is lively; a steady tone or hum matches itself everywhere too.
constexpr int kBandChange = 10;
constexpr double kChangeSeconds = 0.4;
// The bands of one sound, heard twice, lie at most this far apart (2 dB)
// in the middle of what they share: items of other sound may match by
// chance over a few seconds (the same voice in other words), their bands
// do not.
constexpr double kSameAtMost = 6;
// Where the shared sound has ended, the bands lie this much further apart
// than in the shared stretch's middle (or this many times as far). On the
// demo's pairs, one sound heard twice lies within 5 of its middle in 999
// frames of 1000; the same voice saying other words, at 4 to 7.
constexpr double kApartAbove = 5;
constexpr double kApartTimes = 2.5;
// Bands stay apart this long (0.4 s) where the shared sound has ended.
constexpr double kDivergedSeconds = 0.4;
// Shared sound is lively this long before it counts again.
constexpr double kSettledSeconds = 0.1;
// A shared stretch may come out this much shorter than the shortest there
// is, its edges being placed to a frame or two each.
constexpr double kLengthSlack = 0.1;
// Band frames each side a frame's distance is smoothed over: more would
// blur the edge itself.
constexpr int kSmoothing = 1;
// A frame pair's distance where either has no frame, or neither is lively:
// such a frame can neither make nor end a shared stretch.
constexpr int kNoFrame = -1;
constexpr int kQuiet = -2;

// A stretch as heard, with which of its band frames are lively.
struct Heard {
    const HeardStretch& sound;
    std::vector<char> lively;
};

using Frames = std::vector<int>;  // a distance per band frame of the first stretch

struct Run {
    int matched = 0;
    int first = 0;  // item of the first stretch
    int last = 0;
    int offset = 0;  // item of the second = item of the first + offset
};

// The bits set in x. std::popcount is a library call where the build does
// not assume the popcnt instruction, and comparing two heads takes 25
// million of them.
std::uint32_t BitsSet(std::uint32_t x) {
    x -= (x >> 1) & 0x55555555u;
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    x += x >> 8;
    x += x >> 16;
    return x & 0x3Fu;
}

// How far apart two moments' bands lie, in what is loud in either, the
// second's made `louder` first.
int BandsApart(const SoundBands& a, const SoundBands& b, int louder) {
    int sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += std::abs(std::max<int>(a[i], kLoudBand) - std::max<int>(b[i] + louder, kLoudBand));
    return sum / static_cast<int>(a.size());
}

bool LoudBandMoved(const SoundBands& a, const SoundBands& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (std::max(a[i], b[i]) >= kLoudBand && std::abs(int{a[i]} - int{b[i]}) >= kBandChange) return true;
    return false;
}

// Lively band frames: loud, and unlike the moments a little before and
// after. A frame of steady sound next to other sound is unlike it on one
// side only.
Heard Hear(const HeardStretch& stretch) {
    const size_t count = stretch.bands.size();
    const size_t reach = std::max(1L, std::lround(kChangeSeconds / stretch.bandStep));
    Heard heard{stretch, std::vector<char>(count, 0)};
    for (size_t k = 0; k < count; ++k) {
        const SoundBands& bands = stretch.bands[k];
        heard.lively[k] = *std::max_element(bands.begin(), bands.end()) >= kLoudBand &&
                          (k < reach || LoudBandMoved(bands, stretch.bands[k - reach])) &&
                          (k + reach >= count || LoudBandMoved(bands, stretch.bands[k + reach]));
    }
    return heard;
}

// Items that describe sound that can be recognised: lively somewhere in
// their span, and unlike the items a span before and after them (a steady
// sound gives about the same item again and again).
std::vector<char> TellingItems(const Heard& heard) {
    const HeardStretch& sound = heard.sound;
    std::vector<int> livelyBefore(heard.lively.size() + 1, 0);  // lively frames before frame k
    for (size_t k = 0; k < heard.lively.size(); ++k) livelyBefore[k + 1] = livelyBefore[k] + heard.lively[k];
    const auto frame = [&](double seconds) {
        return std::clamp<long>(std::lround(seconds / sound.bandStep), 0, static_cast<long>(heard.lively.size()));
    };
    const int count = static_cast<int>(sound.prints.size()), span = static_cast<int>(kItemSpan / sound.printStep);
    const auto unlike = [&](int i, int j) {
        return j < 0 || j >= count || static_cast<int>(BitsSet(sound.prints[i] ^ sound.prints[j])) > kItemBitsApart;
    };
    std::vector<char> telling(count, 0);
    for (int i = 0; i < count; ++i) {
        const double at = i * sound.printStep;
        telling[i] =
            livelyBefore[frame(at + kItemSpan)] > livelyBefore[frame(at)] && unlike(i, i - span) && unlike(i, i + span);
    }
    return telling;
}

// A stretch's prints as compared: an item that tells nothing is put too
// far from any other to match.
struct Items {
    const std::uint32_t* prints;
    std::vector<std::uint32_t> far;
    int count;
};

Items ItemsOf(const Heard& heard) {
    const std::vector<char> telling = TellingItems(heard);
    Items items{heard.sound.prints.data(), std::vector<std::uint32_t>(telling.size()),
                static_cast<int>(telling.size())};
    for (size_t i = 0; i < telling.size(); ++i) items.far[i] = telling[i] ? 0 : 64;
    return items;
}

bool Match(const Items& a, const Items& b, int i, int j) {
    return BitsSet(a.prints[i] ^ b.prints[j]) + a.far[i] + b.far[j] <= kItemBitsApart;
}

// How many items match at `offset` (item of the second = item of the
// first + offset), anywhere: no run there has more.
int MatchesAt(const Items& a, const Items& b, int offset) {
    int matches = 0;
    for (int i = std::max(0, -offset); i < std::min(a.count, b.count - offset); ++i)
        matches += Match(a, b, i, i + offset);
    return matches;
}

// The run of matching items at `offset` with the most matches, if it has
// more than `best` and enough of the items it spans match.
Run BestRunAt(const Items& a, const Items& b, int offset, const Run& best) {
    Run bestHere = best, run{0, 0, -kItemGap - 1, offset};
    const auto close = [&] {
        const int span = run.last - run.first + 1;
        if (run.matched > bestHere.matched && run.matched >= kMatchedShare * span) bestHere = run;
    };
    for (int i = std::max(0, -offset); i < std::min(a.count, b.count - offset); ++i) {
        if (!Match(a, b, i, i + offset)) continue;
        if (i - run.last > kItemGap) {
            close();
            run = {0, i, i, offset};
        }
        ++run.matched;
        run.last = i;
    }
    close();
    return bestHere;
}

// The run of matching items with the most matches, at any offset: offsets
// with the most matches first, until none has more than the best run.
Run LongestMatchingRun(const Heard& heardA, const Heard& heardB) {
    const Items a = ItemsOf(heardA), b = ItemsOf(heardB);
    std::vector<std::pair<int, int>> offsets;  // matches, offset
    for (int offset = -(a.count - 1); offset < b.count; ++offset)
        if (const int matches = MatchesAt(a, b, offset); matches > 0) offsets.push_back({matches, offset});
    std::sort(offsets.begin(), offsets.end(), std::greater<>());
    Run best;
    for (const auto& [matches, offset] : offsets) {
        if (matches <= best.matched) break;
        best = BestRunAt(a, b, offset, best);
    }
    return best;
}

// How much louder the first's bands are than the second's at `shift`, over
// frames `from` to `to`: the median difference of bands loud in both (two
// releases of an episode may differ in level).
int LevelDifference(const Heard& a, const Heard& b, long from, long to, long shift) {
    std::array<int, 511> counts{};  // of each difference, from -255 on
    int total = 0;
    const long end =
        std::min({to, static_cast<long>(a.sound.bands.size()), static_cast<long>(b.sound.bands.size()) - shift});
    for (long k = std::max({from, -shift, 0L}); k < end; k += 2)
        for (size_t i = 0; i < a.sound.bands[k].size(); ++i)
            if (const int x = a.sound.bands[k][i], y = b.sound.bands[k + shift][i]; x >= kLoudBand && y >= kLoudBand) {
                ++counts[x - y + 255];
                ++total;
            }
    for (int difference = 0, below = 0; difference < 511; below += counts[difference++])
        if (2 * (below + counts[difference]) > total) return difference - 255;
    return 0;
}

struct Alignment {
    long shift = 0;  // band frame of the second = frame of the first + shift
    int louder = 0;  // how much louder the first is
};

// The band shift (within a quarter second of the items' offset), and the
// level difference there, at which frames `from` to `to` of the first match
// the second best.
Alignment BestAlignment(const Heard& a, const Heard& b, long from, long to, long roughShift) {
    const long countA = static_cast<long>(a.sound.bands.size()), countB = static_cast<long>(b.sound.bands.size());
    Alignment best{roughShift, 0};
    double bestCost = 1e18;
    for (long shift = roughShift - 12; shift <= roughShift + 12; ++shift) {
        const int louder = LevelDifference(a, b, from, to, shift);
        double cost = 0;
        long counted = 0;
        for (long k = std::max(from, -shift); k < std::min({to, countA, countB - shift}); k += 2)
            if (a.lively[k]) {
                cost += BandsApart(a.sound.bands[k], b.sound.bands[k + shift], louder);
                ++counted;
            }
        if (counted > 0 && cost / counted < bestCost) {
            bestCost = cost / counted;
            best = {shift, louder};
        }
    }
    return best;
}

// The bands' distance of each frame k of the first and k + shift of the second.
Frames FrameDistances(const Heard& a, const Heard& b, Alignment aligned) {
    const auto [shift, louder] = aligned;
    const long countA = static_cast<long>(a.sound.bands.size()), countB = static_cast<long>(b.sound.bands.size());
    Frames distances(countA, kNoFrame);
    for (long k = std::max(0L, -shift); k < std::min(countA, countB - shift); ++k)
        distances[k] = a.lively[k] || b.lively[k + shift]
                           ? BandsApart(a.sound.bands[k], b.sound.bands[k + shift], louder)
                           : kQuiet;
    return distances;
}

int At(const Frames& distances, long k) {
    return k < 0 || k >= static_cast<long>(distances.size()) ? kNoFrame : distances[k];
}

// Smoothed over a few frames, so one frame of a codec's noise decides nothing.
double Smoothed(const Frames& distances, long k) {
    int sum = 0, count = 0;
    for (long n = k - kSmoothing; n <= k + kSmoothing; ++n)
        if (const int d = At(distances, n); d >= 0) {
            sum += d;
            ++count;
        }
    return count ? static_cast<double>(sum) / count : 0;
}

// The median distance of the lively frames from `from` up to `to`.
double MedianDistance(const Frames& distances, long from, long to) {
    std::vector<int> lively;
    for (long k = from; k < to; ++k)
        if (const int d = At(distances, k); d >= 0) lively.push_back(d);
    if (lively.empty()) return 0;
    std::nth_element(lively.begin(), lively.begin() + lively.size() / 2, lively.end());
    return lively[lively.size() / 2];
}

// From `middle` outwards by `step` (-1 or +1): the last lively frame before
// the bands stay apart for a while, or before either stretch ends. After
// other sound, or a while of quiet, the shared sound must be lively for a
// moment again to count: a click where both stop is no shared sound.
long EdgeFrom(const Frames& distances, double bandStep, long middle, int step, double apart) {
    const long diverged = std::lround(kDivergedSeconds / bandStep), settled = std::lround(kSettledSeconds / bandStep);
    long edge = middle, apartFor = 0, quietFor = 0, sameFor = settled;
    for (long k = middle; At(distances, k) != kNoFrame; k += step) {
        if (At(distances, k) == kQuiet) {
            if (++quietFor >= diverged) sameFor = 0;
            continue;
        }
        quietFor = 0;
        if (Smoothed(distances, k) > apart) {
            sameFor = 0;
            if (++apartFor >= diverged) return edge;
            continue;
        }
        apartFor = 0;
        if (++sameFor >= settled) edge = k;
    }
    return edge;
}

}  // namespace

std::optional<SharedStretch> FindSharedStretch(const HeardStretch& first, const HeardStretch& second, double shortest) {
    if (first.Empty() || second.Empty() || first.printStep <= 0 || second.printStep != first.printStep ||
        first.bandStep <= 0 || second.bandStep != first.bandStep)
        return std::nullopt;
    const Heard a = Hear(first), b = Hear(second);
    // Prints: which sound the two share, and roughly where.
    const Run run = LongestMatchingRun(a, b);
    if (run.matched * first.printStep < shortest * kMatchedShare) return std::nullopt;
    // Bands: the exact shift, and where the bands part at either end.
    const double step = first.bandStep;
    const long from = std::lround(run.first * first.printStep / step);
    const long to = std::lround((run.last * first.printStep + kItemSpan) / step);
    const long quarter = (to - from) / 4, middle = (from + to) / 2;
    const Alignment aligned =
        BestAlignment(a, b, from + quarter, to - quarter, std::lround(run.offset * first.printStep / step));
    const Frames distances = FrameDistances(a, b, aligned);
    const double same = MedianDistance(distances, from + quarter, to - quarter);
    if (same > kSameAtMost) return std::nullopt;
    const double apart = std::max(same * kApartTimes, same + kApartAbove);
    const long start = EdgeFrom(distances, step, middle, -1, apart), end = EdgeFrom(distances, step, middle, +1, apart);
    const Stretch inFirst{first.startSeconds + start * step, first.startSeconds + (end + 1) * step};
    if (inFirst.Length() < shortest - kLengthSlack) return std::nullopt;
    const double toSecond = second.startSeconds + aligned.shift * step - first.startSeconds;
    return SharedStretch{inFirst, {inFirst.start + toSecond, inFirst.end + toSecond}};
}

PairParts FindSharedParts(const HeardEpisode& first, const HeardEpisode& second) {
    PairParts parts;
    const auto opening = FindSharedStretch(first.head, second.head, kShortestOpening);
    // The whole head shared: the same episode twice, with no opening of its own.
    const double headHeard = std::min(first.head.seconds, second.head.seconds);
    if (opening && opening->inFirst.Length() >= kWholeHead * headHeard) return parts;
    if (opening) {
        parts.first.opening = opening->inFirst;
        parts.second.opening = opening->inSecond;
    }
    const auto credits = FindSharedStretch(first.tail, second.tail, kShortestCredits);
    const bool reachesEnds = credits && first.duration - credits->inFirst.end <= kCreditsReachEnd &&
                             second.duration - credits->inSecond.end <= kCreditsReachEnd;
    if (reachesEnds) {
        parts.first.credits = credits->inFirst;
        parts.second.credits = credits->inSecond;
    }
    return parts;
}

}  // namespace ruvo
