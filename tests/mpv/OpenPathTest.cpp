// What libmpv opens on its way to playing an address, with the program's
// guard and options, the real library and the demo portal: each row names
// what is loaded and whether it plays; no row may reach the listener, nor
// open the user's file unless the user chose it.
#include <gtest/gtest.h>

#include <thread>

#include "adapters/mpv/MpvLibrary.h"
#include "adapters/mpv/MpvOpenGuard.h"
#include "demo/PortalServer.h"
#include "fakes/OpenWitnesses.h"
#include "fakes/TempFolder.h"

namespace ruvo {
namespace {

class PlayerOpenPath : public ::testing::Test {
protected:
    void SetUp() override {
        if (!(lib = MpvLibrary::Get())) GTEST_SKIP() << "no libmpv";
        web = "http://127.0.0.1:" + std::to_string(portal.Bind(0));
        server = std::thread([this] { portal.Run(); });
        mpv = lib->create();
        for (const char* name : {"vo", "ao"}) lib->set_option_string(mpv, name, "null");
        lib->set_option_string(mpv, "idle", "yes");
        for (const char* name : {"config", "ytdl", "load-scripts"}) lib->set_option_string(mpv, name, "no");
        MpvOpenGuard::SetOptions(*lib, mpv);
        ASSERT_TRUE(lib->initialize(mpv) >= 0 && MpvOpenGuard::Install(*lib, mpv));
        folder.Write("secret.mp4", ReadWholeFile(std::string(RUVO_DEMO_MEDIA) + "/t15-s0-e1.mp4").value_or(""));
    }
    void TearDown() override {
        if (!lib) return;
        lib->terminate_destroy(mpv);
        portal.Stop();
        server.join();
    }
    void Serve(const std::string& target, const std::string& fault) { portal.FaultSwitches().Set(target, *demo::ParseFault(fault)); }
    // Loads `address` and reads libmpv's events until it is idle again;
    // true when a picture was shown.
    bool Plays(const std::string& address, const OpenRules& rules) {
        guard.Load(*lib, mpv, address, rules, 0);
        bool started = false, shown = false;
        for (int quiet = 0; quiet < 20;) {
            const mpv_event* event = lib->wait_event(mpv, 1);
            if (guard.Handle(*lib, mpv, *event)) continue;
            const char* stop[] = {"stop", nullptr};
            if (event->event_id == MPV_EVENT_PLAYBACK_RESTART) lib->command_async(mpv, 0, stop);
            shown |= event->event_id == MPV_EVENT_PLAYBACK_RESTART;
            started |= event->event_id == MPV_EVENT_START_FILE;
            if (event->event_id == MPV_EVENT_IDLE && started) break;
            quiet += event->event_id == MPV_EVENT_NONE;
        }
        return shown;
    }

    const MpvLibrary* lib = nullptr;
    mpv_handle* mpv = nullptr;
    MpvOpenGuard guard;
    demo::PortalServer portal{RUVO_DEMO_MEDIA};
    std::thread server;
    std::string web;
    test::TempFolder folder;
};

TEST_F(PlayerOpenPath, EveryAddressOnTheWayIsOnTheWebUnlessTheUserChoseTheFile) {
    test::LoopbackListener listener;
    test::FileOpenWatch secret(folder.File("secret.mp4"));
    const std::string net = listener.HostAndPort() + "/x", file = folder.File("secret.mp4"), dir = folder.Path();
    // Every protocol name libmpv or FFmpeg knows besides the web's.
    const std::string others[] = {
        "gopher://" + net, "gophers://" + net, "rtsp://" + net, "rtsps://" + net, "rtmp://" + net, "rtmpt://" + net,
        "mms://" + net, "mmsh://" + net, "mmst://" + net, "srt://" + net, "rist://" + net, "httpproxy://" + net,
        "tcp://" + net, "tls://" + net, "udp://" + net, "rtp://" + net, "ftp://" + net, "sftp://" + net, "smb://" + net,
        "icecast://" + net, "dav://" + net, "unix:" + dir + "/s", "file://" + file, file, dir, "/proc/self/environ",
        "edl://" + file, "slice://0-100@" + file, "appending://" + file, "lavf://file:" + file, "av://lavfi:amovie=" + file,
        "memory://x", "hex://00", "fd://0", "fdclose://0", "null://", "concat:" + file + "|" + file, "cache:" + file,
        "subfile,,start,0,end,100,,:" + file, "data:video/mp4;base64,AAAA", "async:" + file, "crypto:" + file, "pipe:0",
        "bluray://" + dir, "dvd://" + dir, "cdda://", "dvb://", "mf://" + file, "tv://", "ytdl://x", "ffmpeg://" + file,
        "archive://" + file + "|/x", "rar://" + file + "|/x"};
    std::string playlist = "#EXTM3U\n";
    for (const auto& entry : others) playlist += entry + "\n";
    for (const char* name : {"next.mp4", "next.mp4.part", "mine.m3u"}) folder.Write(name, playlist);  // downloaded, the user's
    folder.Write("next.edl", "# mpv EDL v0\n" + file + "\n");  // an EDL reads its sources without a load of their own
    Serve("list.m3u", "text:" + playlist);
    Serve("nested.m3u", "text:#EXTM3U\n" + web + "/box/list.m3u\n");
    Serve("cut.edl", "text:# mpv EDL v0\nrtsp://" + net + "\n");
    Serve("away.m3u", "redirect:" + web + "/box/list.m3u");
    Serve("away.mp4", "redirect:" + web + "/media/t15-s0-e1.mp4");
    Serve("gopher", "redirect:gopher://" + net);
    Serve("rtsp", "redirect:rtsp://" + net);
    Serve("file", "redirect:file://" + file);
    const OpenRules fromWeb{AddressOrigin::Outside, ""}, fromUser{AddressOrigin::User, ""};
    const std::tuple<std::string, OpenRules, bool> rows[] = {
        {web + "/media/t15-s0-e1.mp4", fromWeb, true},
        {web + "/box/list.m3u", fromWeb, false},
        {web + "/box/nested.m3u", fromWeb, false},
        {web + "/box/cut.edl", fromWeb, false},
        {web + "/box/away.mp4", fromWeb, true},
        {web + "/box/away.m3u", fromWeb, false},
        {web + "/box/gopher", fromWeb, false},
        {web + "/box/rtsp", fromWeb, false},
        {web + "/box/file", fromWeb, false},
        {folder.File("next.mp4"), {AddressOrigin::Outside, folder.File("next.mp4")}, false},  // the download ahead's copy
        {folder.File("next.edl"), {AddressOrigin::Outside, folder.File("next.edl")}, false},
        {folder.File("next.mp4.part"), fromWeb, false},
        {folder.File("mine.m3u"), fromUser, true},  // its entry of the user's own file plays
        {file, {AddressOrigin::User, file}, true},
    };
    for (const auto& [address, rules, plays] : rows) {
        EXPECT_EQ(Plays(address, rules), plays) << address;
        EXPECT_EQ(secret.Opened(), rules.origin == AddressOrigin::User) << address;
    }
    for (const auto& address : others) {
        EXPECT_FALSE(Plays(address, fromWeb)) << address;
        EXPECT_FALSE(secret.Opened()) << address;
    }
    EXPECT_EQ(listener.Connections(), 0);
}

}  // namespace
}  // namespace ruvo
