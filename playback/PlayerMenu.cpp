#include "playback/PlayerMenu.h"

#include <cmath>

#include "playback/KeyboardShortcuts.h"
#include "playback/PlaybackSpeed.h"
#include "playback/TrackNames.h"

namespace ruvo {
namespace {

constexpr int kSpeedPercents[] = {50, 75, 100, 125, 150, 175, 200};

PlayerMenuEntry Separator(const std::string& submenu = "") { return {submenu, "-", "", PlayerCommand::PressKey, 0}; }

PlayerMenuEntry KeyEntry(const std::string& submenu, const std::string& caption, const std::string& keyName, Key key) {
    return {submenu, caption, keyName, PlayerCommand::PressKey, static_cast<int>(key)};
}

// A name from the file shows its "&" as it is, never as an access key.
std::string Literal(const std::string& text) {
    std::string escaped;
    for (const char c : text) escaped += c == '&' ? std::string("&&") : std::string(1, c);
    return escaped;
}

// The n-th entry of a list gets the digit n as its access key (1 to 9).
std::string Numbered(size_t n, const std::string& name) {
    return n >= 1 && n <= 9 ? "&" + std::to_string(n) + " " + Literal(name) : Literal(name);
}

void AddTracks(std::vector<PlayerMenuEntry>& menu, const Player& player, TrackKind kind) {
    const char* submenu = kind == TrackKind::Audio ? kAudioMenu : kSubtitleMenu;
    const PlayerCommand command = kind == TrackKind::Audio ? PlayerCommand::SelectAudio : PlayerCommand::SelectSubtitle;
    const std::vector<MediaTrack> tracks = player.Tracks();
    bool anySelected = false;
    size_t shown = 0;
    for (const MediaTrack& track : tracks) {
        if (track.kind != kind) continue;
        anySelected = anySelected || track.selected;
        menu.push_back({submenu, Numbered(++shown, TrackName(track)), "", command, track.id, true, track.selected});
    }
    if (kind == TrackKind::Subtitle) menu.insert(menu.end() - static_cast<long>(shown), {submenu, "&0 关闭", "", command, 0, true, !anySelected});
    if (kind == TrackKind::Audio && shown == 0) menu.push_back({submenu, "(无)", "", command, 0, false, false, false});
}

}  // namespace

std::vector<PlayerMenuEntry> PlayerMenuEntries(const Player& player, bool episodePlays) {
    std::vector<PlayerMenuEntry> menu;
    menu.push_back(KeyEntry("", "播放/暂停", "空格", Key::Space));
    menu.push_back(KeyEntry("", "后退 10 秒", "←", Key::Left));
    menu.push_back(KeyEntry("", "前进 10 秒", "→", Key::Right));
    menu.push_back(KeyEntry("", "音量 +10", "↑", Key::Up));
    menu.push_back(KeyEntry("", "音量 -10", "↓", Key::Down));
    menu.push_back(KeyEntry("", "全屏(&F)", "F", Key::F));
    menu.push_back(Separator());

    AddTracks(menu, player, TrackKind::Audio);
    menu.push_back(Separator(kAudioMenu));
    menu.push_back(KeyEntry(kAudioMenu, "下一音轨", "B", Key::B));

    AddTracks(menu, player, TrackKind::Subtitle);
    menu.push_back(Separator(kSubtitleMenu));
    menu.push_back(KeyEntry(kSubtitleMenu, "下一字幕", "V", Key::V));
    menu.push_back(KeyEntry(kSubtitleMenu, "字幕提前 0.1 秒", "Z", Key::Z));
    menu.push_back(KeyEntry(kSubtitleMenu, "字幕延后 0.1 秒", "X", Key::X));
    menu.push_back({kSubtitleMenu, "加载字幕文件(&L)...", "", PlayerCommand::LoadSubtitle, 0});

    const double speed = player.Speed();
    for (const int percent : kSpeedPercents)
        menu.push_back({kSpeedMenu, SpeedFactorText(percent / 100.0), "",
                        PlayerCommand::SetSpeed, percent, true, std::lround(speed * 100) == percent});
    menu.push_back(Separator(kSpeedMenu));
    menu.push_back(KeyEntry(kSpeedMenu, "减慢", "[", Key::BracketLeft));
    menu.push_back(KeyEntry(kSpeedMenu, "加快", "]", Key::BracketRight));
    menu.push_back(KeyEntry(kSpeedMenu, "正常速度", "Backspace", Key::Backspace));

    menu.push_back(KeyEntry("", "截图(&S)", "S", Key::S));
    menu.push_back(Separator());
    if (episodePlays) {
        menu.push_back({"", "设为片头结束", "", PlayerCommand::MarkOpeningEnd, 0});
        menu.push_back({"", "设为片尾开始", "", PlayerCommand::MarkCreditsStart, 0});
        menu.push_back({"", "清除片头片尾标记", "", PlayerCommand::ClearSkipMarks, 0});
        menu.push_back(Separator());
    }
    menu.push_back({"", "打开文件", "", PlayerCommand::OpenFile, 0});
    menu.push_back({"", "打开网址", "", PlayerCommand::OpenAddress, 0});
    return menu;
}

}  // namespace ruvo
