#include "playback/TransportControls.h"

#include "base/NumberText.h"
#include "base/PathText.h"
#include "base/TextWidth.h"
#include "playback/EpisodePlayer.h"
#include "playback/IdleInhibition.h"
#include "playback/PlayerMemory.h"
#include "portal/MainWindow.h"
#include "shell/NavigationButtons.h"

namespace ruvo {
namespace {

ControlId Button(int index) { return {ControlName::TransportButton, index}; }

}  // namespace

void TransportControls::Click(int index) {
    window_.Controls().SetVisible({ControlName::BarTipPanel}, false);
    Act(index);
    window_.Inhibition().Update();
    window_.Memory().RememberChanges();
}

void TransportControls::Act(int index) {
    switch (index) {
        case 0: return ClickPlayPause();
        case 1: return ClickStop();
        case 2: return ClickMute();
        case 3: return ClickFullScreen();
        case 4: return ClickOpenFile();
        case 5: return ClickAdjacent(5, 2, 14);
        case 6: return ClickAdjacent(6, 1, 16);
        case 7:
            window_.Controls().SetPicture(Button(7), 18);
            return window_.Navigation().Click(11);
        default: return;
    }
}

void TransportControls::SavePlayingPosition() {
    const PlaySession& s = window_.Session();
    if (s.listKey.empty() || s.lastPosition <= 0) return;
    if (s.list == ItemList::WatchHistory) window_.Lists().SaveHistoryPosition(TextToInt(s.listKey), s.lastPosition);
    else if (s.list == ItemList::LocalFiles) window_.Lists().SaveLocalFilePosition(s.listKey, s.lastPosition);
}

bool TransportControls::ShowsPlaying() const { return window_.Controls().Tooltip(Button(0)) == "暂停"; }
void TransportControls::ShowPlayPause(bool playing) {
    WindowControls& c = window_.Controls();
    c.SetTooltip(Button(0), playing ? "暂停" : "播放");
    c.SetPicture(Button(0), playing ? 1 : 2);
}

bool TransportControls::SoundOn() const { return window_.Controls().Tooltip(Button(2)) == "静音"; }

void TransportControls::ClickPlayPause() {
    Player& player = window_.PlayerControl();
    if (player.PlayUrl().empty()) return;
    WindowControls& c = window_.Controls();
    PlaySession& s = window_.Session();
    if (ShowsPlaying()) {
        if (s.inPagePlayer) {
            // A web page item: its page goes away and the player box shows.
            c.SetVisible({ControlName::PlayerCover}, true);
            player.SetVisible(false);
            window_.TimerOf(WindowTimer::StatusTick).SetEnabled(false);
            window_.PaneOf(Pane::Web2).SetVisible(false);
            c.SetVisible({ControlName::PagePlayerBox}, false);
            c.SetVisible({ControlName::PlayerBox}, true);
        } else {
            player.Pause();  // the paused picture stays in view
        }
        ShowPlayPause(false);
        c.SetText({ControlName::StatusLine}, "已暂停");
        return;
    }
    // The next playing tick seeks back to where playing stopped.
    s.resumed = false;
    player.Play();
    window_.TimerOf(WindowTimer::StatusTick).SetEnabled(true);
    ShowPlayPause(true);
    c.SetText({ControlName::StatusLine}, "正在播放");
}

void TransportControls::ClickStop() {
    Player& player = window_.PlayerControl();
    if (player.PlayUrl().empty()) return;
    WindowControls& c = window_.Controls();
    c.SetVisible({ControlName::PlayerAdPanel}, false);
    c.SetVisible({ControlName::PlayerCover}, true);
    player.SetVisible(false);
    SavePlayingPosition();
    window_.Session().lastPosition = 0;
    window_.TimerOf(WindowTimer::StatusTick).SetEnabled(false);
    player.Stop();
    ShowPlayPause(false);
    c.SetText({ControlName::StatusLine}, "已停止");
    PlaceHorizontally(c, {ControlName::DownloadedBar}, -30, 0);
    c.SetText({ControlName::PlayTimes}, "00:00 / 00:00");
    MoveLeftEdge(c, {ControlName::SeekKnob}, 0);
    c.SetPicture(Button(1), 3);
}

void TransportControls::Unmute() {
    WindowControls& c = window_.Controls();
    c.SetTooltip(Button(2), "静音");
    c.SetPicture(Button(2), 7);
    window_.PlayerControl().SetMute(0);
}

void TransportControls::ClickMute() {
    WindowControls& c = window_.Controls();
    if (SoundOn()) {
        c.SetTooltip(Button(2), "取消静音");
        window_.PlayerControl().SetMute(-1);
        c.SetPicture(Button(2), 8);
    } else {
        Unmute();
    }
}

void TransportControls::ClickFullScreen() {
    Player& player = window_.PlayerControl();
    if (player.PlayState() != kPlayPlaying) return;
    window_.Controls().SetPicture(Button(3), 11);
    window_.Controls().SetVisible({ControlName::BarTipPanel}, false);
    player.SetFullScreen(-1);
}

void TransportControls::ClickOpenFile() {
    WindowControls& c = window_.Controls();
    c.SetPicture(Button(4), 0);
    c.SetVisible({ControlName::BarTipPanel}, false);
    const std::string path = window_.MessageBoxes().ChooseFile(kOpenFileTitle, kOpenFileFilter);
    if (path.empty()) return;
    PlaySession& s = window_.Session();
    if (!s.inPagePlayer) ClickStop();
    Player& player = window_.PlayerControl();
    player.SetPlayUrl(path);
    player.Play();
    window_.TimerOf(WindowTimer::StatusTick).SetEnabled(true);
    window_.SetTitleLine(TruncateToWidth(FileNameOfPath(path), kTitleLineWidth));
    window_.Lists().AddLocalFileRecord({c.Text({ControlName::TitleLine}), path, 0});
    s.BeginLocalFile(path, 0);
    if (s.inPagePlayer) {
        c.SetVisible({ControlName::PagePlayerBox}, false);
        window_.PaneOf(Pane::Web2).Navigate("about:blank");
        c.SetVisible({ControlName::PlayerBox}, true);
    }
    s.inPagePlayer = false;
    window_.Navigation().Click(8);  // the local-file list comes into view
}

void TransportControls::ClickAdjacent(int index, int direction, int picture) {
    WindowControls& c = window_.Controls();
    c.SetEnabled(Button(index), false);
    window_.Episodes().PlayAdjacentEpisode(direction);
    c.SetEnabled(Button(index), true);
    c.SetPicture(Button(index), picture);
}

int TransportControls::PictureOf(int index, bool hovered) const {
    switch (index) {
        case 0: return ShowsPlaying() ? (hovered ? 4 : 1) : (hovered ? 5 : 2);
        case 1: return hovered ? 6 : 3;
        case 2: return SoundOn() ? (hovered ? 9 : 7) : (hovered ? 10 : 8);
        case 3: return hovered ? 12 : 11;
        case 4: return hovered ? 13 : 0;
        case 5: return hovered ? 15 : 14;
        case 6: return hovered ? 17 : 16;
        default: return hovered ? 19 : 18;
    }
}

void TransportControls::MouseMove(int index, int x, int y) {
    WindowControls& c = window_.Controls();
    const Rect button = c.Geometry(Button(index));
    const bool inside = x >= 0 && x <= button.width && y >= 0 && y <= button.height;
    c.SetPicture(Button(index), PictureOf(index, inside));
    if (!inside) {
        window_.Host().ReleaseMouse();
        c.SetVisible({ControlName::BarTipPanel}, false);
        return;
    }
    // The button keeps the mouse, so the move that leaves it still comes here.
    window_.Host().CaptureMouse(Button(index));
    c.SetText({ControlName::BarTipText}, c.Tooltip(Button(index)));
    const Rect tip = c.Geometry({ControlName::BarTipText});
    c.Move({ControlName::BarTipText}, {3, 3, tip.width, tip.height});
    const int width = tip.width + 6, height = tip.height + 6;
    const int inner = window_.Host().InnerHeight();
    const Rect panel = window_.State().compactMode == 1
                           ? Rect{button.left + button.width - width / 2 - 11, inner - 50, width, height}
                           : Rect{button.left - 18 + 220 + button.width + 7 - width / 2, inner - 55, width, height};
    c.Move({ControlName::BarTipPanel}, panel);
    c.SetVisible({ControlName::BarTipPanel}, true);
}

}  // namespace ruvo
