#include "playback/SharedParts.h"

#include <algorithm>
#include <optional>
#include <bit>
#include <cmath>
#include <cstdlib>
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
// The loudest band must reach this (60 dB below full scale) for a moment to
// say anything: silence matches silence everywhere.
constexpr int kLoudBand = 90;
// Bands stay apart this long (0.4 s) where the shared sound has ended.
constexpr double kDivergedSeconds = 0.4;
// Band frames each side a frame's distance is smoothed over.
constexpr int kSmoothing = 3;

struct Run {
    int matched = 0;
    int first = 0;  // item of the first stretch
    int last = 0;
    int offset = 0;  // item of the second = item of the first + offset
};

int BandsApart(const SoundBands& a, const SoundBands& b) {
    int sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += std::abs(int{a[i]} - int{b[i]});
    return sum / static_cast<int>(a.size());
}

int Loudest(const SoundBands& bands) { return *std::max_element(bands.begin(), bands.end()); }

// Whether each item describes sound that can be recognised: loud enough
// somewhere in its span, and not the same as its neighbour (an unchanging
// sound gives the same item again and again).
std::vector<bool> TellingItems(const HeardStretch& stretch) {
    const size_t count = stretch.prints.size();
    std::vector<bool> telling(count, false);
    const int framesPerItem = stretch.bandStep > 0 ? static_cast<int>(kItemSpan / stretch.bandStep) : 0;
    for (size_t i = 0; i < count; ++i) {
        const bool sameAsBefore = i > 0 && stretch.prints[i] == stretch.prints[i - 1];
        const bool sameAsAfter = i + 1 < count && stretch.prints[i] == stretch.prints[i + 1];
        if (sameAsBefore || sameAsAfter) continue;
        const size_t from = stretch.bandStep > 0 ? static_cast<size_t>(i * stretch.printStep / stretch.bandStep) : 0;
        bool loud = framesPerItem == 0;
        for (size_t k = from; k < std::min(stretch.bands.size(), from + framesPerItem) && !loud; ++k)
            loud = Loudest(stretch.bands[k]) >= kLoudBand;
        telling[i] = loud;
    }
    return telling;
}

// The run of matching items with the most matches, at any offset.
Run LongestMatchingRun(const HeardStretch& a, const HeardStretch& b) {
    const std::vector<bool> tellingA = TellingItems(a), tellingB = TellingItems(b);
    const int na = static_cast<int>(a.prints.size()), nb = static_cast<int>(b.prints.size());
    Run best;
    for (int offset = -(na - 1); offset < nb; ++offset) {
        Run run{0, 0, -kItemGap - 1, offset};
        auto close = [&] {
            const int span = run.last - run.first + 1;
            if (run.matched > best.matched && run.matched >= kMatchedShare * span) best = run;
        };
        for (int i = std::max(0, -offset); i < std::min(na, nb - offset); ++i) {
            const int j = i + offset;
            if (!tellingA[i] || !tellingB[j] || std::popcount(a.prints[i] ^ b.prints[j]) > kItemBitsApart) continue;
            if (i - run.last > kItemGap) {
                close();
                run = {0, i, i, offset};
            }
            ++run.matched;
            run.last = i;
        }
        close();
    }
    return best;
}

// Distance of the bands of the first at frame k and of the second at k + shift,
// or -1 where either has none.
int FrameDistance(const HeardStretch& a, const HeardStretch& b, long k, long shift) {
    const long j = k + shift;
    if (k < 0 || j < 0 || k >= static_cast<long>(a.bands.size()) || j >= static_cast<long>(b.bands.size())) return -1;
    return BandsApart(a.bands[k], b.bands[j]);
}

// Smoothed over a few frames, so one frame of a codec's noise decides nothing.
double Smoothed(const HeardStretch& a, const HeardStretch& b, long k, long shift) {
    int sum = 0, count = 0;
    for (long n = k - kSmoothing; n <= k + kSmoothing; ++n)
        if (const int d = FrameDistance(a, b, n, shift); d >= 0) {
            sum += d;
            ++count;
        }
    return count ? static_cast<double>(sum) / count : -1;
}

// The band shift (within a few frames of the items' offset) at which the
// middle of the shared stretch matches best.
long BestShift(const HeardStretch& a, const HeardStretch& b, long from, long to, long roughShift) {
    long best = roughShift;
    double bestCost = 1e18;
    for (long shift = roughShift - 12; shift <= roughShift + 12; ++shift) {
        double cost = 0;
        long counted = 0;
        for (long k = from; k < to; k += 2)
            if (const int d = FrameDistance(a, b, k, shift); d >= 0) {
                cost += d;
                ++counted;
            }
        if (counted > 0 && cost / counted < bestCost) {
            bestCost = cost / counted;
            best = shift;
        }
    }
    return best;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// The bands' distance in the sound just beyond an edge (0.3 to 1.3 s past
// where the bands first stay apart), or nothing where there is too little
// of it. Just beyond: further on, the other sound may grow quiet in both.
std::optional<double> BeyondLevel(const HeardStretch& a, const HeardStretch& b, long shift, long edge, int step) {
    const long near = std::lround(0.3 / a.bandStep), far = std::lround(1.3 / a.bandStep);
    std::vector<double> beyond;
    for (long k = edge + step * near; k != edge + step * far; k += step)
        if (const int d = FrameDistance(a, b, k, shift); d >= 0) beyond.push_back(d);
    if (beyond.size() < static_cast<size_t>((far - near) / 2)) return std::nullopt;
    return Median(beyond);
}

// Where, within 2 s of `rough`, the frames best split into the shared sound
// (at the `same` distance) and the sound beyond (at `beyond`): a codec smears
// each edge, so the first frames of the shared sound sit between the two
// levels, and a threshold would place the edge by how loud they happen to be.
long SplitBetween(const HeardStretch& a, const HeardStretch& b, long shift, long rough, long middle, int step,
                  double same, double beyond) {
    const long reach = std::lround(2.0 / a.bandStep);
    const long outer = rough + step * reach, inner = step < 0 ? std::min(rough - step * reach, middle)
                                                             : std::max(rough - step * reach, middle);
    const long lo = std::min(outer, inner), hi = std::max(outer, inner);
    // cost(k): frames on the outer side of k at `beyond`, from k inwards at `same`.
    std::vector<double> outerCost, innerCost;
    for (long k = lo; k <= hi; ++k) {
        const int d = FrameDistance(a, b, k, shift);
        outerCost.push_back(d < 0 ? 0 : std::fabs(d - beyond));
        innerCost.push_back(d < 0 ? 0 : std::fabs(d - same));
    }
    const long count = hi - lo + 1;
    // Prefix sums from the outer end.
    std::vector<double> outerSum(count + 1, 0), innerSum(count + 1, 0);
    for (long i = 0; i < count; ++i) {
        const long j = step < 0 ? i : count - 1 - i;  // i-th frame from the outer end
        outerSum[i + 1] = outerSum[i] + outerCost[j];
        innerSum[i + 1] = innerSum[i] + innerCost[j];
    }
    long best = 0;
    double bestCost = 1e18;
    for (long i = 0; i <= count; ++i) {  // i frames beyond the edge
        const double cost = outerSum[i] + (innerSum[count] - innerSum[i]);
        if (cost < bestCost) {
            bestCost = cost;
            best = i;
        }
    }
    const long firstShared = step < 0 ? lo + best : hi - best;
    return std::clamp(firstShared, lo, hi);
}

// From `middle` outwards by `step` (-1 or +1): the last frame before the
// bands stay apart for a while, or the last frame both have.
long EdgeFrom(const HeardStretch& a, const HeardStretch& b, long middle, long shift, int step, double apart) {
    const long diverged = static_cast<long>(kDivergedSeconds / a.bandStep);
    long edge = middle, apartFor = 0;
    for (long k = middle;; k += step) {
        const double d = Smoothed(a, b, k, shift);
        if (FrameDistance(a, b, k, shift) < 0) return edge;
        if (d > apart) {
            if (++apartFor >= diverged) return edge;
        } else {
            apartFor = 0;
            edge = k;
        }
    }
}

}  // namespace

std::optional<SharedStretch> FindSharedStretch(const HeardStretch& a, const HeardStretch& b, double shortest) {
    if (a.Empty() || b.Empty() || a.printStep <= 0 || b.printStep != a.printStep || a.bandStep <= 0 ||
        b.bandStep != a.bandStep)
        return std::nullopt;
    const Run run = LongestMatchingRun(a, b);
    if (run.matched * a.printStep < shortest * kMatchedShare) return std::nullopt;
    // The items' stretch, in band frames of the first, and the rough shift.
    const double step = a.bandStep;
    const long from = std::lround(run.first * a.printStep / step);
    const long to = std::lround((run.last * a.printStep + kItemSpan) / step);
    const long rough = std::lround(run.offset * a.printStep / step);
    const long quarter = (to - from) / 4;
    const long shift = BestShift(a, b, from + quarter, to - quarter, rough);
    // How far apart the same sound's bands lie here, and so where they part.
    std::vector<double> inside;
    for (long k = from + quarter; k < to - quarter; ++k)
        if (const int d = FrameDistance(a, b, k, shift); d >= 0) inside.push_back(d);
    const double same = Median(inside);
    const long middle = (from + to) / 2;
    const double apart = std::max(same * 2.5, same + 10);
    long first = EdgeFrom(a, b, middle, shift, -1, apart), last = EdgeFrom(a, b, middle, shift, +1, apart);
    // Where the sound beyond an edge is clearly other sound, the edge is
    // placed between the two levels.
    if (const auto beyond = BeyondLevel(a, b, shift, first, -1); beyond && *beyond > apart)
        first = SplitBetween(a, b, shift, first, middle, -1, same, *beyond);
    if (const auto beyond = BeyondLevel(a, b, shift, last, +1); beyond && *beyond > apart)
        last = SplitBetween(a, b, shift, last, middle, +1, same, *beyond);
    const Stretch inFirst{a.startSeconds + first * step, a.startSeconds + (last + 1) * step};
    if (inFirst.Length() < shortest) return std::nullopt;
    const double toSecond = b.startSeconds + shift * step - a.startSeconds;
    return SharedStretch{inFirst, {inFirst.start + toSecond, inFirst.end + toSecond}};
}

PairParts FindSharedParts(const HeardEpisode& first, const HeardEpisode& second) {
    PairParts parts;
    const auto opening = FindSharedStretch(first.head, second.head, kShortestOpening);
    // The whole head shared: the same episode twice, with no opening of its own.
    const double headHeard = std::min(first.head.seconds, second.head.seconds);
    if (opening && opening->inFirst.Length() >= 0.9 * headHeard) return parts;
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
