#include "playback/TransportControls.h"

#include "base/PathText.h"
#include "base/TextWidth.h"
#include "config/PlayableAddress.h"
#include "view/TipPanel.h"

namespace ruvo {

TransportControls::TransportControls(Parts parts) : parts_(std::move(parts)) {
    parts_.playback.Subscribe([this](const PlayerArea& now, const PlayerArea& before) { Follow(now, before); });
}

void TransportControls::Follow(const PlayerArea& now, const PlayerArea& before) {
    if (now.playing != before.playing) Redraw(BarButton::PlayPause);
    if (now.muted != before.muted) Redraw(BarButton::Mute);
}

void TransportControls::TogglePause() { Press(BarButton::PlayPause); }
void TransportControls::Stop() { Press(BarButton::Stop); }
void TransportControls::ToggleMute() { Press(BarButton::Mute); }
void TransportControls::ToggleFullScreen() { Press(BarButton::FullScreen); }
void TransportControls::OpenFile() { Press(BarButton::OpenFile); }
void TransportControls::PlayNextEpisode() { Press(BarButton::Next); }
void TransportControls::PlayPreviousEpisode() { Press(BarButton::Previous); }
void TransportControls::ToggleRightPanel() { Press(BarButton::RightPanel); }

void TransportControls::Click(BarButton button) { Press(button); }

void TransportControls::Press(BarButton button) {
    HideTipPanel(parts_.controls);
    Act(button);
    if (parts_.afterAction) parts_.afterAction();
}

void TransportControls::Act(BarButton button) {
    switch (button) {
        case BarButton::PlayPause: return parts_.playback.TogglePause();
        case BarButton::Stop: return StopPressed();
        case BarButton::Mute: return MuteOrUnmute();
        case BarButton::FullScreen: return FullScreenPressed();
        case BarButton::OpenFile: return ChooseAndPlayFile();
        case BarButton::Next: return PlayAdjacent(1);
        case BarButton::Previous: return PlayAdjacent(-1);
        case BarButton::RightPanel: return parts_.toggleRightPanel();
    }
}

bool TransportControls::ShowsPlaying() const { return parts_.playback.Area().playing; }
bool TransportControls::SoundOn() const { return !parts_.playback.Area().muted; }

BarLook TransportControls::Look() const {
    const PlayerArea& area = parts_.playback.Area();
    return {area.playing, !area.muted, parts_.rightPanelShown};
}

void TransportControls::Redraw(BarButton button) { DrawBarButton(parts_.controls, button, Look()); }

void TransportControls::StopPressed() {
    parts_.playback.Stop();
    Redraw(BarButton::Stop);
}

void TransportControls::Unmute() { parts_.playback.SetMuted(false); }

void TransportControls::MuteOrUnmute() { parts_.playback.SetMuted(SoundOn()); }

// The button, F and the menu's entry toggle: in full screen they leave it
// (paused too), as Esc does.
void TransportControls::FullScreenPressed() {
    Player& player = parts_.player;
    if (player.IsFullScreen()) return player.SetFullScreen(false);
    if (player.PlayState() != PlayerState::Playing) return;
    Redraw(BarButton::FullScreen);
    HideTipPanel(parts_.controls);
    player.SetFullScreen(true);
}

void TransportControls::ChooseAndPlayFile() {
    Redraw(BarButton::OpenFile);
    HideTipPanel(parts_.controls);
    const std::string path = parts_.dialogs.ChooseFile(kOpenFileTitle, kOpenFileFilter);
    if (path.empty()) return;
    if (!IsPlayableAddress(path, AddressOrigin::User)) return parts_.showNotice(kUnsupportedAddressText);
    // Listed under its name as the title line shows it: cut to the line's width.
    parts_.playback.Start({LocalFilePlay{path, TruncateToWidth(FileNameOfPath(path), kTitleLineWidth)}});
    parts_.showLocalFiles();
}

// The look-up does not wait: a second press counts on from the first.
void TransportControls::PlayAdjacent(int step) {
    parts_.playback.StepEpisode(step);
    Redraw(step < 0 ? BarButton::Previous : BarButton::Next);
}

void TransportControls::MouseMove(BarButton barButton, bool inside) {
    WindowView& c = parts_.controls;
    c.SetPicture(ControlOf(barButton), PictureOf(barButton, inside, Look()));
    if (!inside) {
        parts_.host.ReleaseMouse();
        return HideTipPanel(c);
    }
    // The button keeps the mouse, so the move that leaves it still comes here.
    parts_.host.CaptureMouse(ControlOf(barButton));
    ShowTipPanel(c, parts_.compact ? TipAnchor::CompactPlayerBar : TipAnchor::PlayerBar, ControlOf(barButton),
                 TooltipOf(barButton, Look()), parts_.host.InnerHeight());
}

}  // namespace ruvo
