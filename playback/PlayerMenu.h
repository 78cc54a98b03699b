#pragma once
// The player's menu (a right click on the picture): every player action
// with the key that does the same, the item's audio and subtitle tracks and
// the playback speeds.
#include <string>
#include <vector>

#include "platform/Keys.h"
#include "platform/Player.h"

namespace ruvo {

enum class PlayerCommand {
    PressKey,        // does what the entry's key does
    SelectAudio,     // argument: the track
    SelectSubtitle,  // argument: the track, 0 = off
    LoadSubtitle,
    SetSpeed,        // argument: percent of normal
    OpenFile,
    OpenAddress,
    MarkOpeningEnd,   // the person's marks for the title's openings and credits
    MarkCreditsStart,
    ClearSkipMarks,
};

struct PlayerMenuEntry {
    std::string submenu;  // the caption of the submenu it is in; "" at the top
    std::string caption;  // "-" is a separator; "&" marks the access key
    std::string keyName;  // the key shown beside it ("空格", "S"); "" for none
    PlayerCommand command = PlayerCommand::PressKey;
    int argument = 0;  // a Key, a track, a speed
    bool checkable = false, checked = false, enabled = true;
};

inline constexpr const char* kAudioMenu = "音轨(&A)";
inline constexpr const char* kSubtitleMenu = "字幕(&T)";
inline constexpr const char* kSpeedMenu = "播放速度(&P)";

// The menu for what the player has loaded now, in order; `episodePlays`:
// a portal title's episode, whose opening and credits can be marked.
std::vector<PlayerMenuEntry> PlayerMenuEntries(const Player& player, bool episodePlays = false);

}  // namespace ruvo
