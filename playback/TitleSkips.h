#pragma once
// What the program knows of a title's openings and closing credits: what
// listening found in each episode, with how many pairs of episodes agreed,
// and the person's own marks, which always win. Kept per title in a small
// text file of the program's folder ("skips/<title>-<source>.txt").
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "playback/SharedParts.h"

namespace ruvo {

// One place found for a part of one episode, and how many pairs found it.
struct FoundStretch {
    Stretch stretch;
    int pairs = 1;
};

// A part of an episode as the program acts on it.
struct SkipPart {
    Stretch stretch;
    bool trusted = true;  // no pair disagrees with the one shown: it may be skipped without asking
};

class TitleSkips {
public:
    // What a pair of episodes shared: each episode's finding counts as one
    // more agreeing pair, or as evidence against what was found before.
    void AddFinding(int episode, const EpisodeParts& parts);
    void NoteHeard(int first, int second) { heardPairs_.insert({first, second}); }
    bool WasHeard(int first, int second) const { return heardPairs_.count({first, second}) > 0; }
    // Whether listening found the episode's opening or credits already.
    bool KnowsEpisode(int episode) const;

    // The person's marks for every episode of the title: the opening ends
    // this many seconds in; the credits start this many seconds before the end.
    void MarkOpeningEnd(double seconds) { openingEndMark_ = seconds; }
    void MarkCreditsStart(double secondsBeforeEnd) { creditsMark_ = secondsBeforeEnd; }
    void ClearMarks();
    bool HasMarks() const { return openingEndMark_ || creditsMark_; }

    // The episode's opening and credits, the person's marks first.
    std::optional<SkipPart> OpeningOf(int episode) const;
    std::optional<SkipPart> CreditsOf(int episode, double duration) const;

    // The file's text, and the reverse; lines it does not know are skipped.
    std::string Text() const;
    static TitleSkips FromText(const std::string& text);

private:
    using Candidates = std::vector<FoundStretch>;  // the best supported first
    static void AddCandidate(Candidates& candidates, const Stretch& found);
    static std::optional<SkipPart> Best(const Candidates& candidates);

    std::map<int, Candidates> openings_;
    std::map<int, Candidates> credits_;
    std::set<std::pair<int, int>> heardPairs_;
    std::optional<double> openingEndMark_;
    std::optional<double> creditsMark_;
};

// Where a title's file is, or nothing when the portal's ids can't name a
// file safely (anything but letters, digits, '_' and '-').
std::optional<std::string> TitleSkipsPath(const std::string& programFolder, const std::string& titleId,
                                          const std::string& source);
TitleSkips ReadTitleSkips(const std::string& path);
bool WriteTitleSkips(const std::string& path, const TitleSkips& skips);

}  // namespace ruvo
