#include "playback/Playback.h"

#include "base/JsEscape.h"
#include "base/NumberText.h"
#include "config/PlayableAddress.h"
#include "history/HistoryRecords.h"

namespace ruvo {
namespace {

constexpr const char* kReadFailedTip = "读取数据出错，请返回重试！";
constexpr const char* kReadFailedText = "读取数据出错，请返回重试";
// A new item reads its media; the player's own reports take the line over.
constexpr const char* kStartingText = "准备读";

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;  // clang before 17 needs it

// Playing, paused, or on its way to its first picture.
bool Plays(PlayPhase phase) { return phase == PlayPhase::Starting || phase == PlayPhase::Playing || phase == PlayPhase::Paused; }

}  // namespace

Playback::Playback(Parts parts) : parts_(std::move(parts)) {
    published_ = area_;  // as the window opens: nothing loaded
}

void Playback::Publish() {
    area_.hasEpisodes = session_.episode.has_value();
    // Only a picture that plays or holds can be skipped through.
    const bool pictureShown = area_.phase == PlayPhase::Playing || area_.phase == PlayPhase::Paused;
    if (!area_.ShowsPlayer() || !pictureShown) area_.skip = SkipOffer::None;
    if (area_ == published_) return;
    const PlayerArea before = published_;
    published_ = area_;
    for (const AreaListener& listener : listeners_) listener(area_, before);
}

// ---- Starts ----

bool Playback::Start(const PlayRequest& request) {
    ++latestRequest_;  // whatever the user looked up before comes too late now
    stepTarget_.reset();
    lookingUp_ = false;
    const bool started = std::visit(Overloaded{
                   [&](const EpisodePlay& play) { return StartEpisode(play, request.resumeSeconds, false); },
                   [&](const HistoryPlay& row) { return StartEpisode(row.play, request.resumeSeconds, true); },
                   [&](const LocalFilePlay& play) { return StartLocalFile(play, request.resumeSeconds); },
                   [&](const TelevisionPlay& play) { return StartTelevision(play); },
               },
               request.what);
    Publish();
    return started;
}

bool Playback::StartFromList(const std::function<std::optional<PlayRequest>()>& readRow) {
    // The row of the item that plays holds its place only once it is stored.
    if (!session_.inPagePlayer) StopPlayer(true);
    const std::optional<PlayRequest> request = readRow();
    if (!request) {
        Publish();
        return false;
    }
    return Start(*request);
}

bool Playback::StartEpisode(const EpisodePlay& play, int resumeSeconds, bool fromHistory) {
    const std::string address = JsUnescape(play.escapedAddress);
    // The portal names web addresses only: anything else is neither played
    // nor stored. (A history row stored before addresses were checked may
    // hold anything a portal sent.)
    if (play.InPlayer() && !IsPlayableAddress(address, AddressOrigin::Outside)) return Refuse(kUnsupportedAddressText);
    const PortalEpisode& e = play.episode;
    StopForNewItem();
    BeginItem({ItemKind::PortalEpisode, e.name, play.label, play.escapedAddress, play.kind}, ItemList::WatchHistory,
              play.InPlayer() ? e.titleId : "", !play.InPlayer(), resumeSeconds);
    // A row replayed in the page player leaves the title that previous and
    // next step from as it was.
    if (play.InPlayer() || !fromHistory) {
        session_.episode = e;
        session_.next = {};
    }
    // A replayed row keeps its line; a portal title is listed once it plays.
    const bool listable = !fromHistory && !e.name.empty() && !play.escapedAddress.empty() && TextToInt(e.titleId) != 0;
    listing_ = listable ? Listing::WhenShown : Listing::Listed;
    if (play.InPlayer()) PlayInPlayer(address, resumeSeconds);
    else PlayInPagePlayer(parts_.portalBase + "play.htm?" + play.kind + "$$$" + play.escapedAddress);
    parts_.showTitlePages();
    return true;
}

bool Playback::StartLocalFile(const LocalFilePlay& play, int resumeSeconds) {
    if (!IsPlayableAddress(play.path, AddressOrigin::User)) return Refuse(RefusalTextOf(play.path, AddressOrigin::User));
    StopForNewItem();
    BeginItem({ItemKind::LocalFile, play.name, "", play.path, ""}, ItemList::LocalFiles, play.path, false, resumeSeconds);
    session_.episode.reset();  // a file is no episode
    session_.next = {};
    listing_ = play.listed ? Listing::Listed : Listing::WhenShown;
    PlayInPlayer(play.path, resumeSeconds);
    return true;
}

// The title played last stays what previous and next step from.
bool Playback::StartTelevision(const TelevisionPlay& play) {
    StopForNewItem();
    BeginItem({ItemKind::TelevisionChannel, play.name, "", play.channel, ""}, ItemList::None, "", true, 0);
    PlayInPagePlayer(parts_.portalBase + "tv/eebotv.htm?" + play.channel);
    return true;
}

bool Playback::Refuse(const std::string& text) {
    // An item that plays goes on under a passing notice; one that does not
    // (it failed, ended or stopped) gives way: the message is about what the
    // user asked for now, and no earlier item's text or name comes back.
    if (!Plays(area_.phase) && !session_.inPagePlayer && session_.item.kind != ItemKind::None) {
        StopPlayer(true);
        session_.item = {};
        area_.title.clear();
        area_.phase = PlayPhase::Nothing;
        ++itemNumber_;
    }
    area_.status = text;
    Publish();
    return false;
}

void Playback::StopForNewItem() {
    if (session_.inPagePlayer) return;
    StopPlayer(true);
}

void Playback::StopPlayer(bool storePlace) {
    Player& player = parts_.player;
    parts_.endOfPlay.SetEnabled(false);  // an end under way belongs to the item left
    // Nothing loaded, or stopped already (the page player stopped it).
    if (player.PlayUrl().empty() || area_.phase == PlayPhase::Stopped || area_.phase == PlayPhase::Nothing) return;
    NotePlace(player.Position());  // where it stands now, not at the last tick
    if (storePlace) StorePlace();
    // Played again, it goes on from the place its row keeps.
    if (session_.lastPosition > 0) session_.resumeAt = PlaceToKeep();
    session_.lastPosition = 0;
    parts_.statusTick.SetEnabled(false);
    player.Stop();
    area_.phase = PlayPhase::Stopped;
    area_.playing = false;
    area_.cover = true;
    area_.advert = false;
    area_.status = "已停止";
    area_.position = area_.duration = area_.downloaded = 0;
    area_.skip = SkipOffer::None;
}

void Playback::BeginItem(PlayItem item, ItemList list, std::string listKey, bool inPagePlayer, int resumeSeconds) {
    PlaySession& s = session_;
    s.item = std::move(item);
    s.list = list;
    s.listKey = std::move(listKey);
    s.inPagePlayer = inPagePlayer;
    s.resumeAt = resumeSeconds;
    s.resumed = false;
    s.lastPosition = 0;
    s.playOnAt.reset();
    ++itemNumber_;
    parts_.endOfPlay.SetEnabled(false);  // the end under way was the item left's
    ended_ = false;
    listing_ = Listing::Listed;
    area_.title = TitleLineOf(s.item);
    // The page player says nothing to the status line: what the stop said stands.
    if (!inPagePlayer) area_.status = kStartingText;
    area_.cover = true;
    area_.advert = false;
    area_.playing = false;
    area_.position = area_.duration = area_.downloaded = 0;
    area_.skip = SkipOffer::None;
}

void Playback::PlayInPlayer(const std::string& address, int resumeSeconds) {
    Player& player = parts_.player;
    if (area_.ShowsPagePlayer()) parts_.pagePlayer.Navigate("about:blank");
    area_.centre = Centre::Player;
    area_.phase = PlayPhase::Starting;
    player.SetPlayUrl(address);
    if (resumeSeconds > 0) player.SetPosition(resumeSeconds);  // the first frame shown is the resumed one
    player.Play();
    parts_.statusTick.SetEnabled(true);
}

// The page player shows the portal's page; the bar stops ticking and shows
// no time. It plays by itself.
void Playback::PlayInPagePlayer(const std::string& pageAddress) {
    parts_.pagePlayer.Navigate(pageAddress);
    parts_.pagePlayer.SetVisible(true);
    area_.centre = Centre::PagePlayer;
    area_.phase = PlayPhase::Nothing;
    area_.playing = false;
    parts_.statusTick.SetEnabled(false);
    ListItem();
}

void Playback::ListItem() {
    if (listing_ != Listing::WhenShown) return;
    listing_ = Listing::Listed;
    const PlayItem& item = session_.item;
    if (item.kind == ItemKind::LocalFile) return parts_.lists.AddLocalFileRecord({item.name, item.address, 0});
    const PortalEpisode& e = *session_.episode;
    parts_.lists.AddHistoryRecord({TextToInt(e.titleId), e.name, item.label, item.portalKind, item.address,
                                   TextToInt(e.source), TextToInt(e.number), 0});
}

void Playback::LookUpThenPlay(const PortalEpisode& episode, std::function<void(const EpisodeReply&)> withoutPlayData) {
    area_.status = kSearchingText;
    lookingUp_ = true;
    Publish();
    parts_.player.GetReady();  // while the portal answers
    const int ticket = ++latestRequest_;
    parts_.lookup.Ask(episode, [this, ticket, episode, withoutPlayData](const EpisodeReply& reply) {
        if (ticket != latestRequest_) return parts_.trace("reply dropped " + parts_.lookup.RequestUrl(episode));
        stepTarget_.reset();
        lookingUp_ = false;
        if (reply.kind != EpisodeReply::Kind::PlayData) return withoutPlayData(reply);
        Start({EpisodePlay{episode, reply.label, JsEscape(reply.address), reply.playerKind}});
    });
}

void Playback::LookUpAndPlay(const PortalEpisode& episode) {
    LookUpThenPlay(episode, [this](const EpisodeReply& reply) {
        // A reply without play data ends with the message below, as any other does.
        if (reply.kind != EpisodeReply::Kind::Other) session_.next.Mark(NextEpisode::Kind::None);
        parts_.showTrayTip(kReadFailedTip);
        area_.status = kReadFailedText;
        Publish();
    });
}

// Past the last episode, or failed: nothing changes. A press while the
// previous press's look-up is under way counts from the episode it asked for.
void Playback::StepEpisode(int step) {
    const std::optional<PortalEpisode> from = stepTarget_ ? stepTarget_ : session_.episode;
    if (!from) return;
    const int number = TextToInt(from->number);
    if (number + step < 0) return;  // there is no episode before the first
    PortalEpisode adjacent = *from;
    adjacent.number = std::to_string(number + step);
    const std::string statusBefore = area_.status;
    stepTarget_ = adjacent;
    LookUpThenPlay(adjacent, [this, statusBefore](const EpisodeReply&) {
        area_.status = statusBefore;  // silently: what plays goes on
        Publish();
    });
}

// What the player held before stays stopped: it is not the item shown.
void Playback::CloseWebPlayer() {
    parts_.pagePlayer.Navigate("about:blank");
    area_.centre = Centre::Player;
    area_.phase = PlayPhase::Nothing;
    area_.status = "准备就绪";
    session_.item = {};
    area_.title.clear();
    Publish();
}

// ---- The bar ----

void Playback::TogglePause() {
    if (area_.ShowsPagePlayer()) return parts_.pagePlayer.ControlPageMedia(PageMediaAction::PlayPause);
    Player& player = parts_.player;
    // Nothing to pause or play: nothing was loaded, or what was is no
    // longer the item shown (a refusal or the page player ended it).
    if (player.PlayUrl().empty() || area_.phase == PlayPhase::Nothing) return;
    if (area_.playing) {
        player.Pause();  // the paused picture stays in view
        PausedShown();
        area_.status = "已暂停";
        return Publish();
    }
    // The next playing tick seeks back to where playing stopped (a stream
    // may lose its place meanwhile) or to where the user sought since.
    session_.resumed = false;
    // A stopped item loads again: a stop meanwhile stops it.
    if (area_.phase != PlayPhase::Paused) area_.phase = PlayPhase::Starting;
    player.Play();
    parts_.statusTick.SetEnabled(true);
    area_.playing = true;
    area_.status = "正在播放";
    Publish();
}

void Playback::Stop() {
    if (session_.inPagePlayer && area_.ShowsPagePlayer()) return;
    StopPlayer(true);
    Publish();
}

void Playback::SetMuted(bool muted) {
    parts_.player.SetMuted(muted);
    area_.muted = muted;
    Publish();
}

// ---- Reports ----

void Playback::PictureShown() {
    ended_ = false;
    area_.phase = PlayPhase::Playing;
    area_.cover = false;
    area_.advert = false;
    area_.playing = true;
    ListItem();
    Publish();
}

void Playback::PlayingAt(int position) {
    PlaySession& s = session_;
    if (s.resumeAt > 0 && !s.resumed) {
        if (position < s.resumeAt) parts_.player.SetPosition(s.resumeAt);
        s.resumed = true;
    }
    s.resumeAt = parts_.player.Position();
    PictureShown();
}

void Playback::PausedShown() {
    area_.phase = PlayPhase::Paused;
    area_.playing = false;
    Publish();
}

void Playback::NothingPlays() {
    area_.playing = false;
    Publish();
}

void Playback::NotePosition(int position, int duration, int downloadedPerMille) {
    if (!ended_) session_.lastPosition = position;
    area_.position = position;
    area_.duration = duration;
    area_.downloaded = downloadedPerMille;
    Publish();
}

void Playback::Failed(const std::string& text) {
    area_.phase = PlayPhase::Failed;
    area_.playing = false;
    area_.cover = true;
    area_.status = text;
    if (listing_ == Listing::WhenShown) listing_ = Listing::Never;  // it did not play
    if (parts_.options.IsOn(Option::TrayBalloons)) parts_.showTrayTip(text);
    Publish();
}

void Playback::ShowCover(bool shown) {
    area_.cover = shown;
    Publish();
}

void Playback::ShowAdvert(bool shown) {
    area_.advert = shown;
    Publish();
}

void Playback::ShowStatus(const std::string& text, bool notice) {
    if (lookingUp_ && !notice) return;
    area_.status = text;
    Publish();
}

// Left in its last two seconds, an item has ended all but the end of
// play's two seconds: played again, it starts over, as an ended item does.
int Playback::PlaceToKeep() const {
    const int duration = parts_.player.Duration();
    const bool atTheEnd = duration > 0 && session_.lastPosition > duration - 2;
    return atTheEnd ? 1 : session_.lastPosition;
}

void Playback::StorePlace() {
    const PlaySession& s = session_;
    if (s.listKey.empty() || s.lastPosition <= 0 || listing_ != Listing::Listed) return;
    const int place = PlaceToKeep();
    if (s.list == ItemList::WatchHistory) parts_.lists.SaveHistoryPosition(TextToInt(s.listKey), place);
    else if (s.list == ItemList::LocalFiles) parts_.lists.SaveLocalFilePosition(s.listKey, place);
}

void Playback::OfferSkip(SkipOffer offer) {
    area_.skip = offer;
    Publish();
}

// ---- The end ----

void Playback::EndItem() {
    parts_.endOfPlay.SetEnabled(false);
    ended_ = true;
    area_.phase = PlayPhase::Ended;
    area_.cover = true;
    area_.playing = false;  // nothing plays: the button offers to play again
    area_.status = "播放完毕";
    area_.skip = SkipOffer::None;
    session_.resumeAt = 1;
    session_.lastPosition = 1;
    Publish();
}

bool Playback::PlayOn() {
    if (!parts_.options.IsOn(Option::AutoPlayNext) || !session_.next.IsReady()) return false;
    const EpisodePlay next = session_.next.play;
    Start({next});
    return true;
}

}  // namespace ruvo
