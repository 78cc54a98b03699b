// The single-instance channel with real local sockets: who is first, what a
// second start's message carries, and what a hostile peer cannot do.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <cstring>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <thread>

#include "fakes/TempFolder.h"
#include "adapters/qt/LocalInstanceChannel.h"
#include "adapters/qt/QtPopupMenus.h"
#include "adapters/qt/SettingsDialogWidget.h"

namespace ruvo {
namespace {

class InstanceChannel : public testing::Test {
protected:
    test::TempFolder folder;
    QString path = QString::fromStdString(folder.File("Ruvo影视盒|BA1"));
    std::vector<std::string> received;

    // A second start in its own thread (it blocks while it sends).
    void SecondStartSends(const std::string& commandLine) {
        std::atomic<bool> done = false;
        std::thread second([this, commandLine, &done] {
            LocalInstanceChannel channel(path);
            EXPECT_FALSE(channel.BecomeFirstInstance());
            channel.SendToRunningInstance(commandLine);
            done = true;
        });
        // The running instance reads while the second start writes.
        while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        second.join();
        PumpEvents(300);
    }
    void PumpEvents(int ms) {
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    // A raw peer that sends these bytes and hangs up.
    void PeerSends(const QByteArray& bytes) {
        QLocalSocket peer;
        peer.connectToServer(path);
        ASSERT_TRUE(peer.waitForConnected(1000));
        peer.write(bytes);
        peer.waitForBytesWritten(1000);
        peer.disconnectFromServer();
        PumpEvents(300);
    }
};

TEST_F(InstanceChannel, SecondStartHandsItsWholeCommandLineOver) {
    LocalInstanceChannel first(path);
    ASSERT_TRUE(first.BecomeFirstInstance());
    first.SetOnCommand([this](const std::string& text) { received.push_back(text); });
    SecondStartSends("\"/home/u/My Videos/a b.mkv\"");
    SecondStartSends("");
    SecondStartSends(std::string(1 << 20, 'x') + "\xff\xfe");
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0], "\"/home/u/My Videos/a b.mkv\"");
    EXPECT_EQ(received[1], "");
    EXPECT_EQ(received[2], std::string(1 << 20, 'x') + "\xff\xfe");
}

// An instance whose exit has begun answers no more; a start that reaches
// it waits for it to end and is then the first instance itself.
TEST_F(InstanceChannel, AStartReachingAClosingInstanceWaitsAndTakesOver) {
    auto closing = std::make_unique<LocalInstanceChannel>(path);
    ASSERT_TRUE(closing->BecomeFirstInstance());
    closing->SetOnCommand([this](const std::string& text) { received.push_back(text); });
    closing->StopAnswering();
    std::atomic<bool> sent = true, tookOver = false, done = false;
    std::thread second([&] {
        LocalInstanceChannel channel(path);
        sent = channel.SendToRunningInstance("/m/a.mp4");
        tookOver = channel.WaitToBecomeFirstInstance(5000);
        done = true;
    });
    PumpEvents(1500);
    EXPECT_FALSE(done) << "it did not wait for the closing instance";
    closing.reset();  // the closing instance ends
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    second.join();
    EXPECT_FALSE(sent);
    EXPECT_TRUE(tookOver);
    EXPECT_TRUE(received.empty());
}

TEST_F(InstanceChannel, TheLaunchersActivationTokenTravelsWithTheCommandLine) {
    LocalInstanceChannel first(path);
    ASSERT_TRUE(first.BecomeFirstInstance());
    first.SetOnCommand([this](const std::string& text) { received.push_back(text); });
    // The second start has only Wayland's variable; the running instance
    // sets both from what it was handed (one process plays both parts here).
    qunsetenv("DESKTOP_STARTUP_ID");
    qputenv("XDG_ACTIVATION_TOKEN", "launcher-token-42");
    SecondStartSends("/m/a.mp4");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], "/m/a.mp4");
    EXPECT_EQ(qgetenv("DESKTOP_STARTUP_ID"), QByteArray("launcher-token-42"));

    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    SecondStartSends("/m/b.mp4");  // no token: the plain message, nothing set
    EXPECT_EQ(received.back(), "/m/b.mp4");
    EXPECT_TRUE(qgetenv("DESKTOP_STARTUP_ID").isEmpty());

    PeerSends("RUVO-BA1+TOKEN\nno-line-break");  // a token without its end: dropped
    EXPECT_EQ(received.size(), 2u);
    PeerSends(QByteArray("RUVO-BA1+TOKEN\ntok\n/m/d.mp4"));
    EXPECT_EQ(received.back(), "/m/d.mp4");
    EXPECT_EQ(qgetenv("XDG_ACTIVATION_TOKEN"), QByteArray("tok"));
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
}

TEST_F(InstanceChannel, GarbageOrSilentPeersAreIgnored) {
    LocalInstanceChannel first(path);
    ASSERT_TRUE(first.BecomeFirstInstance());
    first.SetOnCommand([this](const std::string& text) { received.push_back(text); });
    PeerSends("GET / HTTP/1.0\r\n\r\n");
    PeerSends("");
    PeerSends(QByteArray(kMaxCommandBytes + 64, 'R'));
    EXPECT_TRUE(received.empty());
    SecondStartSends("/m/a.mp4");  // the channel still works afterwards
    EXPECT_EQ(received, std::vector<std::string>{"/m/a.mp4"});
}

TEST_F(InstanceChannel, StaleSocketOfACrashedInstanceDoesNotBlockTheNextStart) {
    // A crashed instance leaves its bound socket file, with nobody listening.
    const int crashed = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray file = QFile::encodeName(path);
    std::memcpy(address.sun_path, file.constData(), static_cast<size_t>(file.size()));
    ASSERT_EQ(bind(crashed, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(crashed);
    ASSERT_TRUE(QFile::exists(path));
    LocalInstanceChannel next(path);
    EXPECT_TRUE(next.BecomeFirstInstance());
    next.SetOnCommand([this](const std::string& text) { received.push_back(text); });
    SecondStartSends("/m/b.mp4");
    EXPECT_EQ(received, std::vector<std::string>{"/m/b.mp4"});
}

TEST_F(InstanceChannel, TheLockGoesWithTheFirstInstance) {
    {
        LocalInstanceChannel first(path);
        ASSERT_TRUE(first.BecomeFirstInstance());
        LocalInstanceChannel second(path);
        EXPECT_FALSE(second.BecomeFirstInstance());
    }
    LocalInstanceChannel later(path);
    EXPECT_TRUE(later.BecomeFirstInstance());
}

TEST_F(InstanceChannel, NoRunningInstanceMeansTheSendGivesUpWithinASecond) {
    LocalInstanceChannel lone(path);
    const auto before = std::chrono::steady_clock::now();
    lone.SendToRunningInstance("/m/c.mp4");
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
}

// Without a runtime folder of its own the channel lives in "/tmp/ruvo-box-UID",
// which must be the user's alone: when another user made that folder, the
// start runs on its own and hands nothing to anyone.
TEST(InstanceChannelPlace, OnlyAFolderTheUserAloneOwnsHoldsTheChannel) {
    test::TempFolder folder;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), temp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(folder.Path()));
    const std::string shared = folder.File("shared");
    MakeFolders(shared);
    chmod(shared.c_str(), 0777);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(shared));  // others may enter it: not used
    const std::string own = folder.File("ruvo-box-" + std::to_string(getuid()));
    EXPECT_EQ(LocalInstanceChannel::UserChannelPath().toStdString(), own + "/Ruvo影视盒|BA1");
    struct stat info {};
    ASSERT_EQ(stat(own.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(own.c_str(), 4321, 4321), 0);  // another user was there first
        EXPECT_TRUE(LocalInstanceChannel::UserChannelPath().isEmpty());
        LocalInstanceChannel alone(LocalInstanceChannel::UserChannelPath());
        EXPECT_TRUE(alone.BecomeFirstInstance());
    }
    qputenv("XDG_RUNTIME_DIR", runtime);
    if (temp.isEmpty()) qunsetenv("TMPDIR");
    else qputenv("TMPDIR", temp);
}

TEST(TipMenusInQt, MenusAreBuiltFromTheirTables) {
    std::vector<std::string> chosen;
    QtPopupMenus menus(nullptr, [&chosen](const std::string& item) { chosen.push_back(item); });
    menus.PopUpAt(MenuName::Tray, 10, 10);
    QMenu* open = menus.OpenMenu();
    ASSERT_TRUE(open);
    const auto actions = open->actions();
    ASSERT_EQ(actions.size(), 7);
    EXPECT_TRUE(actions[3]->isSeparator());
    EXPECT_TRUE(actions[5]->isSeparator());
    EXPECT_EQ(actions[6]->text(), QStringLiteral("退出软件"));
    actions[6]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(chosen, std::vector<std::string>{"quit"});
    open->close();
}

TEST(SettingsDialogInQt, ShowsTheChosenTabAndTheEightBoxes) {
    SettingsDialogWidget dialog(nullptr);
    for (const int index : {0, 1, 2, 3, 5, 6, 7, 8}) {
        dialog.SetChecked(index, index % 2 == 0);
        EXPECT_EQ(dialog.IsChecked(index), index % 2 == 0);
    }
    dialog.SetChecked(4, true);  // there is no box 4
    EXPECT_FALSE(dialog.IsChecked(4));
    dialog.ShowTab(2, "缓存设置");
    dialog.SetFolderText("/srv/films/");
    EXPECT_EQ(dialog.FolderText(), "/srv/films/");
    bool cancelled = false;
    dialog.SetActions({{}, {}, {}, [&cancelled] { cancelled = true; }, {}});
    dialog.Show();
    static_cast<QDialog&>(dialog).reject();  // Esc or the window's close button
    EXPECT_TRUE(cancelled);
}

}  // namespace
}  // namespace ruvo
