#include "playback/OpeningCreditsSkip.h"

#include <cmath>

#include "base/JsEscape.h"
#include "base/NumberText.h"
#include "config/PlayableAddress.h"

namespace ruvo {
namespace {

// The offer goes a second before the part ends: a press then would skip nothing.
constexpr double kOfferEndsBefore = 1.0;
// An automatic skip needs this much of the opening still ahead.
constexpr double kAutoSkipLeast = 3.0;
// Episodes heard and kept for the next pair (the playing one and its neighbour).
constexpr size_t kHeardKept = 2;
// A title of shorter episodes (clips) has no opening worth hearing for.
constexpr int kShortestEpisodeHeard = 120;

}  // namespace

OpeningCreditsSkip::OpeningCreditsSkip(Parts parts) : parts_(std::move(parts)) {
    parts_.wayBack.SetInterval(kWayBackSeconds * 1000);
    parts_.wayBack.SetOnTick([this] {
        parts_.wayBack.SetEnabled(false);
        jumpedFrom_.reset();
        creditsPlayingOn_ = false;
    });
    parts_.creditsStart.SetOnTick([this] {
        parts_.creditsStart.SetEnabled(false);
        CreditsStarted();
    });
}

OpeningCreditsSkip::~OpeningCreditsSkip() { CancelListening(); }

// ---- What plays ----

void OpeningCreditsSkip::ItemChanged() {
    item_ = parts_.playback.ItemNumber();
    openingSkipped_ = creditsDeclined_ = creditsPlayingOn_ = false;
    jumpedFrom_.reset();
    parts_.wayBack.SetEnabled(false);
    parts_.creditsStart.SetEnabled(false);
    const PlaySession& session = parts_.playback.Session();
    std::optional<PlayingTitle> now;
    if (session.item.kind == ItemKind::PortalEpisode && !session.inPagePlayer && session.episode)
        if (const auto path = TitleSkipsPath(parts_.programFolder, session.episode->titleId, session.episode->source))
            now = PlayingTitle{*path, TextToInt(session.episode->number), JsUnescape(session.item.address)};
    // Another title, or nothing of a title: what was heard for the old one is of no use.
    if (!now || !title_ || now->path != title_->path) {
        CancelListening();
        heard_.clear();
        if (now) skips_ = ReadTitleSkips(now->path);
    }
    title_ = now;
    Listen();
}

void OpeningCreditsSkip::NextKnown() {
    if (item_ != parts_.playback.ItemNumber()) ItemChanged();
    else Listen();
}

// ---- Hearing a pair ----

void OpeningCreditsSkip::Listen() {
    if (!title_ || parts_.player.Duration() < kShortestEpisodeHeard) return;
    const NextEpisode& next = parts_.playback.Session().next;
    if (!next.IsReady() || next.media != NextEpisode::Media::Known) return;
    const int first = title_->episode, second = TextToInt(next.play.episode.number);
    if (skips_.WasHeard(first, second) || (pair_ && pair_->first == first && pair_->second == second)) return;
    // Heard only over the web, under the player's rules for the portal's addresses.
    for (const std::string& address : {title_->address, next.mediaAddress})
        if (!IsWebAddress(address) || !IsPlayableAddress(address, AddressOrigin::Outside)) return;
    CancelListening();
    pair_ = Pair{first, second, title_->address, next.mediaAddress};
    for (const std::string& address : {pair_->firstAddress, pair_->secondAddress}) {
        if (heard_.count(address)) continue;
        parts_.trace("listening " + address);
        tickets_[address] = parts_.listening.Listen(
            address, [this, address](std::optional<HeardEpisode> heard) { Heard(address, std::move(heard)); });
    }
    FindShared();
}

void OpeningCreditsSkip::Heard(const std::string& address, std::optional<HeardEpisode> heard) {
    tickets_.erase(address);
    if (!heard) {
        // Nothing to compare with: this pair is not heard again in this run.
        parts_.trace("not heard " + address);
        if (pair_) skips_.NoteHeard(pair_->first, pair_->second);
        pair_.reset();
        CancelListening();
        return;
    }
    if (heard_.size() >= kHeardKept) {
        for (auto kept = heard_.begin(); kept != heard_.end();) {
            const bool inPair = pair_ && (kept->first == pair_->firstAddress || kept->first == pair_->secondAddress);
            kept = inPair ? std::next(kept) : heard_.erase(kept);
        }
    }
    heard_[address] = std::make_shared<const HeardEpisode>(std::move(*heard));
    FindShared();
}

// The comparison runs aside, on the listening's thread.
void OpeningCreditsSkip::FindShared() {
    if (!pair_ || !title_ || comparing_) return;
    const auto first = heard_.find(pair_->firstAddress), second = heard_.find(pair_->secondAddress);
    if (first == heard_.end() || second == heard_.end()) return;
    auto shared = std::make_shared<PairParts>();
    comparing_ = true;
    const int ticket = parts_.listening.Aside(
        [shared, a = first->second, b = second->second] { *shared = FindSharedParts(*a, *b); },
        [this, shared] {
            comparing_ = false;
            comparison_.reset();
            Compared(*shared);
        });
    if (comparing_) comparison_ = ticket;  // not done at once
}

void OpeningCreditsSkip::Compared(const PairParts& shared) {
    if (!pair_) return;
    skips_.AddFinding(pair_->first, shared.first);
    skips_.AddFinding(pair_->second, shared.second);
    skips_.NoteHeard(pair_->first, pair_->second);
    parts_.trace("heard " + std::to_string(pair_->first) + " " + std::to_string(pair_->second) + ": opening " +
                 (shared.first.opening ? "found" : "none") + ", credits " + (shared.first.credits ? "found" : "none"));
    pair_.reset();
    Save();
    PositionChanged();
}

void OpeningCreditsSkip::CancelListening() {
    for (const auto& [address, ticket] : tickets_) parts_.listening.Cancel(ticket);
    tickets_.clear();
    if (comparison_) parts_.listening.Cancel(*comparison_);
    comparison_.reset();
    comparing_ = false;
    pair_.reset();
}

void OpeningCreditsSkip::Save() {
    if (title_ && !WriteTitleSkips(title_->path, skips_)) parts_.trace("skips not written " + title_->path);
}

// ---- While it plays ----

void OpeningCreditsSkip::PositionChanged() {
    if (item_ != parts_.playback.ItemNumber()) ItemChanged();
    const PlayerArea& area = parts_.playback.Area();
    if (!title_ || (area.phase != PlayPhase::Playing && area.phase != PlayPhase::Paused)) {
        parts_.playback.OfferSkip(SkipOffer::None);
        return;
    }
    if (!pair_) Listen();  // the episode's length was not known when its neighbour became known
    const double position = parts_.player.ExactPosition();
    const double duration = parts_.player.Duration();
    const auto opening = skips_.OpeningOf(title_->episode);
    const auto credits = skips_.CreditsOf(title_->episode, duration);
    SkipOffer offer = SkipOffer::None;
    if (opening && position >= opening->stretch.start && position < opening->stretch.end - kOfferEndsBefore) {
        offer = SkipOffer::Opening;
        if (area.phase == PlayPhase::Playing) AutoSkipOpening(*opening, position);
    } else if (credits && position >= credits->stretch.start && position < duration - kOfferEndsBefore) {
        offer = SkipOffer::Credits;
    }
    parts_.playback.OfferSkip(offer);
    ArmCreditsStart(credits, position);
}

void OpeningCreditsSkip::AutoSkipOpening(const SkipPart& opening, double position) {
    if (openingSkipped_ || !opening.trusted || !parts_.options.IsOn(Option::AutoSkipOpening)) return;
    if (opening.stretch.end - position < kAutoSkipLeast) return;
    openingSkipped_ = true;  // once an item: taken back, the opening plays
    jumpedFrom_ = position;
    parts_.player.SeekExactly(opening.stretch.end);
    parts_.playback.SoughtTo(static_cast<int>(opening.stretch.end));
    Notice(kOpeningSkippedText);
}

bool OpeningCreditsSkip::CreditsPlayOn() const {
    const NextEpisode& next = parts_.playback.Session().next;
    return !creditsDeclined_ && next.IsReady() && parts_.options.IsOn(Option::AutoSkipCredits) &&
           parts_.options.IsOn(Option::AutoPlayNext);
}

// The play-on at the credits comes at their start, not at the next second's
// tick: a one-shot timer aims at it from the second before.
void OpeningCreditsSkip::ArmCreditsStart(const std::optional<SkipPart>& credits, double position) {
    const bool wanted = credits && credits->trusted && CreditsPlayOn();
    parts_.playback.PlayOnAt(wanted ? std::optional<double>(credits->stretch.start) : std::nullopt);
    if (!wanted || parts_.playback.Area().phase != PlayPhase::Playing) return parts_.creditsStart.SetEnabled(false);
    const double ahead = credits->stretch.start - position;
    if (ahead > 1.5 || parts_.creditsStart.IsEnabled()) return;
    if (ahead <= 0) return CreditsStarted();
    parts_.creditsStart.SetInterval(static_cast<int>(std::ceil(ahead * 1000)));
    parts_.creditsStart.SetEnabled(true);
}

void OpeningCreditsSkip::CreditsStarted() {
    if (!CreditsPlayOn() || parts_.playback.HasEnded()) return;
    jumpedFrom_.reset();
    creditsPlayingOn_ = true;
    Notice(kCreditsSkippedText);
    parts_.endNow();
}

void OpeningCreditsSkip::Notice(const char* text) {
    parts_.showNotice(text, kWayBackSeconds);
    parts_.wayBack.SetEnabled(false);
    parts_.wayBack.SetEnabled(true);
}

// ---- The person ----

void OpeningCreditsSkip::Skip() {
    const SkipOffer offer = parts_.playback.Area().skip;
    if (!title_ || offer == SkipOffer::None) return;
    const double duration = parts_.player.Duration();
    if (offer == SkipOffer::Opening) {
        if (const auto opening = skips_.OpeningOf(title_->episode)) {
            parts_.player.SeekExactly(opening->stretch.end);
            parts_.playback.SoughtTo(static_cast<int>(opening->stretch.end));
        }
    } else if (parts_.playback.Session().next.IsReady() && parts_.options.IsOn(Option::AutoPlayNext)) {
        parts_.playOnNow();  // the next episode at once, through the usual play-on
    } else {
        parts_.player.SetPosition(static_cast<int>(duration));  // nothing follows: the end
    }
    parts_.playback.OfferSkip(SkipOffer::None);
}

bool OpeningCreditsSkip::KeyDown(Key key) {
    if (key != Key::Left || !parts_.wayBack.IsEnabled()) return false;
    parts_.wayBack.SetEnabled(false);
    if (creditsPlayingOn_ && !parts_.playback.HasEnded()) {
        // The credits play after all, to the end, and the end plays on as usual.
        creditsPlayingOn_ = false;
        creditsDeclined_ = true;
        parts_.cancelEnd();
        PositionChanged();
        return true;
    }
    if (!jumpedFrom_) return false;
    parts_.player.SeekExactly(*jumpedFrom_);
    parts_.playback.SoughtTo(static_cast<int>(*jumpedFrom_));
    jumpedFrom_.reset();
    return true;
}

void OpeningCreditsSkip::MarkOpeningEnd() {
    if (!title_) return;
    skips_.MarkOpeningEnd(parts_.player.ExactPosition());
    Save();
    parts_.showNotice("已设为片头结束", 2);
    PositionChanged();
}

void OpeningCreditsSkip::MarkCreditsStart() {
    if (!title_ || parts_.player.Duration() <= 0) return;
    skips_.MarkCreditsStart(std::max(0.0, parts_.player.Duration() - parts_.player.ExactPosition()));
    Save();
    parts_.showNotice("已设为片尾开始", 2);
    PositionChanged();
}

void OpeningCreditsSkip::ClearMarks() {
    if (!title_) return;
    skips_.ClearMarks();
    Save();
    parts_.showNotice("已清除片头片尾标记", 2);
    PositionChanged();
}

}  // namespace ruvo
