// Downloads ahead, against the demo portal on loopback.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStorageInfo>
#include <algorithm>
#include <filesystem>
#include <thread>

#include "demo/PortalServer.h"
#include "fakes/TempFolder.h"
#include "adapters/qt/QtMediaDownloads.h"
#include "config/PlayerFolder.h"

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

// Another user can plant a link at the predictable part file: the download
// never writes through it.
TEST_F(Downloads, ALinkAtThePartFileIsNotFollowed) {
    const std::string url = base + "/media/t15-s0-e2.mp4";
    folder.Write("precious", "the user's file");
    std::filesystem::create_symlink(folder.File("precious"), folder.File(DownloadFileName(url) + ".part"));
    ASSERT_TRUE(downloads.Start(url, folder.Path()));
    ASSERT_TRUE(WaitUntil([&] { return !downloads.CompletedFile(url, folder.Path()).empty(); }));
    EXPECT_EQ(folder.Read("precious"), "the user's file");
    EXPECT_EQ(ReadWholeFile(folder.File(DownloadFileName(url))).value_or("").size(), 300000u);
}

// Only what this program downloaded is played from the folder or pruned from
// it: a file named like one of its downloads is the user's.
TEST_F(Downloads, OnlyItsOwnDownloadsArePlayedOrPruned) {
    const std::string url = base + "/media/t15-s0-e2.mp4";
    const std::string other = base + "/media/other.mp4";
    folder.Write(DownloadFileName(other), "planted");
    EXPECT_EQ(downloads.CompletedFile(other, folder.Path()), "");
    const std::string mine = folder.File("0123456789abcdef-holiday.mp4");
    folder.Write("0123456789abcdef-holiday.mp4", "x");
    std::filesystem::resize_file(mine, 3LL << 30);  // past the folder's limit on its own (sparse)
    ASSERT_TRUE(downloads.Start(url, folder.Path()));
    ASSERT_TRUE(WaitUntil([&] { return !downloads.CompletedFile(url, folder.Path()).empty(); }));
    EXPECT_TRUE(PathExists(mine));
    EXPECT_TRUE(PathExists(folder.File(DownloadFileName(other))));
}

// The free-space reserve holds while a download runs: on a small disk the
// download stops when the disk gets low, and its part file goes.
TEST_F(Downloads, ADownloadStopsWhenTheDiskGetsLow) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    test::TempFolder disk;
    if (std::system(("mount -t tmpfs -o size=600m tmpfs " + disk.Path() + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "cannot mount tmpfs here";
    media.Write("t15-s0-e3.mp4", std::string(40 << 20, 'm'));
    // 522 MiB free: the download may start, and runs under the reserve after about 10 MiB.
    const std::string filler = disk.File("filler");
    std::system(("dd if=/dev/zero of=" + filler + " bs=1M count=78 status=none").c_str());
    const std::string url = base + "/media/t15-s0-e3.mp4";
    portal->FaultSwitches().SetRate(20 << 20);  // slow enough for the free space to be seen as it falls
    EXPECT_TRUE(downloads.Start(url, disk.Path()));
    qint64 leastFree = QStorageInfo(QString::fromStdString(disk.Path())).bytesAvailable();
    WaitUntil([&] {
        leastFree = std::min(leastFree, QStorageInfo(QString::fromStdString(disk.Path())).bytesAvailable());
        return Requests("GET /media/t15-s0-e3.mp4") >= 1 && !PathExists(disk.File(DownloadFileName(url) + ".part"));
    });
    EXPECT_FALSE(PathExists(disk.File(DownloadFileName(url) + ".part")));
    EXPECT_EQ(downloads.CompletedFile(url, disk.Path()), "");
    // Never below the reserve, not even for a moment.
    EXPECT_GE(leastFree, QtMediaDownloads::kFreeSpaceReserve);
    std::system(("umount " + disk.Path()).c_str());
}

}  // namespace
}  // namespace ruvo
