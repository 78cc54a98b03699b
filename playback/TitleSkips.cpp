#include "playback/TitleSkips.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "config/FileSystem.h"
#include "config/TextFile.h"

namespace ruvo {
namespace {

// Two findings within this much of each other at both edges are one place.
constexpr double kSamePlaceSeconds = 1.0;
// Places kept per part of an episode: enough to weigh a dispute, small on disk.
constexpr size_t kCandidatesKept = 3;
constexpr double kLongestEpisode = 1e6;  // seconds; anything larger is garbage
constexpr int kLastEpisode = 100000;
constexpr size_t kFileLimit = 256 * 1024;

bool SamePlace(const Stretch& a, const Stretch& b) {
    return std::fabs(a.start - b.start) <= kSamePlaceSeconds && std::fabs(a.end - b.end) <= kSamePlaceSeconds;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::optional<double> ReadSeconds(std::istringstream& in) {
    std::string word;
    if (!(in >> word)) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0' || !std::isfinite(value) || value < 0 || value > kLongestEpisode)
        return std::nullopt;
    return value;
}

std::optional<int> ReadCount(std::istringstream& in, int highest) {
    const auto value = ReadSeconds(in);
    if (!value || *value != std::floor(*value) || *value > highest) return std::nullopt;
    return static_cast<int>(*value);
}

bool IsSafeName(const std::string& text) {
    if (text.empty() || text.size() > 64) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '-';
    });
}

}  // namespace

void TitleSkips::AddCandidate(Candidates& candidates, const Stretch& found) {
    auto same = std::find_if(candidates.begin(), candidates.end(),
                             [&](const FoundStretch& known) { return SamePlace(known.stretch, found); });
    if (same != candidates.end()) ++same->pairs;
    else candidates.push_back({found, 1});
    // The best supported first; on a tie the earlier finding stays first.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const FoundStretch& a, const FoundStretch& b) { return a.pairs > b.pairs; });
    if (candidates.size() > kCandidatesKept) candidates.resize(kCandidatesKept);
}

std::optional<SkipPart> TitleSkips::Best(const Candidates& candidates) {
    if (candidates.empty()) return std::nullopt;
    // A place another pair disputes as often is shown, but not skipped unasked.
    const bool disputed = candidates.size() > 1 && candidates[1].pairs >= candidates[0].pairs;
    return SkipPart{candidates[0].stretch, !disputed};
}

void TitleSkips::AddFinding(int episode, const EpisodeParts& parts) {
    if (parts.opening) AddCandidate(openings_[episode], *parts.opening);
    if (parts.credits) AddCandidate(credits_[episode], *parts.credits);
}

bool TitleSkips::KnowsEpisode(int episode) const { return openings_.count(episode) || credits_.count(episode); }

void TitleSkips::ClearMarks() {
    openingEndMark_.reset();
    creditsMark_.reset();
}

std::optional<SkipPart> TitleSkips::OpeningOf(int episode) const {
    if (openingEndMark_) return SkipPart{{0, *openingEndMark_}, true};
    const auto found = openings_.find(episode);
    return found == openings_.end() ? std::nullopt : Best(found->second);
}

std::optional<SkipPart> TitleSkips::CreditsOf(int episode, double duration) const {
    if (creditsMark_ && duration > *creditsMark_) return SkipPart{{duration - *creditsMark_, duration}, true};
    const auto found = credits_.find(episode);
    return found == credits_.end() ? std::nullopt : Best(found->second);
}

std::string TitleSkips::Text() const {
    std::string text;
    if (openingEndMark_) text += "mark opening-end " + Number(*openingEndMark_) + "\n";
    if (creditsMark_) text += "mark credits-before-end " + Number(*creditsMark_) + "\n";
    for (const auto& [first, second] : heardPairs_)
        text += "heard " + std::to_string(first) + " " + std::to_string(second) + "\n";
    for (const auto& [kind, parts] : {std::pair{"opening", &openings_}, std::pair{"credits", &credits_}})
        for (const auto& [episode, candidates] : *parts)
            for (const FoundStretch& found : candidates)
                text += std::string(kind) + " " + std::to_string(episode) + " " + Number(found.stretch.start) + " " +
                        Number(found.stretch.end) + " " + std::to_string(found.pairs) + "\n";
    return text;
}

TitleSkips TitleSkips::FromText(const std::string& text) {
    TitleSkips skips;
    for (const std::string& line : SplitLines(text, 10000)) {
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        if (kind == "mark") {
            std::string which;
            in >> which;
            const auto seconds = ReadSeconds(in);
            if (!seconds) continue;
            if (which == "opening-end") skips.openingEndMark_ = seconds;
            else if (which == "credits-before-end") skips.creditsMark_ = seconds;
        } else if (kind == "heard") {
            const auto first = ReadCount(in, kLastEpisode), second = ReadCount(in, kLastEpisode);
            if (first && second) skips.NoteHeard(*first, *second);
        } else if (kind == "opening" || kind == "credits") {
            const auto episode = ReadCount(in, kLastEpisode);
            const auto start = ReadSeconds(in), end = ReadSeconds(in);
            const auto pairs = ReadCount(in, 1000000);
            if (!episode || !start || !end || !pairs || *end <= *start || *pairs < 1) continue;
            Candidates& candidates = kind == "opening" ? skips.openings_[*episode] : skips.credits_[*episode];
            if (candidates.size() < kCandidatesKept) candidates.push_back({{*start, *end}, *pairs});
        }
    }
    return skips;
}

std::optional<std::string> TitleSkipsPath(const std::string& programFolder, const std::string& titleId,
                                          const std::string& source) {
    if (!IsSafeName(titleId) || !IsSafeName(source)) return std::nullopt;
    return JoinPath(JoinPath(programFolder, "skips"), titleId + "-" + source + ".txt");
}

TitleSkips ReadTitleSkips(const std::string& path) {
    const auto text = ReadWholeFile(path, kFileLimit);
    return text ? TitleSkips::FromText(*text) : TitleSkips{};
}

bool WriteTitleSkips(const std::string& path, const TitleSkips& skips) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !MakeFolders(path.substr(0, slash))) return false;
    return ReplaceFileAtomically(path, skips.Text());
}

}  // namespace ruvo
