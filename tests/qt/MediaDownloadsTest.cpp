// Downloads ahead, against the demo portal on loopback.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <thread>

#include "demo/PortalServer.h"
#include "fakes/TempFolder.h"
#include "platform/qt/QtMediaDownloads.h"
#include "playback/PlayerFolder.h"

namespace ruvo {
namespace {

class Downloads : public testing::Test {
protected:
    test::TempFolder media, folder;
    std::unique_ptr<demo::PortalServer> portal;
    std::thread serving;
    std::string base;
    QtMediaDownloads downloads;

    void SetUp() override {
        media.Write("t15-s0-e2.mp4", std::string(300000, 'm'));
        portal = std::make_unique<demo::PortalServer>(media.Path());
        base = "http://127.0.0.1:" + std::to_string(portal->Bind(0));
        serving = std::thread([this] { portal->Run(); });
    }
    void TearDown() override {
        portal->Stop();
        serving.join();
    }
    bool WaitUntil(const std::function<bool()>& done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }
    int Requests(const std::string& line) {
        int count = 0;
        for (const auto& seen : portal->Requests()) count += seen == line;
        return count;
    }
};

TEST_F(Downloads, CompletesOnceUnderItsOwnName) {
    const std::string url = base + "/media/t15-s0-e2.mp4";
    EXPECT_TRUE(downloads.Start(url, folder.Path()));
    EXPECT_TRUE(downloads.Start(url, folder.Path()));  // already coming: nothing new starts
    EXPECT_EQ(downloads.CompletedFile(url, folder.Path()), "");
    ASSERT_TRUE(WaitUntil([&] { return !downloads.CompletedFile(url, folder.Path()).empty(); }));
    EXPECT_EQ(ReadWholeFile(downloads.CompletedFile(url, folder.Path())).value_or("").size(), 300000u);
    EXPECT_TRUE(downloads.Start(url, folder.Path()));  // there already
    EXPECT_EQ(Requests("GET /media/t15-s0-e2.mp4"), 1);
}

TEST_F(Downloads, RefusesBadAddressesAndFolders) {
    EXPECT_FALSE(downloads.Start("garbage", folder.Path()));
    EXPECT_FALSE(downloads.Start("file:///etc/passwd", folder.Path()));
    EXPECT_FALSE(downloads.Start(base + "/media/t15-s0-e2.mp4", ""));
    if (geteuid() != 0) {  // root writes anywhere
        chmod(folder.Path().c_str(), 0500);
        EXPECT_FALSE(downloads.Start(base + "/media/t15-s0-e2.mp4", folder.Path()));
        chmod(folder.Path().c_str(), 0700);
    }
}

TEST_F(Downloads, AFailedDownloadLeavesNothingBehind) {
    portal->FaultSwitches().Set("t15-s0-e2.mp4", *demo::ParseFault("drop"));
    const std::string url = base + "/media/t15-s0-e2.mp4";
    EXPECT_TRUE(downloads.Start(url, folder.Path()));
    WaitUntil([&] { return Requests("GET /media/t15-s0-e2.mp4") >= 1 && !PathExists(folder.File(DownloadFileName(url) + ".part")); });
    EXPECT_EQ(downloads.CompletedFile(url, folder.Path()), "");
    EXPECT_FALSE(PathExists(folder.File(DownloadFileName(url))));
    EXPECT_FALSE(PathExists(folder.File(DownloadFileName(url) + ".part")));
}

}  // namespace
}  // namespace ruvo
