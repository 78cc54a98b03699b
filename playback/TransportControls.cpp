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

void TransportControls::TogglePause() { Press(BarButton::PlayPause); }
void TransportControls::Stop() { Press(BarButton::Stop); }
void TransportControls::ToggleMute() { Press(BarButton::Mute); }
void TransportControls::ToggleFullScreen() { Press(BarButton::FullScreen); }
void TransportControls::OpenFile() { Press(BarButton::OpenFile); }
void TransportControls::PlayNextEpisode() { Press(BarButton::Next); }
void TransportControls::PlayPreviousEpisode() { Press(BarButton::Previous); }
void TransportControls::ToggleRightPanel() { Press(BarButton::RightPanel); }

void TransportControls::Click(int index) {
    if (index >= 0 && index < kBarButtonCount) Press(static_cast<BarButton>(index));
}

void TransportControls::Press(BarButton button) {
    window_.Controls().SetVisible({ControlName::BarTipPanel}, false);
    Act(button);
    window_.Inhibition().Update();
    window_.Memory().RememberChanges();
}

void TransportControls::Act(BarButton button) {
    switch (button) {
        case BarButton::PlayPause: return PlayOrPause();
        case BarButton::Stop: return StopCurrentItem();
        case BarButton::Mute: return MuteOrUnmute();
        case BarButton::FullScreen: return EnterFullScreen();
        case BarButton::OpenFile: return ChooseAndPlayFile();
        case BarButton::Next: return PlayAdjacent(button, 2);
        case BarButton::Previous: return PlayAdjacent(button, 1);
        case BarButton::RightPanel: return window_.Navigation().ToggleRightPanel();
    }
}

void TransportControls::SavePlayingPosition() {
    const PlaySession& s = window_.Session();
    if (s.listKey.empty() || s.lastPosition <= 0) return;
    if (s.list == ItemList::WatchHistory) window_.Lists().SaveHistoryPosition(TextToInt(s.listKey), s.lastPosition);
    else if (s.list == ItemList::LocalFiles) window_.Lists().SaveLocalFilePosition(s.listKey, s.lastPosition);
}

bool TransportControls::ShowsPlaying() const { return window_.Session().playing; }
void TransportControls::ShowPlayPause(bool playing) {
    window_.Session().playing = playing;
    Redraw(BarButton::PlayPause);
}

bool TransportControls::SoundOn() const { return window_.Session().soundOn; }

BarLook TransportControls::Look() const {
    const PlaySession& s = window_.Session();
    return {s.playing, s.soundOn, window_.State().rightPanelShown};
}

void TransportControls::Redraw(BarButton button) { DrawBarButton(window_.Controls(), button, Look()); }

void TransportControls::PlayOrPause() {
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

void TransportControls::StopCurrentItem() {
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
    Redraw(BarButton::Stop);
}

void TransportControls::Unmute() {
    window_.Session().soundOn = true;
    Redraw(BarButton::Mute);
    window_.PlayerControl().SetMute(0);
}

void TransportControls::MuteOrUnmute() {
    if (!SoundOn()) return Unmute();
    window_.Session().soundOn = false;
    Redraw(BarButton::Mute);
    window_.PlayerControl().SetMute(-1);
}

void TransportControls::EnterFullScreen() {
    Player& player = window_.PlayerControl();
    if (player.PlayState() != kPlayPlaying) return;
    Redraw(BarButton::FullScreen);
    window_.Controls().SetVisible({ControlName::BarTipPanel}, false);
    player.SetFullScreen(-1);
}

void TransportControls::ChooseAndPlayFile() {
    WindowControls& c = window_.Controls();
    Redraw(BarButton::OpenFile);
    c.SetVisible({ControlName::BarTipPanel}, false);
    const std::string path = window_.MessageBoxes().ChooseFile(kOpenFileTitle, kOpenFileFilter);
    if (path.empty()) return;
    PlaySession& s = window_.Session();
    if (!s.inPagePlayer) StopCurrentItem();
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
    window_.Navigation().ShowTab(RightPanelTab::LocalFiles);
}

// The button stays disabled while the portal is asked for the episode.
void TransportControls::PlayAdjacent(BarButton button, int direction) {
    WindowControls& c = window_.Controls();
    c.SetEnabled(ControlOf(button), false);
    window_.Episodes().PlayAdjacentEpisode(direction);
    c.SetEnabled(ControlOf(button), true);
    Redraw(button);
}

void TransportControls::MouseMove(int index, int x, int y) {
    if (index < 0 || index >= kBarButtonCount) return;
    const BarButton barButton = static_cast<BarButton>(index);
    WindowControls& c = window_.Controls();
    const Rect button = c.Geometry(ControlOf(barButton));
    const bool inside = x >= 0 && x <= button.width && y >= 0 && y <= button.height;
    c.SetPicture(ControlOf(barButton), PictureOf(barButton, inside, Look()));
    if (!inside) {
        window_.Host().ReleaseMouse();
        c.SetVisible({ControlName::BarTipPanel}, false);
        return;
    }
    // The button keeps the mouse, so the move that leaves it still comes here.
    window_.Host().CaptureMouse(ControlOf(barButton));
    c.SetText({ControlName::BarTipText}, TooltipOf(barButton, Look()));
    const Rect tip = c.Geometry({ControlName::BarTipText});
    c.Move({ControlName::BarTipText}, {3, 3, tip.width, tip.height});
    const int width = tip.width + 6, height = tip.height + 6;
    const int inner = window_.Host().InnerHeight();
    const Rect panel = window_.State().compact
                           ? Rect{button.left + button.width - width / 2 - 11, inner - 50, width, height}
                           : Rect{button.left - 18 + 220 + button.width + 7 - width / 2, inner - 55, width, height};
    c.Move({ControlName::BarTipPanel}, panel);
    c.SetVisible({ControlName::BarTipPanel}, true);
}

}  // namespace ruvo
