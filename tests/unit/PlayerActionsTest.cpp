// The player's actions beyond its bar, against a player that remembers what
// it was told: which track, speed, delay or file each key, menu entry and
// drop ends in, what the status line says, where a screenshot goes, and the
// addresses and files that must not play.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "config/FileSystem.h"
#include "fakes/Fakes.h"
#include "fakes/TempFolder.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/PlaybackSpeed.h"
#include "playback/PlayerActions.h"
#include "playback/PlayerMenu.h"
#include "playback/ScreenshotName.h"
#include "playback/TrackNames.h"

namespace ruvo {
namespace {

MediaTrack Track(TrackKind kind, int id, std::string language, std::string title, bool selected = false) {
    return {kind, id, std::move(language), std::move(title), selected, false};
}

class Actions : public testing::Test {
protected:
    test::FakePlayer player;
    test::FakeDialogs dialogs;
    test::TempFolder home;
    bool playerShown = true;
    std::vector<std::string> notices, notifications, played;
    bool notificationsShown = true;
    std::vector<Key> keysPressed;
    int openFileClicks = 0;
    std::string title = "星河漫游记-第3集";
    std::string pictures = home.File("图片");

    PlayerActions actions{player, dialogs, Wiring()};

    PlayerActionsWiring Wiring() {
        PlayerActionsWiring wiring;
        wiring.playerShown = [this] { return playerShown; };
        wiring.title = [this] { return title; };
        wiring.showNotice = [this](const std::string& text) { notices.push_back(text); };
        wiring.notify = [this](const std::string& text) { notifications.push_back(text); };
        wiring.notificationsShown = [this] { return notificationsShown; };
        wiring.playItem = [this](const std::string& item) { played.push_back(item); };
        wiring.pressKey = [this](Key key) { keysPressed.push_back(key); };
        wiring.openFile = [this] { ++openFileClicks; };
        wiring.picturesFolder = [this] { return pictures; };
        return wiring;
    }
    void LoadFilmWithTracks() {
        player.url = "http://m/film.mkv";
        player.state = PlayerState::Playing;
        player.duration = 1800;
        player.position = 754;
        player.tracks = {Track(TrackKind::Audio, 1, "chi", "国语", true), Track(TrackKind::Audio, 2, "eng", "English"),
                         Track(TrackKind::Subtitle, 1, "chi", "简体中文", true), Track(TrackKind::Subtitle, 2, "", "")};
    }
    int Selected(TrackKind kind) const {
        for (const MediaTrack& track : player.tracks)
            if (track.kind == kind && track.selected) return track.id;
        return 0;
    }
    std::string LastNotice() const { return notices.empty() ? "" : notices.back(); }
};

TEST_F(Actions, KeysStepTheSpeedWithinHalfAndDouble) {
    EXPECT_TRUE(actions.KeyDown(Key::BracketRight));
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 1.25);
    EXPECT_EQ(LastNotice(), "播放速度：1.25x");
    for (int i = 0; i < 10; ++i) actions.KeyDown(Key::BracketRight);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 2.0);
    EXPECT_EQ(LastNotice(), "播放速度：2.0x");
    actions.KeyDown(Key::Backspace);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 1.0);
    for (int i = 0; i < 10; ++i) actions.KeyDown(Key::BracketLeft);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 0.5);
    EXPECT_EQ(LastNotice(), "播放速度：0.5x");
    // A speed between the steps (set from outside) goes to the next one.
    player.playbackSpeed = 1.1;
    actions.KeyDown(Key::BracketRight);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 1.25);
    player.playbackSpeed = 1.1;
    actions.KeyDown(Key::BracketLeft);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 1.0);
}

TEST_F(Actions, SpeedFromOutsideIsKeptInRange) {
    actions.SetSpeed(7.5);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 2.0);
    actions.SetSpeed(0.1);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 0.5);
    actions.SetSpeed(std::nan(""));
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 1.0);
}

TEST_F(Actions, KeysAreThePlayersOnlyWhileItShows) {
    playerShown = false;
    for (const Key key : {Key::S, Key::BracketLeft, Key::BracketRight, Key::Backspace, Key::Z, Key::X, Key::V, Key::B})
        EXPECT_FALSE(actions.KeyDown(key)) << static_cast<int>(key);
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 1.0);
    EXPECT_TRUE(notices.empty());
    playerShown = true;
    EXPECT_FALSE(actions.KeyDown(Key::Space));  // the bar's own key: not these actions'
}

TEST_F(Actions, SubtitlesGoRoundThroughOffAudioOnlyThroughItsTracks) {
    LoadFilmWithTracks();
    actions.KeyDown(Key::V);
    EXPECT_EQ(Selected(TrackKind::Subtitle), 2);
    EXPECT_EQ(LastNotice(), "字幕：字幕 2");  // a track the file names nothing for
    actions.KeyDown(Key::V);
    EXPECT_EQ(Selected(TrackKind::Subtitle), 0);
    EXPECT_EQ(LastNotice(), "字幕：关闭");
    actions.KeyDown(Key::V);
    EXPECT_EQ(Selected(TrackKind::Subtitle), 1);
    EXPECT_EQ(LastNotice(), "字幕：简体中文 (中文)");

    actions.KeyDown(Key::B);
    EXPECT_EQ(Selected(TrackKind::Audio), 2);
    EXPECT_EQ(LastNotice(), "音轨：English (英语)");
    actions.KeyDown(Key::B);
    EXPECT_EQ(Selected(TrackKind::Audio), 1);
}

TEST_F(Actions, SubtitleDelayMovesByTenthsWithoutDrift) {
    LoadFilmWithTracks();
    for (int i = 0; i < 3; ++i) actions.KeyDown(Key::X);
    EXPECT_DOUBLE_EQ(player.subtitleDelay, 0.3);
    EXPECT_EQ(LastNotice(), "字幕延迟：+0.3 秒");
    for (int i = 0; i < 5; ++i) actions.KeyDown(Key::Z);
    EXPECT_DOUBLE_EQ(player.subtitleDelay, -0.2);
    EXPECT_EQ(LastNotice(), "字幕延迟：-0.2 秒");
    actions.KeyDown(Key::X);
    actions.KeyDown(Key::X);
    EXPECT_EQ(LastNotice(), "字幕延迟：+0.0 秒");
}

TEST_F(Actions, MenuShowsTheItemsTracksAndTheChoiceActs) {
    LoadFilmWithTracks();
    player.playbackSpeed = 1.5;
    const std::vector<PlayerMenuEntry> menu = PlayerMenuEntries(player);
    std::vector<std::string> audio, subtitles;
    for (const PlayerMenuEntry& entry : menu) {
        if (entry.command == PlayerCommand::SelectAudio) audio.push_back(entry.caption + (entry.checked ? " *" : ""));
        if (entry.command == PlayerCommand::SelectSubtitle) subtitles.push_back(entry.caption + (entry.checked ? " *" : ""));
        if (entry.command == PlayerCommand::SetSpeed) {
            EXPECT_EQ(entry.checked, entry.argument == 150) << entry.caption;
        }
        if (entry.command == PlayerCommand::PressKey && entry.caption != "-") {
            EXPECT_FALSE(entry.keyName.empty()) << entry.caption;
        }
    }
    EXPECT_EQ(audio, (std::vector<std::string>{"&1 国语 (中文) *", "&2 English (英语)"}));
    EXPECT_EQ(subtitles, (std::vector<std::string>{"&0 关闭", "&1 简体中文 (中文) *", "&2 字幕 2"}));

    const auto entry = [&](PlayerCommand command, int argument) {
        for (const PlayerMenuEntry& e : menu)
            if (e.command == command && e.argument == argument) return e;
        ADD_FAILURE() << "no such entry";
        return PlayerMenuEntry{};
    };
    actions.Choose(entry(PlayerCommand::SelectAudio, 2));
    EXPECT_EQ(Selected(TrackKind::Audio), 2);
    actions.Choose(entry(PlayerCommand::SelectSubtitle, 0));
    EXPECT_EQ(Selected(TrackKind::Subtitle), 0);
    actions.Choose(entry(PlayerCommand::SetSpeed, 75));
    EXPECT_DOUBLE_EQ(player.playbackSpeed, 0.75);
    actions.Choose(entry(PlayerCommand::PressKey, static_cast<int>(Key::F)));
    EXPECT_EQ(keysPressed, std::vector<Key>{Key::F});
    actions.Choose(entry(PlayerCommand::OpenFile, 0));
    EXPECT_EQ(openFileClicks, 1);

    // An entry of a menu shown before the item changed plays no stranger's track.
    player.tracks = {Track(TrackKind::Audio, 1, "", "", true)};
    actions.Choose(entry(PlayerCommand::SelectAudio, 2));
    EXPECT_EQ(Selected(TrackKind::Audio), 1);
}

TEST_F(Actions, TrackNamesFromTheFileArePlainShortText) {
    EXPECT_EQ(TrackName(Track(TrackKind::Audio, 3, "", "")), "音轨 3");
    EXPECT_EQ(TrackName(Track(TrackKind::Audio, 1, "jpn", "")), "日语");
    EXPECT_EQ(TrackName(Track(TrackKind::Audio, 1, "xho", "Commentary")), "Commentary (xho)");
    EXPECT_EQ(TrackName(Track(TrackKind::Subtitle, 1, "chi", "中文")), "中文");  // said once
    EXPECT_EQ(TrackName(Track(TrackKind::Subtitle, 1, "", "a\nb\x1b[31m")), "a b [31m");
    // Bidirectional controls would show the name reordered ("\u202E" + "crs.exe" reads "exe.src").
    EXPECT_EQ(TrackName(Track(TrackKind::Subtitle, 1, "", "\u202Ecrs.exe\u2066\u200F\u061C中")), "crs.exe中");
    const std::string longTitle(300, 'x');
    EXPECT_EQ(TrackName(Track(TrackKind::Subtitle, 1, "", longTitle)).size(), 40u);
    // In the menu an "&" of the file is an "&", never an access key.
    player.tracks = {Track(TrackKind::Audio, 1, "", "R&B")};
    bool found = false;
    for (const PlayerMenuEntry& entry : PlayerMenuEntries(player))
        if (entry.command == PlayerCommand::SelectAudio) found = entry.caption == "&1 R&&B";
    EXPECT_TRUE(found);
}

TEST_F(Actions, DropsPlayTheFirstFilmAndAddSubtitlesToWhatPlays) {
    player.url = "/home/u/film.mkv";
    actions.Drop({"/home/u/film.zh.SRT", "/home/u/next.mp4", "/home/u/other.mp4"});
    EXPECT_EQ(player.subtitleFiles, std::vector<std::string>{"/home/u/film.zh.SRT"});
    EXPECT_EQ(LastNotice(), "字幕：film.zh.SRT");
    EXPECT_EQ(played, std::vector<std::string>{"/home/u/next.mp4"});
    // Subtitles with nothing playing have nowhere to go.
    player.url.clear();
    actions.Drop({"/home/u/a.ass"});
    EXPECT_EQ(player.subtitleFiles.size(), 1u);
    EXPECT_EQ(LastNotice(), "请先播放视频再加载字幕");
}

// A file's subtitles usually lie beside it: the dialog starts there.
TEST_F(Actions, TheSubtitleDialogStartsBesideThePlayingFile) {
    PlayerMenuEntry load;
    load.command = PlayerCommand::LoadSubtitle;
    player.url = "/home/u/视频/film.mkv";
    dialogs.chosenFile = "/home/u/视频/film.srt";
    actions.Choose(load);
    EXPECT_EQ(dialogs.fileDialogFolders.back(), "/home/u/视频/");
    EXPECT_EQ(player.subtitleFiles, std::vector<std::string>{"/home/u/视频/film.srt"});
    player.url = "http://m/film.mkv";  // a stream has no folder: where the last file was chosen
    actions.Choose(load);
    EXPECT_EQ(dialogs.fileDialogFolders.back(), "");
}

TEST_F(Actions, OnlyWebAddressesAreOpened) {
    const auto open = [&](const std::string& typed) {
        played.clear();
        dialogs.typedText = typed;
        PlayerMenuEntry entry;
        entry.command = PlayerCommand::OpenAddress;
        actions.Choose(entry);
        return played.empty() ? std::string("(nothing)") : played.front();
    };
    EXPECT_EQ(open("  https://v.example.com/a.m3u8 "), "https://v.example.com/a.m3u8");
    EXPECT_EQ(open("HTTP://Host/a.mp4"), "HTTP://Host/a.mp4");
    EXPECT_EQ(open(""), "(nothing)");
    EXPECT_TRUE(dialogs.notices.empty());  // cancelled: nothing said
    for (const std::string bad : {"file:///etc/passwd", "/etc/passwd", "javascript:alert(1)", "http://", "https:///x",
                                  "http://a b/c", "http://host/\x01", "ftp://host/a.mp4", "eeshow://1"}) {
        EXPECT_EQ(open(bad), "(nothing)") << bad;
    }
    ASSERT_FALSE(dialogs.notices.empty());
    EXPECT_EQ(dialogs.notices.back().title, "打开网址");
    EXPECT_EQ(dialogs.textDialogs.back().title, "打开网址");
}

TEST_F(Actions, ScreenshotsGoToThePicturesFolderUnderFreeNames) {
    LoadFilmWithTracks();
    title = "星河/漫游记: 第3集?";
    actions.KeyDown(Key::S);
    ASSERT_EQ(player.screenshots.size(), 1u);
    EXPECT_EQ(player.screenshots[0], JoinPath(pictures, "星河_漫游记_ 第3集_ 00-12-34.png"));
    EXPECT_TRUE(PathExists(pictures));  // made when missing
    EXPECT_EQ(notifications, std::vector<std::string>{"截图已保存到 " + player.screenshots[0]});
    EXPECT_EQ(LastNotice(), "截图已保存");

    std::ofstream(player.screenshots[0]) << "taken";  // the player wrote it
    actions.KeyDown(Key::S);
    EXPECT_EQ(player.screenshots[1], JoinPath(pictures, "星河_漫游记_ 第3集_ 00-12-34 (2).png"));

    // No notification service, no tray: the status line says where it went.
    notificationsShown = false;
    actions.KeyDown(Key::S);
    EXPECT_EQ(LastNotice(), "截图已保存到 " + pictures);
    EXPECT_EQ(notifications.size(), 2u);

    player.screenshotsSucceed = false;
    actions.KeyDown(Key::S);
    EXPECT_EQ(LastNotice(), "截图失败");
    EXPECT_EQ(notifications.size(), 2u);
}

TEST_F(Actions, NoScreenshotWithoutAPictureOrAPlaceForIt) {
    actions.KeyDown(Key::S);
    EXPECT_EQ(LastNotice(), "没有可截图的画面");
    LoadFilmWithTracks();
    player.state = PlayerState::Stopped;
    actions.KeyDown(Key::S);
    EXPECT_EQ(LastNotice(), "没有可截图的画面");
    EXPECT_TRUE(player.screenshots.empty());
    player.state = PlayerState::Paused;
    player.duration = 0;  // a live stream, paused: its frame shows
    actions.KeyDown(Key::S);
    EXPECT_EQ(player.screenshots.size(), 1u);
    player.screenshots.clear();
    std::ofstream(home.File("file")) << "x";
    pictures = home.File("file/图片");  // under a file: cannot be made
    actions.KeyDown(Key::S);
    EXPECT_EQ(LastNotice(), "截图失败：无法写入 " + pictures);
    EXPECT_TRUE(player.screenshots.empty());
}

TEST(ScreenshotName, NamesHideNothingAndStayShort) {
    EXPECT_EQ(ScreenshotFileName("", 5), "截图 00-00-05.png");
    EXPECT_EQ(ScreenshotFileName("..hidden", 3725), "hidden 01-02-05.png");
    EXPECT_EQ(ScreenshotFileName("  ", -4), "截图 00-00-00.png");
    EXPECT_EQ(ScreenshotFileName("星河\u202Egnp.exe", 1), "星河gnp.exe 00-00-01.png");
    EXPECT_EQ(ScreenshotFileName(std::string(200, 'a'), 0), std::string(80, 'a') + " 00-00-00.png");
}

TEST(PlaybackSpeed, TextsInTheMenuAndTheStatusLine) {
    EXPECT_EQ(SpeedFactorText(0.75), "0.75x");
    EXPECT_EQ(SpeedFactorText(1.0), "1.0x");
    EXPECT_EQ(SpeedText(1.5), "播放速度：1.5x");
    EXPECT_EQ(SpeedText(9), "播放速度：2.0x");
}

}  // namespace
}  // namespace ruvo
