// What the program adds for the Linux desktop, end to end with the real
// program: media controls over a session bus of the test's own (called with
// gdbus, as a desktop's media keys would), volume remembered across runs,
// the decoder logged, links to other sites in the browser, and "Open with"
// through the desktop entry's command.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/TextFile.h"
#include "e2e/ProgramUnderTest.h"
#include "fakes/PrivateSessionBus.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

const std::string kMedia = std::string(RUVO_DEMO_MEDIA) + "/t15-s0-e1.mp4";

// What a command prints.
std::string Output(const std::string& command) {
    std::string text;
    if (FILE* out = popen((command + " 2>&1").c_str(), "r")) {
        char chunk[4096];
        while (size_t n = std::fread(chunk, 1, sizeof chunk, out)) text.append(chunk, n);
        pclose(out);
    }
    return text;
}

class DesktopIntegrationEndToEnd : public testing::Test {
protected:
    test::PrivateSessionBus bus;
    test::ProgramUnderTest program;

    void SetUp() override {
        if (!bus.Running()) GTEST_SKIP() << "no dbus-daemon";
    }
    // A call to the program's media-player object ("Get" reads a property).
    std::string Mpris(const std::string& methodAndArguments) {
        return Output("timeout 10 gdbus call --session --dest org.mpris.MediaPlayer2.ruvo_box "
                      "--object-path /org/mpris/MediaPlayer2 --method " + methodAndArguments);
    }
    std::string Property(const std::string& name) {
        return Mpris("org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2.Player " + name);
    }
    bool WaitForProperty(const std::string& name, const std::string& part) {
        return program.WaitFor([&] { return Property(name).find(part) != std::string::npos; }, 10s);
    }
    std::string PlayerSetting(const char* key) {
        return ReadSetting(program.ProgramFile("config.dll"), "Player", key, "absent");
    }
};

TEST_F(DesktopIntegrationEndToEnd, MediaKeysReachThePlayerOverTheSessionBus) {
    program.Start({kMedia});
    ASSERT_TRUE(program.WaitForTrace("player started"));
    EXPECT_NE(Mpris("org.freedesktop.DBus.Properties.Get org.mpris.MediaPlayer2 Identity").find("Ruvo影视盒"),
              std::string::npos);
    EXPECT_TRUE(WaitForProperty("PlaybackStatus", "'Playing'"));
    EXPECT_TRUE(WaitForProperty("Metadata", "t15-s0-e1"));  // the title line shows the file's name
    size_t from = program.Trace().size();
    Mpris("org.mpris.MediaPlayer2.Player.PlayPause");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=已暂停", from));
    EXPECT_TRUE(WaitForProperty("PlaybackStatus", "'Paused'"));
    Mpris("org.mpris.MediaPlayer2.Player.Play");
    EXPECT_TRUE(WaitForProperty("PlaybackStatus", "'Playing'"));
    Mpris("org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume '<0.5>'");
    EXPECT_TRUE(program.WaitFor([&] { return PlayerSetting("Volume") == "50"; }, 5s)) << PlayerSetting("Volume");
    from = program.Trace().size();
    Mpris("org.mpris.MediaPlayer2.Player.Stop");
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=已停止", from));
    EXPECT_TRUE(WaitForProperty("PlaybackStatus", "'Stopped'"));
    // The decoder that played the file is in the log: software under Xvfb.
    EXPECT_TRUE(program.WaitForTracePrefix("player hwdec ", 0));
}

// From one episode to the next the desktop's media widget sees the track
// change, never a stop between the two.
TEST_F(DesktopIntegrationEndToEnd, EpisodeChangeIsATrackChangeNotAStop) {
    program.Start();
    const auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    program.Pages().ClickLink(*home, "a[href^='eebovod://15-0-0-']");  // 5 s episodes
    ASSERT_TRUE(WaitForProperty("PlaybackStatus", "'Playing'"));
    std::vector<std::string> seen;
    program.WaitFor([&] {
        seen.push_back(Property("PlaybackStatus"));
        for (const auto& line : program.Trace())
            if (line == "text bo_name=山城往事-第2集") return Property("PlaybackStatus").find("'Playing'") != std::string::npos;
        return false;
    }, 30s);
    for (const auto& status : seen) EXPECT_EQ(status.find("'Stopped'"), std::string::npos) << status;
    EXPECT_TRUE(WaitForProperty("Metadata", "第2集"));
}

TEST_F(DesktopIntegrationEndToEnd, VolumeAndMuteComeBackOnTheNextRun) {
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    EXPECT_EQ(PlayerSetting("Volume"), "absent");  // nothing written until the user changes it
    Mpris("org.freedesktop.DBus.Properties.Set org.mpris.MediaPlayer2.Player Volume '<0.25>'");
    ASSERT_TRUE(program.WaitFor([&] { return PlayerSetting("Volume") == "25"; }, 5s));
    program.Stop();
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    EXPECT_TRUE(WaitForProperty("Volume", "<0.25>"));
}

TEST_F(DesktopIntegrationEndToEnd, LinkToAnotherSiteOpensInTheBrowser) {
    // The browser is whatever $BROWSER names: here a script that notes the address.
    const std::string opened = program.RecordBrowserLaunches();
    program.Start();
    const auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    // A link over the whole pane, clicked with the pointer: only the user's
    // own click opens the browser, once.
    program.Pages().Evaluate(*home, "var a=document.createElement('a');a.textContent='外站链接';"
                                    "a.href='http://127.0.0.2:9/elsewhere.html';"
                                    "a.style='position:fixed;left:0;top:0;width:100%;height:100%;z-index:99';"
                                    "document.body.appendChild(a);");
    const auto pane = program.TracedPlace("Pic1");
    ASSERT_TRUE(pane);
    if (!program.ClickMiddleOf(*pane)) GTEST_SKIP() << "no X display";
    EXPECT_TRUE(program.WaitFor([&] { return PathExists(opened); }, 10s));
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(ReadWholeFile(opened), "http://127.0.0.2:9/elsewhere.html\n");
    // The portal pane stays on the portal.
    EXPECT_NE(program.Pages().Evaluate(*home, "location.href").find(program.PortalBase()), std::string::npos);
}

TEST_F(DesktopIntegrationEndToEnd, OpenWithRunsTheDesktopEntrysCommandThroughTheHandOff) {
    std::ifstream entry(std::string(RUVO_SOURCE_DIR) + "/resources/ruvo-box.desktop");
    std::string line, exec;
    while (std::getline(entry, line))
        if (line.rfind("Exec=", 0) == 0) exec = line.substr(5);
    ASSERT_EQ(exec, "ruvo-box %f");
    program.Start();
    ASSERT_TRUE(program.WaitForHomePage());
    // The desktop runs the command with the file for %f.
    const pid_t second = program.StartAnother({kMedia});
    EXPECT_TRUE(program.WaitForExit(second, 10s));
    EXPECT_TRUE(program.WaitForTrace("player started"));
    EXPECT_NE(ReadWholeFile(program.ProgramFile("date_f.dat")).value_or("").find("t15-s0-e1"), std::string::npos);
}

}  // namespace
}  // namespace ruvo
