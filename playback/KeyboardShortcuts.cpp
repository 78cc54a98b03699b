#include "playback/KeyboardShortcuts.h"

#include "playback/PlayStatusMonitor.h"
#include "playback/PlayerAreaDrawing.h"
#include "playback/PlayerMemory.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"

namespace ruvo {

bool KeyboardShortcuts::KeyDown(Key key) {
    if (!parts_.playback.Area().ShowsPlayer()) return false;
    bool taken = playerKeys_ && playerKeys_(key);
    if (!taken) taken = BarKeyDown(key);
    parts_.statusTick.SetEnabled(true);  // after any key: status updates again
    parts_.memory.RememberChanges();
    return taken;
}

bool KeyboardShortcuts::BarKeyDown(Key key) {
    bool taken = true;
    switch (key) {
        case Key::Space: parts_.bar.TogglePause(); break;
        case Key::Left: Seek(-10); break;
        case Key::Right: Seek(10); break;
        case Key::Up: ChangeVolume(10); break;
        case Key::Down: ChangeVolume(-10); break;
        case Key::F: parts_.bar.ToggleFullScreen(); break;
        default: taken = false; break;
    }
    return taken;
}

void KeyboardShortcuts::WheelOverPicture(int notches) {
    if (notches == 0) return;
    ChangeVolume(5 * notches);
    parts_.memory.RememberChanges();
}

void KeyboardShortcuts::Seek(int seconds) {
    parts_.statusTick.SetEnabled(false);
    Player& player = parts_.player;
    if (player.Position() <= 0) return;  // never starts a stopped item
    player.SetPosition(player.Position() + seconds);
    if (player.Position() < 0) player.SetPosition(0);
    // Only a seek forward can pass the end (a stream of unknown length has duration 0).
    if (seconds > 0 && player.Duration() < player.Position()) player.SetPosition(player.Duration() - 2);
    parts_.playback.SoughtTo(player.Position());
    DrawPosition();
}

void KeyboardShortcuts::DrawPosition() {
    DrawSeekPosition(parts_.controls, parts_.player.Position(), parts_.player.Duration());
}

void KeyboardShortcuts::ChangeVolume(int step) {
    parts_.bar.Unmute();
    Player& player = parts_.player;
    player.SetVolume(player.Volume() + step);  // unlimited here; the player keeps 0 to 100
    parts_.monitor.ShowNotice("音量：" + std::to_string(player.Volume()) + "%");
    parts_.sliders.DrawVolume(player.Volume());
}

}  // namespace ruvo
