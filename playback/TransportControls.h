#pragma once
// What the player bar's eight buttons do (play/pause, stop, mute, full
// screen, open a file, next and previous episode, show/hide the right panel),
// their hover pictures and the tooltip panel above them.
#include <functional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/MainWindowHost.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "view/WindowView.h"
#include "playback/Playback.h"
#include "playback/PlayerBarLook.h"

namespace ruvo {

// The open-file dialog's filter: the classic media types and those common on Linux.
inline constexpr const char* kOpenFileFilter =
    "影音文件|*.rm;*.rmvb;*.wmv;*.mp3;*wma;*mid;*wav;*mpg;*mp4;*.mkv;*.webm;*.avi;*.flv;*.m4v;*.ts;*.mov;*.ogg;*.ogv"
    "|所有文件|*.*";
inline constexpr const char* kOpenFileTitle = "选择播放文件";

class TransportControls {
public:
    // What the bar shows, the owner of what plays it asks, the open-file
    // dialog, and calls into the parts around it.
    struct Parts {
        WindowView& controls;
        MainWindowHost& host;
        Player& player;
        Playback& playback;
        const bool& rightPanelShown;  // the frame's, beside the player
        const bool& compact;          // the frame is the small window
        Dialogs& dialogs;
        std::function<void()> toggleRightPanel;
        std::function<void()> showLocalFiles;
        // After every action: the screen saver and the remembered volume follow.
        std::function<void()> afterAction;
        // Holds a text in the status line for two seconds (an address refused).
        std::function<void(const std::string&)> showNotice;
    };
    // It redraws its play and mute buttons as the player area changes.
    explicit TransportControls(Parts parts);

    // What the bar's buttons do. Each first hides the tooltip panel and
    // afterwards lets the screensaver and the remembered volume follow.
    void TogglePause();
    void Stop();
    void ToggleMute();
    void ToggleFullScreen();
    void OpenFile();
    void PlayNextEpisode();
    void PlayPreviousEpisode();
    void ToggleRightPanel();
    void Click(BarButton button);

    // The play button offers to pause while something plays.
    bool ShowsPlaying() const;
    bool SoundOn() const;
    // Sound on again, as every volume change by mouse or key does.
    void Unmute();
    // What the bar's looks are drawn from now.
    BarLook Look() const;
    // Draws one button from the state, as after a change of it.
    void Redraw(BarButton button);
    // The mouse moved over button `index`: the hover picture and the
    // tooltip panel while inside, the normal picture once out of it.
    void MouseMove(BarButton button, bool inside);

private:
    void Press(BarButton button);
    void Act(BarButton button);
    void StopPressed();
    void MuteOrUnmute();
    void FullScreenPressed();
    void ChooseAndPlayFile();
    void PlayAdjacent(int step);
    void Follow(const PlayerArea& now, const PlayerArea& before);

    Parts parts_;
};

}  // namespace ruvo
