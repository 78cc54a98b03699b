#include "playback/PlayerActions.h"

#include <cmath>
#include <cstdio>

#include "base/PathText.h"
#include "config/FileSystem.h"
#include "config/PlayableAddress.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/PlaybackSpeed.h"
#include "playback/ScreenshotName.h"
#include "playback/TrackNames.h"

namespace ruvo {
namespace {

constexpr double kSubtitleStep = 0.1;  // seconds a key moves the subtitles
constexpr const char* kSubtitleFilter = "字幕文件|*.srt;*.ass;*.ssa;*.vtt;*.sub|所有文件|*.*";

std::string DelayText(double seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "字幕延迟：%+.1f 秒", std::fabs(seconds) < 0.05 ? 0.0 : seconds);
    return text;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

bool IsSubtitleFile(const std::string& path) {
    const std::string lower = LowerAscii(path);
    for (const char* extension : {".srt", ".ass", ".ssa", ".vtt", ".sub"})
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, extension) == 0) return true;
    return false;
}

bool PlayerActions::KeyDown(Key key) {
    if (!wiring_.playerShown()) return false;
    switch (key) {
        case Key::S: TakeScreenshot(); return true;
        case Key::BracketLeft: SetSpeed(SlowerSpeed(player_.Speed())); return true;
        case Key::BracketRight: SetSpeed(FasterSpeed(player_.Speed())); return true;
        case Key::Backspace: SetSpeed(1.0); return true;
        case Key::Z: ShiftSubtitles(-kSubtitleStep); return true;
        case Key::X: ShiftSubtitles(kSubtitleStep); return true;
        case Key::V: NextTrack(TrackKind::Subtitle); return true;
        case Key::B: NextTrack(TrackKind::Audio); return true;
        default: return false;
    }
}

void PlayerActions::Choose(const PlayerMenuEntry& entry) {
    switch (entry.command) {
        case PlayerCommand::PressKey: wiring_.pressKey(static_cast<Key>(entry.argument)); break;
        case PlayerCommand::SelectAudio: SelectTrack(TrackKind::Audio, entry.argument); break;
        case PlayerCommand::SelectSubtitle: SelectTrack(TrackKind::Subtitle, entry.argument); break;
        case PlayerCommand::LoadSubtitle: LoadSubtitleFile(); break;
        case PlayerCommand::SetSpeed: SetSpeed(entry.argument / 100.0); break;
        case PlayerCommand::OpenFile: wiring_.openFile(); break;
        case PlayerCommand::OpenAddress: OpenAddress(); break;
        case PlayerCommand::MarkOpeningEnd:
        case PlayerCommand::MarkCreditsStart:
        case PlayerCommand::ClearSkipMarks:
            if (wiring_.markSkip) wiring_.markSkip(entry.command);
            break;
    }
}

void PlayerActions::SetSpeed(double speed) {
    const double within = SpeedWithinRange(speed);
    player_.SetSpeed(within);
    Notice(SpeedText(within));
}

void PlayerActions::SelectTrack(TrackKind kind, int id) {
    const std::vector<MediaTrack> tracks = player_.Tracks();
    const MediaTrack* chosen = nullptr;
    for (const MediaTrack& track : tracks)
        if (track.kind == kind && track.id == id) chosen = &track;
    if (id != 0 && !chosen) return;  // the item changed since the menu was shown
    player_.SelectTrack(kind, id);
    Notice(TrackChoiceText(kind, chosen));
}

void PlayerActions::NextTrack(TrackKind kind) {
    std::vector<int> ids;
    int selected = 0;
    for (const MediaTrack& track : player_.Tracks()) {
        if (track.kind != kind) continue;
        ids.push_back(track.id);
        if (track.selected) selected = track.id;
    }
    if (ids.empty()) return Notice(TrackChoiceText(kind, nullptr));
    // Subtitles go round through "off"; audio only through its tracks.
    if (kind == TrackKind::Subtitle) ids.push_back(0);
    size_t at = 0;
    while (at < ids.size() && ids[at] != selected) ++at;
    SelectTrack(kind, ids[at + 1 < ids.size() ? at + 1 : 0]);
}

void PlayerActions::ShiftSubtitles(double seconds) {
    const double delay = std::round((player_.SubtitleDelay() + seconds) * 10) / 10;
    player_.SetSubtitleDelay(delay);
    Notice(DelayText(delay));
}

// The dialog starts beside the file that plays, where its subtitles usually are.
void PlayerActions::LoadSubtitleFile() {
    const std::string playing = player_.PlayUrl();
    const std::string folder = !playing.empty() && playing.front() == '/' ? playing.substr(0, playing.rfind('/') + 1) : "";
    const std::string path = dialogs_.ChooseFile("加载字幕文件", kSubtitleFilter, folder);
    if (!path.empty()) AddSubtitleFile(path);
}

void PlayerActions::AddSubtitleFile(const std::string& path) {
    if (player_.PlayUrl().empty()) return Notice("请先播放视频再加载字幕");
    player_.AddSubtitleFile(path);
    Notice("字幕：" + FileNameOfPath(path));
}

void PlayerActions::Drop(const std::vector<std::string>& paths) {
    std::string video;
    for (const std::string& path : paths) {
        if (IsSubtitleFile(path)) AddSubtitleFile(path);
        else if (video.empty()) video = path;  // one plays; a second start hands over one too
    }
    if (!video.empty()) wiring_.playItem(video);
}

void PlayerActions::TakeScreenshot() {
    // A frame shows while the item plays or stands paused (a live stream too).
    const PlayerState state = player_.PlayState();
    if (player_.PlayUrl().empty() || (state != PlayerState::Playing && state != PlayerState::Paused)) return Notice("没有可截图的画面");
    const std::string folder = wiring_.picturesFolder();
    const std::string path =
        MakeFolders(folder) ? FreeScreenshotPath(folder, ScreenshotFileName(wiring_.title(), player_.Position())) : "";
    if (path.empty()) return Notice("截图失败：无法写入 " + folder);
    player_.SaveScreenshot(path, [this, path, folder](bool saved) {
        if (!saved) return Notice("截图失败");
        // Where no notification is seen, the status line says where it went.
        if (wiring_.notificationsShown && !wiring_.notificationsShown()) return Notice("截图已保存到 " + folder);
        Notice("截图已保存");
        wiring_.notify("截图已保存到 " + path);
    });
}

void PlayerActions::OpenAddress() {
    const std::string typed = TrimSpaces(dialogs_.AskText("视频网址(http:// 或 https://)：", "打开网址"));
    if (typed.empty()) return;
    if (!IsWebAddress(typed)) return dialogs_.ShowNotice("无法播放这个网址：只能打开 http:// 或 https:// 开头的视频网址。", "打开网址");
    wiring_.playItem(typed);
}

void PlayerActions::Notice(const std::string& text) const { wiring_.showNotice(text); }

}  // namespace ruvo
