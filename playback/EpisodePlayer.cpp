#include "playback/EpisodePlayer.h"

#include "base/JsEscape.h"
#include "base/NumberText.h"
#include "base/TextWidth.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "history/HistoryRecords.h"
#include "playback/IdleInhibition.h"
#include "playback/TransportControls.h"
#include "portal/LinkText.h"
#include "portal/MainWindow.h"
#include "shell/NavigationButtons.h"

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
    return window_.Portal().base + "h.asp?id=" + std::to_string(id) + "&v=" + v + "&v1=" + v1;
}

std::string EpisodePlayer::PlayLink(const std::string& kind, const std::string& address, const std::string& name,
                                    const std::string& label, const std::string& id, const std::string& v,
                                    const std::string& v1) {
    return "eeqvod://" + kind + "&&&" + JsEscape(address) + "&&&" + name + "&&&" + label + "&&&" + id + "&&&" + v +
           "&&&" + v1;
}

void EpisodePlayer::ResolveEpisode(int id, const std::string& v, const std::string& v1, const std::string& name) {
    WindowControls& c = window_.Controls();
    c.SetText({ControlName::StatusLine}, kSearching);
    window_.PlayerControl().GetReady();  // while the portal answers
    const EpisodeReply reply = ParseEpisodeReply(window_.FetchText(EpisodeRequestUrl(id, v, v1)));
    switch (reply.kind) {
        case EpisodeReply::Kind::Failed:
        case EpisodeReply::Kind::PortalError:
        case EpisodeReply::Kind::NoEpisode:
            window_.Session().next.Mark(NextEpisode::Kind::None);
            // A reply without play data ends with the message below, as any other does.
            window_.ShowTrayTip("读取数据出错，请返回重试！");
            c.SetText({ControlName::StatusLine}, "读取数据出错，请返回重试");
            return;
        case EpisodeReply::Kind::PlayData:
            window_.PaneOf(Pane::Web1).Navigate(
                PlayLink(reply.playerKind, reply.address, name, reply.label, std::to_string(id), v, v1));
            return;
        case EpisodeReply::Kind::Other:
            window_.ShowTrayTip("读取数据出错，请返回重试！");
            c.SetText({ControlName::StatusLine}, "读取数据出错，请返回重试");
            return;
    }
}

void EpisodePlayer::StartPortalPlay(const std::string& url) {
    PlaySession& s = window_.Session();
    Player& player = window_.PlayerControl();
    WindowControls& c = window_.Controls();
    if (!player.PlayUrl().empty() && !s.inPagePlayer) window_.Transport().StopCurrentItem();
    StartQvodTerminal(TerminalForm::Portal);
    const auto fields = SplitText(TrimLink(url, "eeqvod://"), "&&&");
    const std::string kind = FieldAt(fields, 0);
    const std::string address = FieldAt(fields, 1);
    const std::string name = UnescapedName(FieldAt(fields, 2));
    const std::string label = UnescapedName(FieldAt(fields, 3));
    const int id = TextToInt(FieldAt(fields, 4));
    const std::string v = FieldAt(fields, 5);
    const std::string v1 = FieldAt(fields, 6);
    if (kind == "qvod") {
        s.resumeAt = 0;
        s.inPagePlayer = false;
        player.SetPlayUrl(JsUnescape(address));
        player.Play();
        window_.EnsureTimerOn(WindowTimer::StatusTick);
        s.listKey = std::to_string(id);
        if (!c.IsVisible({ControlName::PlayerBox})) {
            c.SetVisible({ControlName::PlayerBox}, true);
            c.SetVisible({ControlName::PagePlayerBox}, false);
            window_.PaneOf(Pane::Web2).Navigate("about:blank");
        }
    } else {
        s.inPagePlayer = true;
        window_.PaneOf(Pane::Web2).Navigate(window_.Portal().base + "play.htm?" + kind + "$$$" + address);
        s.listKey.clear();
        if (c.IsVisible({ControlName::PlayerBox})) {
            c.SetVisible({ControlName::PlayerBox}, false);
            c.SetVisible({ControlName::PagePlayerBox}, true);
        }
        window_.TimerOf(WindowTimer::StatusTick).SetEnabled(false);
        MoveLeftEdge(c, {ControlName::SeekKnob}, 0);
        PlaceHorizontally(c, {ControlName::DownloadedBar}, 0, 0);
        c.SetText({ControlName::PlayTimes}, "");
    }
    s.episode = PortalEpisode{std::to_string(id), v, v1, name};
    s.next = {};
    window_.SetTitleLine(TruncateToWidth(name, kTitleLineWidth) + "-" + label);
    if (!name.empty() && !address.empty() && id != 0)
        window_.Lists().AddHistoryRecord({id, name, label, kind, address, TextToInt(v), TextToInt(v1), 0});
    s.list = ItemList::WatchHistory;
    if (!c.IsVisible({ControlName::LibraryTab})) window_.Navigation().ShowTab(RightPanelTab::TitlePages);
}

void EpisodePlayer::StartQvodTerminal(TerminalForm form) {
    constexpr const char* kTerminal = "QvodTerminal.exe";
    if (window_.ProcessList().IsProcessRunning(kTerminal)) return;
    MainWindowState& s = window_.State();
    if (form == TerminalForm::Portal && s.playerFolder.empty())
        s.playerFolder = window_.StoredSettings().Read(kPlayerFolder.section, kPlayerFolder.key, "0");
    if (s.playerFolder.empty()) return;
    window_.ProcessList().StartDetached(s.playerFolder + kTerminal);
}

void EpisodePlayer::PlayAdjacentEpisode(int direction) {
    const int step = direction == 1 ? -1 : 1;
    const std::optional<PortalEpisode> episode = window_.Session().episode;
    if (!episode) return;
    const int current = TextToInt(episode->number);
    if (current == 0 && direction == 1) return;  // there is no episode before the first
    const std::string adjacent = std::to_string(current + step);
    const EpisodeReply reply =
        ParseEpisodeReply(window_.FetchText(EpisodeRequestUrl(TextToInt(episode->titleId), episode->source, adjacent)));
    if (reply.kind != EpisodeReply::Kind::PlayData) return;
    window_.PaneOf(Pane::Web1).Navigate(
        PlayLink(reply.playerKind, reply.address, episode->name, reply.label, episode->titleId, episode->source, adjacent));
}

void EpisodePlayer::FetchNextEpisode() {
    PlaySession& s = window_.Session();
    if (TextToInt(window_.StoredSettings().Read(kPreloadNext.section, kPreloadNext.key, "0")) != 2) {
        s.next.Mark(NextEpisode::Kind::Unknown);
        return;
    }
    const std::optional<PortalEpisode> episode = s.episode;
    if (!episode) return;
    const std::string next = std::to_string(TextToInt(episode->number) + 1);
    const EpisodeReply reply =
        ParseEpisodeReply(window_.FetchText(EpisodeRequestUrl(TextToInt(episode->titleId), episode->source, next)));
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
            // The next episode always plays in the player control.
            s.next.Found(PlayLink("qvod", reply.address, episode->name, reply.label, episode->titleId, episode->source, next), reply.address);
            return;
        case EpisodeReply::Kind::Failed:
        case EpisodeReply::Kind::Other:
            s.next.Mark(NextEpisode::Kind::RetryDue);
            s.next.MarkMedia(NextEpisode::Media::Unknown);
            s.nextRetryTicks = 0;
            s.next.preloadStarted = true;
            window_.ShowTrayTip("读取下一集数据出错，稍后将重新读取！");
            window_.TimerOf(WindowTimer::NextEpisodeRetry).SetEnabled(true);
            return;
    }
}

void EpisodePlayer::RetryTick() {
    PlaySession& s = window_.Session();
    if (++s.nextRetryTicks < 2) return;
    window_.TimerOf(WindowTimer::NextEpisodeRetry).SetEnabled(false);
    FetchNextEpisode();
    s.next.preloadStarted = false;
    s.nextRetryTicks = 0;
}

void EpisodePlayer::CloseWebPlayer() {
    WindowControls& c = window_.Controls();
    c.SetVisible({ControlName::PagePlayerBox}, false);
    c.SetVisible({ControlName::PlayerBox}, true);
    window_.PaneOf(Pane::Web2).Navigate("about:blank");
    c.SetText({ControlName::TitleLine}, "");
    window_.Inhibition().Update();
}

}  // namespace ruvo
