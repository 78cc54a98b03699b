#include "playback/PlayService.h"

#include "base/JsEscape.h"
#include "base/NumberText.h"
#include "config/PlayableAddress.h"
#include "config/SettingsKeys.h"
#include "history/HistoryRecords.h"
#include "playback/BarProgress.h"
#include "playback/IdleInhibition.h"

namespace ruvo {
namespace {

// The centre shows the player or the page player, never both.
enum class CentreShows { Player, PagePlayer };
void ShowInCentre(WindowView& view, CentreShows what) {
    view.SetVisible({ControlName::PagePlayerBox}, what == CentreShows::PagePlayer);
    view.SetVisible({ControlName::PlayerBox}, what == CentreShows::Player);
}

constexpr const char* kReadFailedTip = "读取数据出错，请返回重试！";
constexpr const char* kReadFailedText = "读取数据出错，请返回重试";

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;  // clang before 17 needs it

}  // namespace

bool PlayService::Start(const PlayRequest& request) {
    ++latestRequest_;  // whatever the user looked up before comes too late now
    parts_.showWaiting("");
    const bool started = std::visit(Overloaded{
                   [&](const EpisodePlay& play) { return StartEpisode(play, request.resumeSeconds, false); },
                   [&](const HistoryPlay& row) { return StartEpisode(row.play, request.resumeSeconds, true); },
                   [&](const LocalFilePlay& play) { return StartLocalFile(play, request.resumeSeconds); },
                   [&](const TelevisionPlay& play) { return StartTelevision(play); },
               },
               request.what);
    parts_.inhibition.Update();
    return started;
}

bool PlayService::StartEpisode(const EpisodePlay& play, int resumeSeconds, bool fromHistory) {
    const std::string address = JsUnescape(play.escapedAddress);
    // The portal names web addresses only: anything else is neither played
    // nor stored, and what plays goes on. (A history row stored before
    // addresses were checked may hold anything a portal sent.)
    if (play.InPlayer() && !IsPlayableAddress(address, AddressOrigin::Outside)) {
        parts_.showNotice(kUnsupportedAddressText);
        return false;
    }
    const PortalEpisode& e = play.episode;
    const bool listed = !e.name.empty() && !play.escapedAddress.empty() && TextToInt(e.titleId) != 0;
    StopForNewItem(listed && !fromHistory ? e.titleId : "");
    const bool fromPagePlayer = parts_.session.inPagePlayer;
    BeginItem({ItemKind::PortalEpisode, e.name, play.label, play.escapedAddress, play.kind}, ItemList::WatchHistory,
              play.InPlayer() ? e.titleId : "", !play.InPlayer(), resumeSeconds);
    parts_.session.episode = e;
    if (play.InPlayer()) PlayInPlayer(address, resumeSeconds, fromPagePlayer);
    else PlayInPagePlayer(parts_.portalBase + "play.htm?" + play.kind + "$$$" + play.escapedAddress);
    if (listed && !fromHistory)
        parts_.lists.AddHistoryRecord({TextToInt(e.titleId), e.name, play.label, play.kind, play.escapedAddress,
                                       TextToInt(e.source), TextToInt(e.number), 0});
    if (!parts_.controls.IsVisible({ControlName::LibraryTab})) parts_.showTitlePages();
    return true;
}

bool PlayService::StartLocalFile(const LocalFilePlay& play, int resumeSeconds) {
    if (!IsPlayableAddress(play.path, AddressOrigin::User)) {
        parts_.showNotice(RefusalTextOf(play.path, AddressOrigin::User));
        return false;
    }
    StopForNewItem("");
    const bool fromPagePlayer = parts_.session.inPagePlayer;
    BeginItem({ItemKind::LocalFile, play.name, "", play.path, ""}, ItemList::LocalFiles, play.path, false, resumeSeconds);
    PlayInPlayer(play.path, resumeSeconds, fromPagePlayer);
    if (!play.listed) parts_.lists.AddLocalFileRecord({play.name, play.path, 0});
    return true;
}

bool PlayService::StartTelevision(const TelevisionPlay& play) {
    StopForNewItem("");
    BeginItem({ItemKind::TelevisionChannel, play.name, "", play.channel, ""}, ItemList::None, "", true, 0);
    PlayInPagePlayer(parts_.portalBase + "tv/eebotv.htm?" + play.channel);
    return true;
}

void PlayService::StopForNewItem(const std::string& newHistoryKey) {
    const PlaySession& s = parts_.session;
    if (parts_.player.PlayUrl().empty() || s.inPagePlayer) return;
    // The new episode's line replaces the title's line: storing the place
    // first would write the list twice.
    const bool sameLine = !newHistoryKey.empty() && s.list == ItemList::WatchHistory && s.listKey == newHistoryKey;
    parts_.stopCurrentItem(!sameLine);
}

void PlayService::BeginItem(PlayItem item, ItemList list, std::string listKey, bool inPagePlayer, int resumeSeconds) {
    PlaySession& s = parts_.session;
    s.item = std::move(item);
    s.list = list;
    s.listKey = std::move(listKey);
    s.episode.reset();
    s.inPagePlayer = inPagePlayer;
    s.resumeAt = resumeSeconds;
    s.resumed = false;
    s.lastPosition = 0;
    s.next = {};
    s.nextRetryTicks = 0;
    parts_.setTitleLine(TitleLineOf(s.item));
}

void PlayService::PlayInPlayer(const std::string& address, int resumeSeconds, bool fromPagePlayer) {
    Player& player = parts_.player;
    player.SetPlayUrl(address);
    if (resumeSeconds > 0) player.SetPosition(resumeSeconds);  // the first frame shown is the resumed one
    player.Play();
    parts_.statusTick.SetEnabled(true);
    ShowPlayerSurface(fromPagePlayer);
}

void PlayService::ShowPlayerSurface(bool fromPagePlayer) {
    WindowView& c = parts_.controls;
    if (!fromPagePlayer && c.IsVisible({ControlName::PlayerBox}) && !c.IsVisible({ControlName::PagePlayerBox})) return;
    ShowInCentre(c, CentreShows::Player);
    parts_.pagePlayer.Navigate("about:blank");
}

// The page player shows the portal's page; the bar stops ticking and shows
// no time.
void PlayService::PlayInPagePlayer(const std::string& pageAddress) {
    WindowView& c = parts_.controls;
    parts_.pagePlayer.Navigate(pageAddress);
    parts_.pagePlayer.SetVisible(true);
    ShowInCentre(c, CentreShows::PagePlayer);
    parts_.statusTick.SetEnabled(false);
    DrawBarProgress(c, InThePagePlayer());
}

void PlayService::LookUpThenPlay(const PortalEpisode& episode, std::function<void(const EpisodeReply&)> withoutPlayData) {
    parts_.showWaiting(kSearchingText);
    parts_.player.GetReady();  // while the portal answers
    const int ticket = ++latestRequest_;
    parts_.lookup.Ask(episode, [this, ticket, episode, withoutPlayData](const EpisodeReply& reply) {
        if (ticket != latestRequest_) return parts_.trace("reply dropped " + parts_.lookup.RequestUrl(episode));
        parts_.showWaiting("");
        if (reply.kind != EpisodeReply::Kind::PlayData) return withoutPlayData(reply);
        Start({EpisodePlay{episode, reply.label, JsEscape(reply.address), reply.playerKind}});
    });
}

void PlayService::LookUpAndPlay(const PortalEpisode& episode) {
    LookUpThenPlay(episode, [this](const EpisodeReply& reply) {
        // A reply without play data ends with the message below, as any other does.
        if (reply.kind != EpisodeReply::Kind::Other) parts_.session.next.Mark(NextEpisode::Kind::None);
        parts_.showTrayTip(kReadFailedTip);
        parts_.controls.SetText({ControlName::StatusLine}, kReadFailedText);
    });
}

// Past the last episode, or failed: nothing changes.
void PlayService::PlayAdjacentEpisode(int step) {
    const std::optional<PortalEpisode> current = parts_.session.episode;
    if (!current) return;
    const int number = TextToInt(current->number);
    if (number + step < 0) return;  // there is no episode before the first
    PortalEpisode adjacent = *current;
    adjacent.number = std::to_string(number + step);
    LookUpThenPlay(adjacent, [](const EpisodeReply&) {});
}

void PlayService::CloseWebPlayer() {
    WindowView& c = parts_.controls;
    ShowInCentre(c, CentreShows::Player);
    parts_.pagePlayer.Navigate("about:blank");
    parts_.session.item = {};
    c.SetText({ControlName::TitleLine}, TitleLineOf(parts_.session.item));
    parts_.inhibition.Update();
}

}  // namespace ruvo
