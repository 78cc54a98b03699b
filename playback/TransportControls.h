#pragma once
// The player bar's eight buttons (bo_but 0 to 7): play/pause, stop, mute,
// full screen, open a file, next and previous episode, show/hide the right
// panel; their hover pictures and the tooltip panel p1 above them.
#include <string>

namespace ruvo {

class MainWindow;

// The open-file dialog's filter: the classic media types and those common on Linux.
inline constexpr const char* kOpenFileFilter =
    "影音文件|*.rm;*.rmvb;*.wmv;*.mp3;*wma;*mid;*wav;*mpg;*mp4;*.mkv;*.webm;*.avi;*.flv;*.m4v;*.ts;*.mov;*.ogg;*.ogv"
    "|所有文件|*.*";
inline constexpr const char* kOpenFileTitle = "选择播放文件";

class TransportControls {
public:
    explicit TransportControls(MainWindow& window) : window_(window) {}

    // A click on button `index`; every click first hides the tooltip panel.
    void Click(int index);
    // Button 1, stop: stores the position of the item that was playing in
    // its list, stops the player and resets the bar. Nothing while nothing
    // is loaded.
    void ClickStop();
    // Stores where the playing list item is, as stop does, and plays on.
    void SavePlayingPosition();
    // The play button says "暂停" while something plays (the page player too);
    // the mute button says "静音" while the sound is on.
    bool ShowsPlaying() const;
    // Gives the play/pause button its look and tooltip: the pause look
    // ("暂停", image 1) while playing, the play look ("播放", image 2) otherwise.
    void ShowPlayPause(bool playing);
    bool SoundOn() const;
    // Sound on again, as every volume change by mouse or key does.
    void Unmute();
    // The mouse moved over button `index` at (x, y) of the button: the hover
    // picture and the tooltip panel while inside, the normal picture outside.
    void MouseMove(int index, int x, int y);

private:
    void Act(int index);
    void ClickPlayPause();
    void ClickMute();
    void ClickFullScreen();
    void ClickOpenFile();
    void ClickAdjacent(int index, int direction, int picture);
    // The button's picture, normal or under the mouse.
    int PictureOf(int index, bool hovered) const;

    MainWindow& window_;
};

}  // namespace ruvo
