#pragma once
// What the player does besides its bar: audio and subtitle tracks, subtitle
// files and delay, playback speed, screenshots, dropped files and typed
// addresses. Reached by keys, the player's menu, drops and the desktop's
// media controls; each change shows in the status line for a moment.
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Player.h"
#include "playback/PlayerMenu.h"

namespace ruvo {

struct PlayerActionsWiring {
    std::function<bool()> playerShown;                     // the player box shows: its keys act
    std::function<std::string()> title;                    // what plays, as the title line names it
    std::function<void(const std::string&)> showNotice;    // in the status line for 2 s
    std::function<void(const std::string&)> notify;        // a desktop notification
    std::function<bool()> notificationsShown;              // whether such a notification is seen at all
    std::function<void(const std::string&)> playItem;      // plays a path or address, listed as a local file
    std::function<void(Key)> pressKey;                     // the window's handling of a key
    std::function<void()> openFile;                        // the player bar's open-file button
    std::function<std::string()> picturesFolder;           // where screenshots go
    std::function<void(PlayerCommand)> markSkip;           // the person's marks of openings and credits
};

class PlayerActions {
public:
    PlayerActions(Player& player, Dialogs& dialogs, PlayerActionsWiring wiring)
        : player_(player), dialogs_(dialogs), wiring_(std::move(wiring)) {}

    // A key went down in the window: true when it was one of these actions'.
    bool KeyDown(Key key);
    // An entry of the player's menu was chosen.
    void Choose(const PlayerMenuEntry& entry);
    // A speed asked for from outside, kept within 0.5 to 2.0.
    void SetSpeed(double speed);
    // Files dropped on the window: a subtitle file joins what plays, a video
    // plays as a local file.
    void Drop(const std::vector<std::string>& paths);

private:
    void SelectTrack(TrackKind kind, int id);
    // The next track of a kind, after the last one none (subtitles) or the first.
    void NextTrack(TrackKind kind);
    void ShiftSubtitles(double seconds);
    void LoadSubtitleFile();
    void AddSubtitleFile(const std::string& path);
    void TakeScreenshot();
    void OpenAddress();
    void Notice(const std::string& text) const;

    Player& player_;
    Dialogs& dialogs_;
    PlayerActionsWiring wiring_;
};

// True for the file names of subtitles (.srt, .ass, .ssa, .vtt, .sub).
bool IsSubtitleFile(const std::string& path);

}  // namespace ruvo
