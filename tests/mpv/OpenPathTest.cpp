// What libmpv opens on its way to playing an address, with the program's
// guard and options, the real library and the demo portal: each row names
// what is loaded and whether it plays, and every row's other addresses
// point at listeners and a file that must stay untouched.
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
        lib = MpvLibrary::Get();
        if (!lib) GTEST_SKIP() << "no libmpv";
        port = portal.Bind(0);
        server = std::thread([this] { portal.Run(); });
        mpv = lib->create();
        for (const char* option : {"vo=null", "ao=null", "config=no", "ytdl=no", "load-scripts=no", "idle=yes"}) {
            const std::string text = option;
            lib->set_option_string(mpv, text.substr(0, text.find('=')).c_str(), text.substr(text.find('=') + 1).c_str());
        }
        MpvOpenGuard::SetOptions(*lib, mpv);
        ASSERT_GE(lib->initialize(mpv), 0);
        ASSERT_TRUE(MpvOpenGuard::Install(*lib, mpv));
        guard.SetRefusalObserver([this](const std::string& address) { refused.push_back(address); });
        folder.Write("secret.mp4", ReadWholeFile(std::string(RUVO_DEMO_MEDIA) + "/t15-s0-e1.mp4").value_or(""));
    }
    void TearDown() override {
        if (!lib) return;
        lib->terminate_destroy(mpv);
        portal.Stop();
        server.join();
    }
    std::string Portal(const std::string& path) { return "http://127.0.0.1:" + std::to_string(port) + "/box/" + path; }
    std::string Media() { return "http://127.0.0.1:" + std::to_string(port) + "/media/t15-s0-e1.mp4"; }
    void Serve(const std::string& target, const std::string& fault) { portal.FaultSwitches().Set(target, *demo::ParseFault(fault)); }

    // Loads `address` and reads libmpv's events until it is idle again;
    // true when a picture was shown.
    bool Plays(const std::string& address, const OpenRules& rules) {
        refused.clear();
        guard.Load(*lib, mpv, address, rules, 0);
        bool started = false, shown = false;
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < limit) {
            const mpv_event* event = lib->wait_event(mpv, 1);
            if (guard.Handle(*lib, mpv, *event)) continue;
            if (event->event_id == MPV_EVENT_START_FILE) started = true;
            if (event->event_id == MPV_EVENT_PLAYBACK_RESTART) {
                shown = true;
                const char* stop[] = {"stop", nullptr};
                lib->command_async(mpv, 0, stop);
            }
            if (event->event_id == MPV_EVENT_IDLE && started) break;
        }
        return shown;
    }

    const MpvLibrary* lib = nullptr;
    mpv_handle* mpv = nullptr;
    MpvOpenGuard guard;
    std::vector<std::string> refused;
    demo::PortalServer portal{RUVO_DEMO_MEDIA};
    std::thread server;
    int port = 0;
    test::TempFolder folder;
};

TEST_F(PlayerOpenPath, EveryAddressOnTheWayIsOnTheWebUnlessTheUserChoseTheFile) {
    test::LoopbackListener listener;
    test::FileOpenWatch secret(folder.File("secret.mp4"));
    const std::string host = listener.HostAndPort();
    const std::string file = folder.File("secret.mp4");
    // Every protocol name libmpv or FFmpeg knows besides the web's, as
    // entries of one playlist and as sources of one EDL.
    const std::string entries[] = {
        "gopher://" + host + "/1x", "gophers://" + host + "/1x", "rtsp://" + host + "/x", "rtsps://" + host + "/x",
        "rtmp://" + host + "/x", "rtmpt://" + host + "/x", "mms://" + host + "/x", "mmsh://" + host + "/x",
        "mmst://" + host + "/x", "srt://" + host, "rist://" + host, "httpproxy://" + host + "/x",
        "tcp://" + host, "tls://" + host, "udp://" + host, "rtp://" + host, "ftp://" + host + "/x",
        "sftp://" + host + "/x", "icecast://" + host + "/x", "smb://" + host + "/x", "dav://" + host + "/x",
        "unix:" + folder.File("socket"), "file://" + file, file, folder.Path(), "/proc/self/environ",
        "edl://" + file, "slice://0-100@" + file, "appending://" + file, "lavf://file:" + file,
        "av://lavfi:amovie=" + file, "memory://x", "hex://00", "fd://0", "fdclose://0", "null://",
        "concat:" + file + "|" + file, "subfile,,start,0,end,100,,:" + file, "data:video/mp4;base64,AAAA",
        "cache:" + file, "async:" + file, "crypto:" + file, "pipe:0", "bluray://" + folder.Path(),
        "dvd://" + folder.Path(), "cdda://", "dvb://", "mf://" + file, "tv://", "ytdl://x", "smb://x/y",
        "ffmpeg://" + file, "archive://" + file + "|/x", "rar://" + file + "|/x", "fdclose://3",
    };
    std::string playlist = "#EXTM3U\n", edl = "# mpv EDL v0\n";
    for (const auto& entry : entries) {
        playlist += entry + "\n";
        edl += "%" + std::to_string(entry.size()) + "%" + entry + "\n";
    }
    folder.Write("next.mp4", playlist);  // a copy downloaded ahead, as the portal sent it
    folder.Write("next.mp4.part", playlist);
    Serve("list.m3u", "text:" + playlist);
    Serve("nested.m3u", "text:#EXTM3U\n" + Portal("list.m3u") + "\n");
    Serve("cut.edl", "text:" + edl);
    Serve("away.m3u", "redirect:" + Portal("list.m3u"));
    Serve("away.mp4", "redirect:" + Media());
    Serve("gopher", "redirect:gopher://" + host + "/1x");
    Serve("local", "redirect:file://" + file);
    Serve("rtsp", "redirect:rtsp://" + host + "/x");
    folder.Write("mine.m3u", playlist);
    const OpenRules web{AddressOrigin::Outside, ""}, user{AddressOrigin::User, ""};
    struct Row {
        std::string name, address;
        OpenRules rules;
        bool plays;
    };
    const Row rows[] = {
        {"portal media", Media(), web, true},
        {"playlist of every other protocol", Portal("list.m3u"), web, false},
        {"playlist naming that playlist", Portal("nested.m3u"), web, false},
        {"EDL of every other protocol", Portal("cut.edl"), web, false},
        {"redirect to media", Portal("away.mp4"), web, true},
        {"redirect to the playlist", Portal("away.m3u"), web, false},
        {"redirect to gopher", Portal("gopher"), web, false},
        {"redirect to a file", Portal("local"), web, false},
        {"redirect to rtsp", Portal("rtsp"), web, false},
        {"downloaded copy of the playlist", folder.File("next.mp4"), {AddressOrigin::Outside, folder.File("next.mp4")}, false},
        {"part file of the download", folder.File("next.mp4.part"), web, false},
        {"every other protocol directly", "gopher://" + host + "/1x", web, false},
        {"the user's playlist: its file plays", folder.File("mine.m3u"), user, true},
        {"the user's own file", file, {AddressOrigin::User, file}, true},
    };
    for (const Row& row : rows) {
        const int before = listener.Connections();
        EXPECT_EQ(Plays(row.address, row.rules), row.plays) << row.name;
        EXPECT_EQ(listener.Connections(), before) << row.name;
        EXPECT_EQ(secret.Opened(), row.rules.origin == AddressOrigin::User) << row.name;
    }
}

}  // namespace
}  // namespace ruvo
