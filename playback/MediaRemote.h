#pragma once
// What the desktop's media controls (media keys, headset buttons, the media
// widget) ask of the player, answered through the player bar's own actions,
// and what they show: the state, the title and episode, the times, volume.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/MainWindowHost.h"
#include "platform/Player.h"
#include "platform/WebPane.h"
#include "view/WindowView.h"
#include "playback/Playback.h"

namespace ruvo {

class PlayStatusMonitor;
class PlayerMemory;
class PlayerSliders;
class TransportControls;

struct MediaStatus {
    std::string playback;  // "Playing", "Paused" or "Stopped"
    std::string title;     // the title line: name and episode
    std::string url;       // what is loaded
    int64_t positionUs = 0, lengthUs = 0;
    double volume = 0;  // 0.0 to 1.0
    double rate = 1.0;  // playback speed
    bool canPlay = false, canSeek = false, canGoNext = false, canGoPrevious = false;
};

class MediaRemote {
public:
    // What the controls reach: the player and what plays, the window, the
    // page player's pane, the bar's parts, and the program's way out.
    struct Parts {
        Player& player;
        Playback& playback;
        WindowView& controls;
        MainWindowHost& host;
        WebPane& pagePlayer;
        TransportControls& bar;
        PlayerSliders& sliders;
        PlayStatusMonitor& monitor;
        PlayerMemory& memory;
        std::function<void()> quit;
    };
    explicit MediaRemote(Parts parts) : parts_(std::move(parts)) {}
    MediaRemote(const MediaRemote&) = delete;
    MediaRemote& operator=(const MediaRemote&) = delete;

    void PlayPause();
    void Play();
    void Pause();
    void Stop();
    void Next();
    void Previous();
    // Moves the play position by `offsetUs` microseconds, or to `positionUs`.
    void SeekBy(int64_t offsetUs);
    void SeekTo(int64_t positionUs);
    void SetVolume(double volume);
    // Playback speed, kept within 0.5 to 2.0; 0 pauses, as the desktop's
    // media interface asks.
    void SetRate(double rate);
    // Shows the window and brings it to the front.
    void Raise();
    void Quit();

    MediaStatus Status();

private:
    void MoveTo(int64_t seconds);
    // A page item shows in the page player: its page plays the video.
    bool PagePlays() const;
    // What the controls asked of the page's video last: the page tells
    // nobody when its own controls pause it.
    bool pageMediaPaused_ = false;

    Parts parts_;
};

}  // namespace ruvo
