#include "playback/TransportControls.h"

#include "base/NumberText.h"
#include "base/PathText.h"
#include "base/TextWidth.h"
#include "config/PlayableAddress.h"
#include "playback/BarProgress.h"
#include "view/TipPanel.h"

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
    HideTipPanel(parts_.controls);
    Act(button);
    if (parts_.afterAction) parts_.afterAction();
}

void TransportControls::Act(BarButton button) {
    switch (button) {
        case BarButton::PlayPause: return PlayOrPause();
        case BarButton::Stop: return StopCurrentItem();
        case BarButton::Mute: return MuteOrUnmute();
        case BarButton::FullScreen: return FullScreenPressed();
        case BarButton::OpenFile: return ChooseAndPlayFile();
        case BarButton::Next: return PlayAdjacent(1);
        case BarButton::Previous: return PlayAdjacent(-1);
        case BarButton::RightPanel: return parts_.toggleRightPanel();
    }
}

void TransportControls::SavePlayingPosition() {
    const PlaySession& s = parts_.session;
    if (s.listKey.empty() || s.lastPosition <= 0) return;
    if (s.list == ItemList::WatchHistory) parts_.lists.SaveHistoryPosition(TextToInt(s.listKey), s.lastPosition);
    else if (s.list == ItemList::LocalFiles) parts_.lists.SaveLocalFilePosition(s.listKey, s.lastPosition);
}

bool TransportControls::ShowsPlaying() const { return parts_.session.playing; }
void TransportControls::ShowPlayPause(bool playing) {
    parts_.session.playing = playing;
    Redraw(BarButton::PlayPause);
}

bool TransportControls::SoundOn() const { return parts_.session.soundOn; }

BarLook TransportControls::Look() const {
    const PlaySession& s = parts_.session;
    return {s.playing, s.soundOn, parts_.rightPanelShown};
}

void TransportControls::Redraw(BarButton button) { DrawBarButton(parts_.controls, button, Look()); }

void TransportControls::PlayOrPause() {
    Player& player = parts_.player;
    PlaySession& s = parts_.session;
    // Nothing to pause or play: a page item plays in the page player while
    // the player holds nothing, and the bar does not show it playing.
    if (player.PlayUrl().empty()) return;
    WindowView& c = parts_.controls;
    if (ShowsPlaying()) {
        player.Pause();  // the paused picture stays in view
        ShowPlayPause(false);
        c.SetText({ControlName::StatusLine}, "已暂停");
        return;
    }
    // The next playing tick seeks back to where playing stopped.
    s.resumed = false;
    player.Play();
    parts_.statusTick.SetEnabled(true);
    ShowPlayPause(true);
    c.SetText({ControlName::StatusLine}, "正在播放");
}

void TransportControls::StopCurrentItem(bool keepPlace) {
    Player& player = parts_.player;
    if (player.PlayUrl().empty()) return;
    WindowView& c = parts_.controls;
    c.SetVisible({ControlName::PlayerAdPanel}, false);
    c.SetVisible({ControlName::PlayerCover}, true);
    if (keepPlace) SavePlayingPosition();
    parts_.session.lastPosition = 0;
    parts_.statusTick.SetEnabled(false);
    player.Stop();
    ShowPlayPause(false);
    c.SetText({ControlName::StatusLine}, "已停止");
    DrawBarProgress(c, Stopped());
    Redraw(BarButton::Stop);
}

void TransportControls::Unmute() {
    parts_.session.soundOn = true;
    Redraw(BarButton::Mute);
    parts_.player.SetMute(0);
}

void TransportControls::MuteOrUnmute() {
    if (!SoundOn()) return Unmute();
    parts_.session.soundOn = false;
    Redraw(BarButton::Mute);
    parts_.player.SetMute(-1);
}

// The button, F and the menu's entry toggle: in full screen they leave it
// (paused too), as Esc does.
void TransportControls::FullScreenPressed() {
    Player& player = parts_.player;
    if (player.IsFullScreen()) return player.SetFullScreen(0);
    if (player.PlayState() != PlayerState::Playing) return;
    Redraw(BarButton::FullScreen);
    HideTipPanel(parts_.controls);
    player.SetFullScreen(-1);
}

void TransportControls::ChooseAndPlayFile() {
    Redraw(BarButton::OpenFile);
    HideTipPanel(parts_.controls);
    const std::string path = parts_.dialogs.ChooseFile(kOpenFileTitle, kOpenFileFilter);
    if (path.empty()) return;
    if (!IsPlayableAddress(path, AddressOrigin::User)) return parts_.showNotice(kUnsupportedAddressText);
    // Listed under its name as the title line shows it: cut to the line's width.
    parts_.play({LocalFilePlay{path, TruncateToWidth(FileNameOfPath(path), kTitleLineWidth)}});
    parts_.showLocalFiles();
}

// The look-up does not wait: a second press asks again, and the newer wins.
void TransportControls::PlayAdjacent(int step) {
    parts_.playAdjacentEpisode(step);
    Redraw(step < 0 ? BarButton::Previous : BarButton::Next);
}

void TransportControls::MouseMove(int index, int x, int y) {
    if (index < 0 || index >= kBarButtonCount) return;
    const BarButton barButton = static_cast<BarButton>(index);
    WindowView& c = parts_.controls;
    const Rect button = c.Geometry(ControlOf(barButton));
    const bool inside = x >= 0 && x <= button.width && y >= 0 && y <= button.height;
    c.SetPicture(ControlOf(barButton), PictureOf(barButton, inside, Look()));
    if (!inside) {
        parts_.host.ReleaseMouse();
        return HideTipPanel(c);
    }
    // The button keeps the mouse, so the move that leaves it still comes here.
    parts_.host.CaptureMouse(ControlOf(barButton));
    ShowTipPanel(c, parts_.compact ? TipAnchor::CompactPlayerBar : TipAnchor::PlayerBar, button,
                 TooltipOf(barButton, Look()), parts_.host.InnerHeight());
}

}  // namespace ruvo
