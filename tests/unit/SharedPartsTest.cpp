// The opening and credits two episodes share, on sound made up here: band
// frames from a seeded generator, each episode with its own encoder's noise,
// and prints made from them as Chromaprint makes its own (halves of areas of
// 2.7 s of sound compared), so that prints across an edge differ in part.
#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "playback/SharedParts.h"

namespace ruvo {
namespace {

enum class Kind { Music, Silence, Tone, Noise };
// `seconds` of a sound from `from` seconds into it: a seed makes the same sound in any episode.
struct Piece {
    Kind kind;
    unsigned seed;
    double seconds;
    double from = 0;
};

unsigned Hash(unsigned a, unsigned b, unsigned c) {
    unsigned h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15, h *= 0x2C1B3C6Du, h ^= h >> 12;
    return h;
}

// Music: notes of 0.3 s, each its own spectrum, fading, with a shimmer.
int Level(const Piece& piece, double at, int band) {
    const auto note = static_cast<unsigned>(at / 0.3), moment = static_cast<unsigned>(at / 0.02);
    if (piece.kind == Kind::Music)
        return 90 + Hash(piece.seed, note, band) % 140 - static_cast<int>(60 * (at / 0.3 - note)) +
               Hash(piece.seed, moment, band) % 9;
    if (piece.kind == Kind::Noise) return 60 + Hash(piece.seed, moment, band) % 150;
    return piece.kind == Kind::Tone ? 100 + 5 * band : 0;
}

// A stretch of the pieces from `start` on, heard through encoder `encoding`.
HeardStretch Hear(const std::vector<Piece>& pieces, double start, double seconds, unsigned encoding) {
    HeardStretch heard{start, seconds, {}, 1365 / 11025.0, {}, 0.02};
    for (int k = 0; k * heard.bandStep < seconds; ++k) {
        double at = start + k * heard.bandStep;
        auto piece = pieces.begin();
        for (; at >= piece->seconds && piece + 1 != pieces.end(); ++piece) at -= piece->seconds;
        SoundBands& bands = heard.bands.emplace_back();
        for (int b = 0; b < 16; ++b) {
            const int level = Level(*piece, at + piece->from, b);
            const int noise = level > 0 ? static_cast<int>(Hash(encoding, k, b) % 7) - 3 : 0;
            bands[b] = static_cast<std::uint8_t>(std::clamp(level + noise, 0, 255));
        }
    }
    // Rows of 0.87 s of bands, every print step; an item's 32 bits compare
    // the halves (in time or in band) of 32 areas of its 16 rows.
    const int frames = static_cast<int>(0.87 / heard.bandStep), count = static_cast<int>(heard.bands.size());
    std::vector<std::array<double, 16>> rows;
    for (long r = 0, first = 0; (first = std::lround(r * heard.printStep / heard.bandStep)) + frames <= count; ++r) {
        auto& row = rows.emplace_back();
        for (int f = 0; f < frames; ++f)
            for (int b = 0; b < 16; ++b) row[b] += heard.bands[first + f][b];
    }
    for (size_t i = 0; i + 16 <= rows.size(); ++i) {
        std::uint32_t item = 0;
        for (unsigned c = 0; c < 32; ++c) {
            const int r0 = Hash(c, 1, 0) % 10, r1 = r0 + 2 + Hash(c, 2, 0) % 5;
            const int b0 = Hash(c, 3, 0) % 12, b1 = b0 + 2 + Hash(c, 4, 0) % 3;
            double one = 0, other = 0;
            for (int r = r0; r < r1; ++r)
                for (int b = b0; b < b1; ++b)
                    ((c % 2 ? 2 * r < r0 + r1 : 2 * b < b0 + b1) ? one : other) += rows[i + r][b];
            const int ones = c % 2 ? (r1 - r0 + 1) / 2 * (b1 - b0) : (r1 - r0) * ((b1 - b0 + 1) / 2);
            item |= std::uint32_t{one / ones > 1.02 * other / ((r1 - r0) * (b1 - b0) - ones)} << c;
        }
        heard.prints.push_back(item);
    }
    return heard;
}

HeardEpisode Episode(const std::vector<Piece>& pieces, unsigned encoding) {
    HeardEpisode episode;
    for (const Piece& piece : pieces) episode.duration += piece.seconds;
    const double tail = TailSecondsOf(episode.duration);
    episode.head = Hear(pieces, 0, HeadSecondsOf(episode.duration), encoding);
    episode.tail = Hear(pieces, episode.duration - tail, tail, encoding);
    return episode;
}

// 600 s of a series whose opening and credits are seeds 1 and 2; `from` s of its opening are left out.
HeardEpisode SeriesEpisode(unsigned own, double cold, double opening, double credits, double after, double from = 0) {
    return Episode({{Kind::Music, own, cold}, {Kind::Music, 1, opening - from, from},
                    {Kind::Music, own + 1, 600 - cold - opening + from - credits - after},
                    {Kind::Music, 2, credits}, {Kind::Music, own + 2, after}},
                   own);
}

// Another release: its bands changed, its prints (which hardly heed the level) as they were.
HeardEpisode Released(HeardEpisode episode, const std::function<int(int)>& change) {
    for (HeardStretch* stretch : {&episode.head, &episode.tail})
        for (SoundBands& bands : stretch->bands)
            for (auto& band : bands) band = static_cast<std::uint8_t>(std::clamp(change(band), 0, 255));
    return episode;
}

void ExpectNear(const std::optional<Stretch>& found, double start, double end) {
    ASSERT_TRUE(found.has_value()) << "expected " << start << "-" << end;
    EXPECT_NEAR(found->start, start, 0.5);
    EXPECT_NEAR(found->end, end, 0.5);
}

// `from`: the second's opening lacks its first seconds; `quieter`: the second's bands are lower (30: 11 dB).
TEST(SharedParts, FindsTheOpeningAfterColdOpensOfAnyLength) {
    struct Case { double cold1, cold2, opening, from; int quieter; } cases[] = {
        {0, 0, 16, 0, 0}, {0, 31.7, 36, 0, 30}, {12.34, 60, 90, 0, 0}, {47.9, 3.05, 45.5, 0, 0},
        {60, 0, 20, 0, 0}, {20, 5, 50, 10, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cold1 << " " << c.cold2 << " " << c.opening << " " << c.from);
        const HeardEpisode second = SeriesEpisode(20, c.cold2, c.opening, 30, 0, c.from);
        const PairParts parts = FindSharedParts(SeriesEpisode(10, c.cold1, c.opening, 30, 0),
                                                Released(second, [&](int band) { return band - c.quieter; }));
        ExpectNear(parts.first.opening, c.cold1 + c.from, c.cold1 + c.opening);
        ExpectNear(parts.second.opening, c.cold2, c.cold2 + c.opening - c.from);
    }
}

TEST(SharedParts, FindsCreditsOnlyWhereTheyReachTheEnd) {
    struct Case { double credits, after1, after2; bool found; } cases[] = {
        {30, 0, 0, true}, {12, 6.5, 0, true}, {10, 0, 3, true}, {60, 4, 7.5, true}, {30, 20, 20, false},
        {8, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.credits << " " << c.after1 << " " << c.after2);
        const PairParts parts = FindSharedParts(SeriesEpisode(10, 5, 30, c.credits, c.after1),
                                                SeriesEpisode(20, 9, 30, c.credits, c.after2));
        EXPECT_EQ(parts.first.credits.has_value(), c.found);
        if (!c.found) continue;
        ExpectNear(parts.first.credits, 600 - c.after1 - c.credits, 600 - c.after1);
        ExpectNear(parts.second.credits, 600 - c.after2 - c.credits, 600 - c.after2);
    }
}

// Silence or a steady tone around the opening is nobody's: the opening is its own sound.
TEST(SharedParts, QuietOrSteadySoundNeitherMakesNorExtendsWhatIsShared) {
    for (const Kind filler : {Kind::Silence, Kind::Tone}) {
        const auto episode = [filler](unsigned own, double cold) {
            return Episode({{Kind::Music, own, cold}, {filler, 0, 3}, {Kind::Music, 1, 40}, {filler, 0, 557 - cold}},
                           own);
        };
        const PairParts parts = FindSharedParts(episode(10, 20), episode(20, 44));
        ExpectNear(parts.first.opening, 23, 63);
        ExpectNear(parts.second.opening, 47, 87);
        EXPECT_FALSE(parts.first.credits);
    }
}

TEST(SharedParts, FindsNothingInPairsThatShareNoOpening) {
    const auto only = [](Kind kind, unsigned seed) { return Episode({{kind, seed, 600}}, seed); };
    const HeardEpisode episode = SeriesEpisode(10, 10, 40, 30, 0);
    const std::pair<HeardEpisode, HeardEpisode> pairs[] = {
        {only(Kind::Silence, 1), only(Kind::Silence, 2)},
        {only(Kind::Tone, 1), only(Kind::Tone, 2)},
        {only(Kind::Noise, 1), only(Kind::Noise, 2)},
        {only(Kind::Music, 7), episode},  // a film and an episode
        {SeriesEpisode(10, 10, 12, 30, 0), SeriesEpisode(20, 25, 12, 30, 20)},  // an opening too short
        {episode, Episode({{Kind::Music, 30, 10}, {Kind::Music, 3, 40}, {Kind::Music, 31, 550}}, 30)},  // two series
        // The same episode twice, re-encoded: sharing its whole head, a pair is not two episodes.
        {episode, Released(episode, [](int band) { return band + band % 3 - 1; })},
    };
    for (const auto& [first, second] : pairs) {
        const PairParts parts = FindSharedParts(first, second);
        EXPECT_FALSE(parts.first.opening || parts.second.opening || parts.first.credits || parts.second.credits);
    }
}

RC_GTEST_PROP(SharedParts, FindsOpeningsAndCreditsWhereverTheyLie, ()) {
    const double cold1 = *rc::gen::inRange(0, 600) / 10.0, cold2 = *rc::gen::inRange(0, 600) / 10.0;
    const double opening = *rc::gen::inRange(160, 900) / 10.0, credits = *rc::gen::inRange(110, 900) / 10.0;
    const double after1 = *rc::gen::inRange(0, 70) / 10.0, after2 = *rc::gen::inRange(0, 70) / 10.0;
    const PairParts parts = FindSharedParts(SeriesEpisode(10, cold1, opening, credits, after1),
                                            SeriesEpisode(20, cold2, opening, credits, after2));
    RC_ASSERT(parts.first.opening && parts.second.opening && parts.first.credits && parts.second.credits);
    for (const auto& [found, start, end] : {std::tuple{*parts.first.opening, cold1, cold1 + opening},
                                            {*parts.second.opening, cold2, cold2 + opening},
                                            {*parts.first.credits, 600 - after1 - credits, 600 - after1},
                                            {*parts.second.credits, 600 - after2 - credits, 600 - after2}}) {
        RC_ASSERT(std::abs(found.start - start) <= 0.5);
        RC_ASSERT(std::abs(found.end - end) <= 0.5);
    }
}

}  // namespace
}  // namespace ruvo
