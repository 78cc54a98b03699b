// How well and at what cost openings and credits are found by listening:
// pairs of episodes made by demo/make-series-episode.sh (the demo series'
// own four, and others with cold opens, openings, credits and bit rates of
// other lengths), served over loopback with ranges, heard by the program's
// FfmpegListening and compared by FindSharedParts.
//  - accuracy: every found edge against where the generator put it;
//  - no false finds: pairs that share nothing (another series' tune, films,
//    noise, silence, a tone), and the same episode twice or re-encoded;
//  - cost: the process's CPU time to hear a pair and compare it, against
//    the ffmpeg command line decoding the same stretches of sound in the
//    same run; and FindSharedParts alone on two 10-minute heads.
// The tables of each pair go to the error output, one summary row a figure
// to the standard output (bench/run.sh keeps that one). The media is made
// once into the build folder and kept.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "SkipListening.h"
#include "SkipMedia.h"
#include "playback/SharedParts.h"

namespace {

using namespace ruvo;
using bench::EpisodeRecipe;
using bench::MediaFile;

struct Pair {
    MediaFile first;
    MediaFile second;
    std::string what;
};

// An episode of the demo series' kind (or another series'), its content
// long enough that the head heard (a quarter of the episode) holds the
// opening and 20 s after it.
MediaFile Ep(int cold, int opening, int credits, int seed, const std::string& bitrate = "64k", bool other = false) {
    const int before = cold + opening + 20;
    const int content = std::max(120, (4 * before - cold - opening - credits + 9) / 10 * 10) + 10 * (seed % 5);
    return bench::Episode(EpisodeRecipe{{cold, opening, content, credits, seed}, bitrate, other});
}

MediaFile Demo(int episode) { return bench::CatalogEpisode(40, episode); }

// Two 40-minute episodes: 10-minute heads, 5-minute tails.
constexpr const char* kLongPair = "40-minute episodes";
MediaFile LongEpisode(int cold, int seed) {
    return bench::Episode(EpisodeRecipe{{cold, 90, 2400 - cold - 90 - 60, 60, seed}});
}

std::vector<Pair> AccuracyPairs() {
    int seed = 20;
    auto ep = [&](int cold, int opening, int credits, const std::string& bitrate = "64k") {
        return Ep(cold, opening, credits, seed++, bitrate);
    };
    std::vector<Pair> pairs{
        {Demo(1), Demo(2), "demo e1-e2"}, {Demo(2), Demo(3), "demo e2-e3"},
        {Demo(3), Demo(4), "demo e3-e4"}, {Demo(1), Demo(4), "demo e1-e4"},
    };
    for (auto [a, b] : {std::pair{0, 90}, {10, 35}, {75, 5}, {50, 50}})
        pairs.push_back({ep(a, 36, 24), ep(b, 36, 24), "cold opens " + std::to_string(a) + "/" + std::to_string(b) + " s"});
    for (auto [opening, a, b] : {std::tuple{20, 0, 30}, {45, 15, 60}, {60, 40, 0}, {90, 20, 90}})
        pairs.push_back({ep(a, opening, 24), ep(b, opening, 24), "opening " + std::to_string(opening) + " s"});
    for (auto [credits, a, b] : {std::tuple{10, 0, 20}, {30, 5, 40}, {45, 30, 10}, {60, 60, 0}})
        pairs.push_back({ep(a, 36, credits), ep(b, 36, credits), "credits " + std::to_string(credits) + " s"});
    for (auto [first, second] : {std::pair{"32k", "32k"}, {"64k", "64k"}, {"128k", "128k"}, {"32k", "128k"}})
        pairs.push_back({ep(15, 36, 24, first), ep(40, 36, 24, second), std::string("audio ") + first + "/" + second});
    pairs.push_back({LongEpisode(90, 236), LongEpisode(30, 243), kLongPair});
    return pairs;
}

std::vector<Pair> UnrelatedPairs() {
    auto other = [](int cold, int seed, const std::string& bitrate = "64k") { return Ep(cold, 36, 24, seed, bitrate, true); };
    const MediaFile demoFilm = bench::CatalogEpisode(44, 1);
    const MediaFile longFilm = bench::Film(600, 100), shortFilm = bench::Film(240, 101);
    const MediaFile pink = bench::Sound("pink", 200), white = bench::Sound("white", 300, 2);
    const MediaFile silence = bench::Sound("silence", 200), longSilence = bench::Sound("silence", 300);
    return {
        {Demo(1), other(0, 110), "another series' tune"},
        {Demo(2), other(20, 111), "another series' tune"},
        {Demo(3), other(45, 112), "another series' tune"},
        {Demo(4), other(60, 113), "another series' tune"},
        {Ep(10, 45, 30, 114), Ep(30, 45, 30, 115, "64k", true), "another series, the same lengths"},
        {demoFilm, Demo(1), "the demo film and an episode"},
        {demoFilm, Demo(3), "the demo film and an episode"},
        {longFilm, Demo(2), "a film and an episode"},
        {shortFilm, other(0, 116), "a film and another series' episode"},
        {demoFilm, longFilm, "two films"},
        {demoFilm, shortFilm, "two films"},
        {longFilm, shortFilm, "two films"},
        {pink, Demo(1), "pink noise and an episode"},
        {white, other(20, 111), "white noise and an episode"},
        {pink, white, "two noises"},
        {silence, Demo(2), "silence and an episode"},
        {silence, longSilence, "two silences"},
        {bench::Sound("tone", 200), Demo(4), "a steady tone and an episode"},
        {bench::Episode(EpisodeRecipe{{10, 36, 150, 0, 117}}), bench::Episode(EpisodeRecipe{{0, 0, 160, 24, 118}}),
         "an opening without credits, credits without opening"},
        {other(15, 119, "32k"), Ep(40, 36, 24, 120, "128k"), "another series, 32k and 128k"},
    };
}

std::vector<Pair> SamePairs() {
    return {
        {Demo(1), Demo(1), "the same episode twice"},
        {Demo(1), bench::ReEncoded(Demo(1), "128k"), "re-encoded at 128k"},
        {Demo(1), bench::ReEncoded(Demo(1), "32k"), "re-encoded at 32k"},
    };
}

// Each file heard once, with its cost and the reference's.
class Ears {
public:
    explicit Ears(const bench::PortalProcess& portal) : portal_(portal) {}

    struct Heard {
        std::optional<HeardEpisode> episode;
        double cpuSeconds = 0;
        bench::Decoding decoding;  // ffmpeg's command line, the same stretches
    };
    const Heard& Of(const MediaFile& file) {
        auto [it, isNew] = heard_.try_emplace(file.name);
        Heard& heard = it->second;
        if (!isNew) return heard;
        const std::string address = portal_.Address(file.name);
        bench::Hearing hearing = bench::Hear(listening_, address);
        heard.episode.swap(hearing.heard);
        heard.cpuSeconds = hearing.cpuSeconds;
        if (heard.episode) heard.decoding = bench::DecodingCpu(address, heard.episode->duration);
        return heard;
    }

private:
    const bench::PortalProcess& portal_;
    FfmpegListening listening_{[](std::function<void()> call) { call(); }};
    std::map<std::string, Heard> heard_;
};

struct Compared {
    bool heard = false;
    PairParts parts;
    double cpuSeconds = 0;  // hearing both and comparing
    double decodingCpuSeconds = -1;
    double decodingStartCpuSeconds = 0;  // of which the command line's start-up
    double findMs = 0;
};

Compared Compare(Ears& ears, const Pair& pair) {
    const auto& first = ears.Of(pair.first);
    const auto& second = ears.Of(pair.second);
    Compared compared;
    if (!first.episode || !second.episode) return compared;
    compared.heard = true;
    const double before = bench::ThreadCpuSeconds();
    compared.parts = FindSharedParts(*first.episode, *second.episode);
    const double find = bench::ThreadCpuSeconds() - before;
    compared.findMs = find * 1000;
    compared.cpuSeconds = first.cpuSeconds + second.cpuSeconds + find;
    if (first.decoding.cpuSeconds >= 0 && second.decoding.cpuSeconds >= 0) {
        compared.decodingCpuSeconds = first.decoding.cpuSeconds + second.decoding.cpuSeconds;
        compared.decodingStartCpuSeconds = first.decoding.startCpuSeconds + second.decoding.startCpuSeconds;
    }
    return compared;
}

std::string Shown(const std::optional<Stretch>& found) {
    if (!found) return "none";
    char text[48];
    std::snprintf(text, sizeof text, "%.2f-%.2f", found->start, found->end);
    return text;
}

// The edges found against the truth: the largest error, and how many were missed.
struct Edges {
    double largest = 0;
    int checked = 0;
    int missed = 0;
    std::vector<double> errors;

    void Check(const std::optional<Stretch>& found, double start, double end) {
        checked += 2;
        if (!found) {
            missed += 2;
            return;
        }
        for (double error : {found->start - start, found->end - end}) {
            errors.push_back(std::fabs(error));
            largest = std::max(largest, std::fabs(error));
        }
    }
    void Check(const EpisodeParts& found, const demo::EpisodeParts& truth) {
        Check(found.opening, truth.OpeningStart(), truth.OpeningEnd());
        Check(found.credits, truth.CreditsStart(), truth.Seconds());
    }
};

std::string Truth(const demo::EpisodeParts& p) {
    char text[64];
    std::snprintf(text, sizeof text, "%d-%d, %d-%d", p.OpeningStart(), p.OpeningEnd(), p.CreditsStart(), p.Seconds());
    return text;
}

struct Costs {
    double cpu = 0, decoding = 0, decodingStart = 0;
    int pairs = 0;
    void Add(const Compared& c) {
        if (!c.heard || c.decodingCpuSeconds < 0) return;
        cpu += c.cpuSeconds;
        decoding += c.decodingCpuSeconds;
        decodingStart += c.decodingStartCpuSeconds;
        ++pairs;
    }
    double Ratio() const { return decoding > 0 ? cpu / decoding : 0; }
    // Against the decoding alone, the command line's start-up taken off.
    double RatioToDecoding() const { return decoding > decodingStart ? cpu / (decoding - decodingStart) : 0; }
    double MeanCpu() const { return pairs ? cpu / pairs : 0; }
    double MeanDecoding() const { return pairs ? decoding / pairs : 0; }
    double MeanDecodingStart() const { return pairs ? decodingStart / pairs : 0; }
};

struct AccuracyResult {
    Edges all, openings;
    int pairs = 0, unheard = 0;
    std::string missedIn;  // the pairs with edges not found
    Costs costs, demoCosts, longCosts;
};

AccuracyResult MeasureAccuracy(Ears& ears, const std::vector<Pair>& pairs) {
    std::fprintf(stderr, "\n| pair | first: opening, credits found (made) | second: opening, credits found (made) "
                         "| largest error | CPU: hearing both + finding (finding alone) | ffmpeg decoding both (its start-up) |\n"
                         "|---|---|---|---|---|---|\n");
    AccuracyResult result;
    for (const Pair& pair : pairs) {
        const Compared c = Compare(ears, pair);
        if (!c.heard) {
            std::fprintf(stderr, "| %s | not heard | | | | |\n", pair.what.c_str());
            ++result.unheard;
            continue;
        }
        Edges edges;
        auto check = [&](const EpisodeParts& found, const demo::EpisodeParts& truth) {
            edges.Check(found, truth);
            result.all.Check(found, truth);
            result.openings.Check(found.opening, truth.OpeningStart(), truth.OpeningEnd());
        };
        check(c.parts.first, *pair.first.parts);
        check(c.parts.second, *pair.second.parts);
        const std::string missed = edges.missed ? ", " + std::to_string(edges.missed) + " edges not found" : "";
        if (edges.missed) result.missedIn += (result.missedIn.empty() ? "" : ", ") + pair.what;
        ++result.pairs;
        result.costs.Add(c);
        if (pair.what.starts_with("demo")) result.demoCosts.Add(c);
        if (pair.what == kLongPair) result.longCosts.Add(c);
        std::fprintf(stderr, "| %s | %s, %s (%s) | %s, %s (%s) | %.2f s%s | %.3f s (%.1f ms) | %.3f s (%.3f s) |\n", pair.what.c_str(),
                     Shown(c.parts.first.opening).c_str(), Shown(c.parts.first.credits).c_str(),
                     Truth(*pair.first.parts).c_str(), Shown(c.parts.second.opening).c_str(),
                     Shown(c.parts.second.credits).c_str(), Truth(*pair.second.parts).c_str(), edges.largest,
                     missed.c_str(), c.cpuSeconds,
                     c.findMs, c.decodingCpuSeconds, c.decodingStartCpuSeconds);
    }
    return result;
}

// Pairs that share nothing, or everything: what each gave.
int CountFinds(Ears& ears, const std::vector<Pair>& pairs, const char* title) {
    std::fprintf(stderr, "\n| %s | first | second | first: opening, credits | second: opening, credits |\n"
                         "|---|---|---|---|---|\n", title);
    int finds = 0;
    for (const Pair& pair : pairs) {
        const Compared c = Compare(ears, pair);
        if (!c.heard) {
            std::fprintf(stderr, "| %s | %s | %s | not heard | |\n", pair.what.c_str(), pair.first.what.c_str(),
                         pair.second.what.c_str());
            continue;
        }
        const bool found = c.parts.first.opening || c.parts.first.credits || c.parts.second.opening || c.parts.second.credits;
        finds += found ? 1 : 0;
        std::fprintf(stderr, "| %s | %s | %s | %s, %s | %s, %s |\n", pair.what.c_str(), pair.first.what.c_str(),
                     pair.second.what.c_str(), Shown(c.parts.first.opening).c_str(), Shown(c.parts.first.credits).c_str(),
                     Shown(c.parts.second.opening).c_str(), Shown(c.parts.second.credits).c_str());
    }
    return finds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// FindSharedParts alone on the two 40-minute episodes, as heard and with
// their heads only; the median CPU time of 5 runs each, in ms.
struct FindCost {
    double withTails = 0, headsOnly = 0, decoding = 0, headSeconds = 0;  // decoding: start-up taken off
};
FindCost MeasureFinding(Ears& ears, const Pair& longPair) {
    const auto& first = ears.Of(longPair.first);
    const auto& second = ears.Of(longPair.second);
    if (!first.episode || !second.episode) return {};
    auto time = [](const HeardEpisode& a, const HeardEpisode& b) {
        std::vector<double> ms;
        for (int run = 0; run < 5; ++run) {
            const double before = bench::ThreadCpuSeconds();
            volatile bool found = FindSharedParts(a, b).first.opening.has_value();
            (void)found;
            ms.push_back((bench::ThreadCpuSeconds() - before) * 1000);
        }
        return Median(ms);
    };
    HeardEpisode a = *first.episode, b = *second.episode;
    const double decoding = first.decoding.cpuSeconds + second.decoding.cpuSeconds -
                            first.decoding.startCpuSeconds - second.decoding.startCpuSeconds;
    FindCost cost{time(a, b), 0, decoding, a.head.seconds};
    a.tail = b.tail = HeardStretch{};
    cost.headsOnly = time(a, b);
    return cost;
}

std::vector<MediaFile> FilesOf(const std::vector<std::vector<Pair>>& lists) {
    std::vector<MediaFile> files;
    for (const auto& pairs : lists)
        for (const Pair& pair : pairs) files.insert(files.end(), {pair.first, pair.second});
    return files;
}

void PrintAccuracy(const AccuracyResult& accuracy) {
    const int found = accuracy.all.checked - accuracy.all.missed;
    const std::string missing = accuracy.missedIn.empty() ? "" : ", the rest missing in: " + accuracy.missedIn;
    const std::string unheard = accuracy.unheard ? "; " + std::to_string(accuracy.unheard) + " pairs not heard" : "";
    std::printf("| openings and credits: every edge found on pairs of generated episodes (demo series' pairs 1-2, 2-3, "
                "3-4, 1-4; cold opens 0-90 s, openings 20-90 s, credits 10-60 s, audio 32k-128k and mixed, 40-minute "
                "episodes; bench_skip_accuracy) | every edge found within %.2f s of the truth (%d pairs; %d of %d edges "
                "found%s%s; median error %.2f s; openings within %.2f s) | where the generator put them | | |\n",
                accuracy.all.largest, accuracy.pairs, found, accuracy.all.checked, missing.c_str(), unheard.c_str(),
                Median(accuracy.all.errors), accuracy.openings.largest);
}

void PrintFalseFinds(int unrelatedFinds, int unrelatedPairs, int sameFinds, int samePairs) {
    std::printf("| openings and credits: pairs sharing nothing (another series' tune, films, noise, silence, a tone) "
                "that gave an opening or credits | %d of %d pairs | | | |\n",
                unrelatedFinds, unrelatedPairs);
    std::printf("| openings and credits: the same episode twice, and re-encoded at 128k and 32k | something found in %d "
                "of %d pairs | | | |\n",
                sameFinds, samePairs);
}

void PrintCosts(const AccuracyResult& accuracy, const FindCost& finding) {
    const Costs& all = accuracy.costs;
    const Costs& demo = accuracy.demoCosts;
    const Costs& longest = accuracy.longCosts;
    std::printf("| openings and credits: CPU to hear a pair (head and tail of each) and compare it, mean of %d pairs "
                "| %.3f s (the demo series' 3-minute pairs: %.3f s; the 40-minute pair: %.3f s) | ffmpeg command "
                "line decoding the same stretches: %.3f s (%.3f s; %.3f s), of which its start-up %.3f s (%.3f s; "
                "%.3f s) | %.2f x (%.2f x; %.2f x); %.2f x (%.2f x; %.2f x) against the decoding without start-up | |\n",
                all.pairs, all.MeanCpu(), demo.MeanCpu(), longest.MeanCpu(), all.MeanDecoding(), demo.MeanDecoding(),
                longest.MeanDecoding(), all.MeanDecodingStart(), demo.MeanDecodingStart(), longest.MeanDecodingStart(),
                all.Ratio(), demo.Ratio(), longest.Ratio(), all.RatioToDecoding(), demo.RatioToDecoding(),
                longest.RatioToDecoding());
    std::printf("| openings and credits: FindSharedParts alone on two %.0f-s heads and their 5-minute tails (CPU, "
                "median of 5) | %.1f ms (heads alone: %.1f ms) | ffmpeg command line decoding those stretches, "
                "start-up taken off: %.0f ms | %.3f x | |\n",
                finding.headSeconds, finding.withTails, finding.headsOnly, finding.decoding * 1000,
                finding.decoding > 0 ? finding.withTails / (finding.decoding * 1000) : 0.0);
}

}  // namespace

int main() {
    // The portal's process first, while this one has no thread to fork.
    bench::PortalProcess portal(RUVO_SKIP_MEDIA);
    if (!portal.Serving()) {
        std::fprintf(stderr, "the demo portal did not start\n");
        return 1;
    }
    const auto accuracyPairs = AccuracyPairs();
    const auto unrelatedPairs = UnrelatedPairs();
    const auto samePairs = SamePairs();
    for (const auto& name : bench::MakeMissing(RUVO_SKIP_MEDIA, FilesOf({accuracyPairs, unrelatedPairs, samePairs}), 2))
        std::fprintf(stderr, "could not make %s\n", name.c_str());

    Ears ears(portal);
    const AccuracyResult accuracy = MeasureAccuracy(ears, accuracyPairs);
    const int unrelatedFinds = CountFinds(ears, unrelatedPairs, "sharing nothing");
    const int sameFinds = CountFinds(ears, samePairs, "the same episode");
    const FindCost finding = MeasureFinding(ears, accuracyPairs.back());
    std::fprintf(stderr, "\n");
    PrintAccuracy(accuracy);
    PrintFalseFinds(unrelatedFinds, static_cast<int>(unrelatedPairs.size()), sameFinds, static_cast<int>(samePairs.size()));
    PrintCosts(accuracy, finding);
    return accuracy.pairs > 0 ? 0 : 1;
}
