#include "adapters/qt/QtScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace ruvo {
namespace {

constexpr int kCallTimeoutMs = 1000;  // a service that hangs must not hold the window long

QDBusMessage ScreenSaverCall(const char* method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), QString::fromLatin1(method));
}

}  // namespace

bool QtScreenSaverInhibitor::Inhibit(const std::string& reason) {
    Release();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call = ScreenSaverCall("Inhibit");
    call << QStringLiteral("Ruvo影视盒") << QString::fromStdString(reason);
    const QDBusReply<uint> reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (!reply.isValid()) return false;
    cookie_ = reply.value();
    return true;
}

void QtScreenSaverInhibitor::Release() {
    if (!cookie_) return;
    QDBusMessage call = ScreenSaverCall("UnInhibit");
    call << *cookie_;
    cookie_.reset();
    QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}

}  // namespace ruvo
