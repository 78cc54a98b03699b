#pragma once
// Skips the opening and the closing credits of a portal title's episodes.
// While an episode plays and its neighbour's address is known, both are
// heard in the background and what they share is kept in the title's file;
// while the opening or the credits play, the picture offers to skip them,
// and skips them unasked when the person turned that on. Skipping the
// credits is the usual play-on into the next episode, at the credits.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "config/UserOptions.h"
#include "platform/EpisodeListening.h"
#include "platform/Keys.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "playback/Playback.h"
#include "playback/TitleSkips.h"

namespace ruvo {

// The status line after an automatic skip, for kWayBackSeconds.
inline constexpr const char* kOpeningSkippedText = "已跳过片头，按←返回";
inline constexpr const char* kCreditsSkippedText = "已跳过片尾，按←返回";
inline constexpr int kWayBackSeconds = 5;

class OpeningCreditsSkip {
public:
    struct Parts {
        Playback& playback;
        Player& player;
        EpisodeListening& listening;
        const UserOptions& options;
        std::string programFolder;
        Timer& wayBack;      // one shot: the seconds an automatic skip can be taken back
        Timer& creditsStart;  // one shot: the moment the credits start
        // The status line says this for `seconds`.
        std::function<void(const std::string&, int seconds)> showNotice;
        // The end of play now: the notice, then the next episode.
        std::function<void()> endNow;
        // The next episode at once.
        std::function<void()> playOnNow;
        // The end of play under way is called off.
        std::function<void()> cancelEnd;
        std::function<void(const std::string&)> trace;
    };
    explicit OpeningCreditsSkip(Parts parts);
    ~OpeningCreditsSkip();
    OpeningCreditsSkip(const OpeningCreditsSkip&) = delete;
    OpeningCreditsSkip& operator=(const OpeningCreditsSkip&) = delete;

    // The play moved (each second, a seek, a new item): the offer and the
    // automatic skips follow it.
    void PositionChanged();
    // What follows the episode became known: the pair can be heard.
    void NextKnown();
    // The offer's button, or Enter on the picture.
    void Skip();
    // A key the window saw first: the left arrow within the seconds after
    // an automatic skip takes it back. True when it was taken.
    bool KeyDown(Key key);
    // The player's menu: the person's own marks for the title.
    void MarkOpeningEnd();
    void MarkCreditsStart();
    void ClearMarks();
    // Whether the person's marks can be set now (a portal episode plays).
    bool CanMark() const { return title_.has_value(); }

private:
    struct PlayingTitle {
        std::string path;  // its file
        int episode = 0;
        std::string address;
    };
    void ItemChanged();
    void Listen();
    void Heard(const std::string& address, std::optional<HeardEpisode> heard);
    void FindShared();
    void Compared(const PairParts& shared);
    void CancelListening();
    void Save();
    void AutoSkipOpening(const SkipPart& opening, double position);
    void ArmCreditsStart(const std::optional<SkipPart>& credits, double position);
    void CreditsStarted();
    bool CreditsPlayOn() const;
    void Notice(const char* text);

    Parts parts_;
    std::optional<PlayingTitle> title_;
    TitleSkips skips_;
    int item_ = -1;
    // The pair being heard: the playing episode and its neighbour.
    struct Pair {
        int first = 0, second = 0;
        std::string firstAddress, secondAddress;
    };
    std::optional<Pair> pair_;
    std::map<std::string, int> tickets_;                  // address -> listening under way
    std::map<std::string, std::shared_ptr<const HeardEpisode>> heard_;  // the latest episodes heard, by address
    std::optional<int> comparison_;  // the ticket of what they share, worked out aside
    bool comparing_ = false;
    bool openingSkipped_ = false;  // the automatic skip ran for this item (taken back or not)
    bool creditsDeclined_ = false; // the person took back the play-on at the credits
    bool creditsPlayingOn_ = false; // the play-on at the credits is under way
    std::optional<double> jumpedFrom_;
};

}  // namespace ruvo
