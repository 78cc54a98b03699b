#include "playback/PlayerSliders.h"

#include <algorithm>
#include <cmath>

#include "playback/PlayerMemory.h"
#include "playback/TransportControls.h"

namespace ruvo {
namespace {

int RangeOf(const WindowView& c, ControlName track, ControlName knob) {
    return c.Geometry({track}).width - c.Geometry({knob}).width;
}

}  // namespace

int PlayerSliders::SeekRange() const { return RangeOf(controls_, ControlName::SeekTrack, ControlName::SeekKnob); }
int PlayerSliders::VolumeRange() const { return RangeOf(controls_, ControlName::VolumeTrack, ControlName::VolumeKnob); }

void PlayerSliders::SeekPress(int x) {
    // Not clamped: a press past the range overshoots, and the release pulls
    // the seek back from beyond the end.
    if (SeekRange() <= 0) return;
    MoveLeftEdge(controls_, {ControlName::SeekKnob}, x);
}

void PlayerSliders::SeekDrag(int dx) {
    const int range = SeekRange();
    if (range <= 0) return;
    WindowView& c = controls_;
    int left = c.Geometry({ControlName::SeekKnob}).left + dx;
    if (left < 0) left = 0;
    if (left > range) left = range;
    MoveLeftEdge(c, {ControlName::SeekKnob}, left);
}

void PlayerSliders::SeekRelease(ruvo::SeekRelease where) {
    const int range = SeekRange();
    if (range <= 0) return;
    Player& player = player_;
    const int left = controls_.Geometry({ControlName::SeekKnob}).left;
    double target = static_cast<double>(left) / range * player.Duration();
    if (where == ruvo::SeekRelease::OverDownloadedBar || (where == ruvo::SeekRelease::OverKnob && left > 2)) target -= 2;
    target = std::clamp(target, -2147483648.0, 2147483647.0);
    player.SetPosition(static_cast<int>(std::nearbyint(target)));  // halves to the even number
    if (player.Duration() < player.Position()) player.SetPosition(player.Duration() - 2);
}

void PlayerSliders::SetVolumeFromKnob(int left) {
    Player& player = player_;
    player.SetVolume(static_cast<int>(static_cast<double>(left) / VolumeRange() * 100));  // truncated
    controls_.SetSliderValue({ControlName::VolumeTrack}, {player.Volume(), 100});
    controls_.SetText({ControlName::StatusLine}, "音量：" + std::to_string(player.Volume()) + "%");
    memory_.RememberChanges();
}

void PlayerSliders::SetVolume(int percent) {
    Player& player = player_;
    bar_.Unmute();
    player.SetVolume(std::clamp(percent, 0, 100));
    DrawVolume(player.Volume());
    controls_.SetText({ControlName::StatusLine}, "音量：" + std::to_string(player.Volume()) + "%");
    memory_.RememberChanges();
}

void PlayerSliders::VolumePress(int x) {
    const int range = VolumeRange();
    if (range <= 0) return;
    bar_.Unmute();
    WindowView& c = controls_;
    const int left = x > range ? range : x;
    MoveLeftEdge(c, {ControlName::VolumeKnob}, left);
    PlaceHorizontally(c, {ControlName::VolumeFill}, 0, left);
    SetVolumeFromKnob(left);
}

void PlayerSliders::VolumeDrag(int dx) {
    const int range = VolumeRange();
    if (range <= 0) return;
    bar_.Unmute();
    WindowView& c = controls_;
    const int left = c.Geometry({ControlName::VolumeKnob}).left + dx;
    if (left < 0 || left > range) return;  // beyond either end the knob stays
    MoveLeftEdge(c, {ControlName::VolumeKnob}, left);
    PlaceHorizontally(c, {ControlName::VolumeFill}, 0, left);
    SetVolumeFromKnob(left);
    c.SetTooltip({ControlName::VolumeKnob}, std::to_string(player_.Volume()));
}

void PlayerSliders::DrawVolume(int volume) {
    WindowView& c = controls_;
    const int left = VolumeRange() * volume / 100;
    MoveLeftEdge(c, {ControlName::VolumeKnob}, left);
    PlaceHorizontally(c, {ControlName::VolumeFill}, 0, left);
    c.SetSliderValue({ControlName::VolumeTrack}, {volume, 100});
}

}  // namespace ruvo
