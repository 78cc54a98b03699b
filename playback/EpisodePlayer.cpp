#include "playback/EpisodePlayer.h"

#include "base/JsEscape.h"
#include "base/LinkText.h"
#include "base/NumberText.h"
#include "config/PlayableAddress.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "history/HistoryRecords.h"
#include "playback/IdleInhibition.h"

namespace ruvo {
namespace {

constexpr const char* kSearching = "正在搜索资源，请稍后";

}  // namespace

EpisodeReply ParseEpisodeReply(const std::optional<std::string>& body) {
    if (!body) return {};
    if (*body == "1") return {EpisodeReply::Kind::PortalError, {}, {}, {}};
    if (*body == "0") return {EpisodeReply::Kind::NoEpisode, {}, {}, {}};
    if (!Contains(*body, "$")) return {EpisodeReply::Kind::Other, {}, {}, {}};
    const auto fields = SplitText(*body, "$");
    return {EpisodeReply::Kind::PlayData, FieldAt(fields, 0), FieldAt(fields, 1), FieldAt(fields, 2)};
}

std::string EpisodePlayer::EpisodeRequestUrl(int id, const std::string& v, const std::string& v1) const {
    return parts_.portalBase + "h.asp?id=" + std::to_string(id) + "&v=" + v + "&v1=" + v1;
}

std::string EpisodePlayer::PlayLink(const std::string& kind, const std::string& address, const std::string& name,
                                    const std::string& label, const std::string& id, const std::string& v,
                                    const std::string& v1) {
    return "eeqvod://" + kind + "&&&" + JsEscape(address) + "&&&" + name + "&&&" + label + "&&&" + id + "&&&" + v +
           "&&&" + v1;
}

void EpisodePlayer::ResolveEpisode(int id, const std::string& v, const std::string& v1, const std::string& name) {
    WindowControls& c = parts_.controls;
    c.SetText({ControlName::StatusLine}, kSearching);
    parts_.player.GetReady();  // while the portal answers
    const EpisodeReply reply = ParseEpisodeReply(parts_.fetchText(EpisodeRequestUrl(id, v, v1)));
    switch (reply.kind) {
        case EpisodeReply::Kind::Failed:
        case EpisodeReply::Kind::PortalError:
        case EpisodeReply::Kind::NoEpisode:
            parts_.session.next.Mark(NextEpisode::Kind::None);
            // A reply without play data ends with the message below, as any other does.
            parts_.showTrayTip("读取数据出错，请返回重试！");
            c.SetText({ControlName::StatusLine}, "读取数据出错，请返回重试");
            return;
        case EpisodeReply::Kind::PlayData:
            parts_.portalPane.Navigate(
                PlayLink(reply.playerKind, reply.address, name, reply.label, std::to_string(id), v, v1));
            return;
        case EpisodeReply::Kind::Other:
            parts_.showTrayTip("读取数据出错，请返回重试！");
            c.SetText({ControlName::StatusLine}, "读取数据出错，请返回重试");
            return;
    }
}

void EpisodePlayer::StartPortalPlay(const std::string& url) {
    PlaySession& s = parts_.session;
    Player& player = parts_.player;
    WindowControls& c = parts_.controls;
    const auto fields = SplitText(TrimLink(url, "eeqvod://"), "&&&");
    const std::string kind = FieldAt(fields, 0);
    const std::string address = FieldAt(fields, 1);
    // The portal names web addresses only: anything else is neither played
    // nor stored, and what plays goes on.
    if (kind == "qvod" && !IsPlayableAddress(JsUnescape(address), AddressOrigin::Outside))
        return parts_.showNotice(kUnsupportedAddressText);
    if (!player.PlayUrl().empty() && !s.inPagePlayer) parts_.stopCurrentItem();
    StartQvodTerminal(TerminalForm::Portal);
    const std::string name = UnescapedName(FieldAt(fields, 2));
    const std::string label = UnescapedName(FieldAt(fields, 3));
    const int id = TextToInt(FieldAt(fields, 4));
    const std::string v = FieldAt(fields, 5);
    const std::string v1 = FieldAt(fields, 6);
    if (kind == "qvod") {
        PlayInPlayer(JsUnescape(address));
        s.listKey = std::to_string(id);
    } else {
        PlayInPagePlayer(kind, address);
        s.listKey.clear();
    }
    s.episode = PortalEpisode{std::to_string(id), v, v1, name};
    s.next = {};
    s.item = {ItemKind::PortalEpisode, name, label, address, kind};
    parts_.setTitleLine(TitleLineOf(s.item));
    if (!name.empty() && !address.empty() && id != 0)
        parts_.lists.AddHistoryRecord({id, name, label, kind, address, TextToInt(v), TextToInt(v1), 0});
    s.list = ItemList::WatchHistory;
    if (!c.IsVisible({ControlName::LibraryTab})) parts_.showTitlePages();
}

void EpisodePlayer::PlayInPlayer(const std::string& address) {
    PlaySession& s = parts_.session;
    WindowControls& c = parts_.controls;
    s.resumeAt = 0;
    s.inPagePlayer = false;
    parts_.player.SetPlayUrl(address);
    parts_.player.Play();
    parts_.statusTick.SetEnabled(true);
    if (!c.IsVisible({ControlName::PlayerBox})) {
        c.SetVisible({ControlName::PlayerBox}, true);
        c.SetVisible({ControlName::PagePlayerBox}, false);
        parts_.pagePlayer.Navigate("about:blank");
    }
}

// The page player shows the portal's player page for the address; the bar
// stops ticking and shows no time.
void EpisodePlayer::PlayInPagePlayer(const std::string& kind, const std::string& address) {
    WindowControls& c = parts_.controls;
    parts_.session.inPagePlayer = true;
    parts_.pagePlayer.Navigate(parts_.portalBase + "play.htm?" + kind + "$$$" + address);
    if (c.IsVisible({ControlName::PlayerBox})) {
        c.SetVisible({ControlName::PlayerBox}, false);
        c.SetVisible({ControlName::PagePlayerBox}, true);
    }
    parts_.statusTick.SetEnabled(false);
    MoveLeftEdge(c, {ControlName::SeekKnob}, 0);
    PlaceHorizontally(c, {ControlName::DownloadedBar}, 0, 0);
    c.SetText({ControlName::PlayTimes}, "");
}

void EpisodePlayer::StartQvodTerminal(TerminalForm form) {
    constexpr const char* kTerminal = "QvodTerminal.exe";
    if (parts_.processes.IsProcessRunning(kTerminal)) return;
    std::string& folder = parts_.playerFolder;
    if (form == TerminalForm::Portal && folder.empty())
        folder = parts_.settings.Read(kPlayerFolder.section, kPlayerFolder.key, "0");
    if (folder.empty()) return;
    parts_.processes.StartDetached(folder + kTerminal);
}

void EpisodePlayer::PlayAdjacentEpisode(int direction) {
    const int step = direction == 1 ? -1 : 1;
    const std::optional<PortalEpisode> episode = parts_.session.episode;
    if (!episode) return;
    const int current = TextToInt(episode->number);
    if (current == 0 && direction == 1) return;  // there is no episode before the first
    const std::string adjacent = std::to_string(current + step);
    const EpisodeReply reply =
        ParseEpisodeReply(parts_.fetchText(EpisodeRequestUrl(TextToInt(episode->titleId), episode->source, adjacent)));
    if (reply.kind != EpisodeReply::Kind::PlayData) return;
    parts_.portalPane.Navigate(
        PlayLink(reply.playerKind, reply.address, episode->name, reply.label, episode->titleId, episode->source, adjacent));
}

void EpisodePlayer::FetchNextEpisode() {
    PlaySession& s = parts_.session;
    if (TextToInt(parts_.settings.Read(kPreloadNext.section, kPreloadNext.key, "0")) != 2) {
        s.next.Mark(NextEpisode::Kind::Unknown);
        return;
    }
    const std::optional<PortalEpisode> episode = s.episode;
    if (!episode) return;
    const std::string next = std::to_string(TextToInt(episode->number) + 1);
    const EpisodeReply reply =
        ParseEpisodeReply(parts_.fetchText(EpisodeRequestUrl(TextToInt(episode->titleId), episode->source, next)));
    switch (reply.kind) {
        case EpisodeReply::Kind::PortalError:
            s.next.Mark(NextEpisode::Kind::None);
            s.next.MarkMedia(NextEpisode::Media::None);
            return;
        case EpisodeReply::Kind::NoEpisode:
            // Not known either way: the preload asks again.
            s.next.Mark(NextEpisode::Kind::Unknown);
            s.next.MarkMedia(NextEpisode::Media::Unknown);
            return;
        case EpisodeReply::Kind::PlayData:
            if (!IsPlayableAddress(reply.address, AddressOrigin::Outside)) {
                // Nothing to play on into, nor to download ahead.
                s.next.Mark(NextEpisode::Kind::None);
                s.next.MarkMedia(NextEpisode::Media::None);
                return;
            }
            // The next episode always plays in the player control.
            s.next.Found(
                PlayLink("qvod", reply.address, episode->name, reply.label, episode->titleId, episode->source, next),
                reply.address);
            return;
        case EpisodeReply::Kind::Failed:
        case EpisodeReply::Kind::Other:
            s.next.Mark(NextEpisode::Kind::RetryDue);
            s.next.MarkMedia(NextEpisode::Media::Unknown);
            s.nextRetryTicks = 0;
            s.next.preloadStarted = true;
            parts_.showTrayTip("读取下一集数据出错，稍后将重新读取！");
            parts_.nextEpisodeRetry.SetEnabled(true);
            return;
    }
}

void EpisodePlayer::RetryTick() {
    PlaySession& s = parts_.session;
    if (++s.nextRetryTicks < 2) return;
    parts_.nextEpisodeRetry.SetEnabled(false);
    FetchNextEpisode();
    s.next.preloadStarted = false;
    s.nextRetryTicks = 0;
}

void EpisodePlayer::CloseWebPlayer() {
    WindowControls& c = parts_.controls;
    c.SetVisible({ControlName::PagePlayerBox}, false);
    c.SetVisible({ControlName::PlayerBox}, true);
    parts_.pagePlayer.Navigate("about:blank");
    parts_.session.item = {};
    c.SetText({ControlName::TitleLine}, TitleLineOf(parts_.session.item));
    parts_.inhibition.Update();
}

}  // namespace ruvo
