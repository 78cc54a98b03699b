// The program's services on a session bus of the test's own: the screen kept
// awake through a stand-in screensaver service, and the media-player
// interface registered under its name.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QThread>
#include <mutex>

#include "fakes/WindowFixture.h"
#include "adapters/qt/MprisService.h"
#include "adapters/qt/QtScreenSaverInhibitor.h"
#include "playback/TransportControls.h"

namespace ruvo {
namespace {

// org.freedesktop.ScreenSaver as a desktop offers it, recording its calls.
class StandInScreenSaver final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    std::mutex lock;
    std::vector<std::string> calls;
public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        std::lock_guard guard(lock);
        calls.push_back("inhibit " + application.toStdString() + ": " + reason.toStdString());
        return 7;
    }
    void UnInhibit(uint cookie) {
        std::lock_guard guard(lock);
        calls.push_back("uninhibit " + std::to_string(cookie));
    }
};

void PumpEvents(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(ScreenSaverOnTheBus, InhibitsAndReleasesThroughTheService) {
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "no private session bus (dbus-daemon)";
    // The stand-in answers on its own connection and thread, as another program would.
    QThread thread;
    thread.start();
    StandInScreenSaver service;
    service.moveToThread(&thread);
    QDBusConnection standIn = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stand-in"));
    ASSERT_TRUE(standIn.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &service,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(standIn.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));

    QtScreenSaverInhibitor inhibitor;
    EXPECT_TRUE(inhibitor.Inhibit("正在播放视频"));
    inhibitor.Release();
    inhibitor.Release();  // nothing held: no second call
    PumpEvents(200);
    {
        std::lock_guard guard(service.lock);
        EXPECT_EQ(service.calls, (std::vector<std::string>{"inhibit Ruvo影视盒: 正在播放视频", "uninhibit 7"}));
    }
    standIn.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
    QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
    thread.quit();
    thread.wait();
    // No service at all: the request fails quietly.
    EXPECT_FALSE(inhibitor.Inhibit("正在播放视频"));
}

class MediaPlayerOnTheBus : public test::WindowFixture {};

TEST_F(MediaPlayerOnTheBus, RegistersAndAnswersWithTheWindowsState) {
    Load();
    PlayingLocalFile(5);
    player.duration = 60;
    player.position = 5;
    timers.Advance(1000);  // the bar shows it playing
    MprisService service(window->Remote());
    ASSERT_TRUE(service.Registered());
    service.Refresh();
    // The end-to-end test calls it over the bus with gdbus; here the adaptors
    // are asked directly for what the bus would carry.
    EXPECT_EQ(service.findChild<MprisRootAdaptor*>()->Identity(), QStringLiteral("Ruvo影视盒"));
    auto* adaptor = service.findChild<MprisPlayerAdaptor*>();
    ASSERT_NE(adaptor, nullptr);
    EXPECT_EQ(adaptor->PlaybackStatus(), QStringLiteral("Playing"));
    EXPECT_EQ(adaptor->Metadata().value(QStringLiteral("xesam:title")).toString(), QStringLiteral("a.mp4"));
    EXPECT_EQ(adaptor->Metadata().value(QStringLiteral("mpris:length")).toLongLong(), 60'000'000);
    adaptor->PlayPause();
    EXPECT_EQ(player.state, PlayerState::Paused);
    EXPECT_EQ(adaptor->PlaybackStatus(), QStringLiteral("Paused"));
    adaptor->SetVolume(0.4);
    EXPECT_EQ(player.volume, 40);
}

}  // namespace
}  // namespace ruvo

#include "DesktopServicesTest.moc"
