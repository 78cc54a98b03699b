#include "adapters/qt/QtTrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "base/BidiControls.h"
#include "shell/TipMenus.h"

namespace ruvo {
namespace {

constexpr const char* kNotifyService = "org.freedesktop.Notifications";
constexpr const char* kNotifyPath = "/org/freedesktop/Notifications";

}  // namespace

QtTrayIcon::QtTrayIcon(const QIcon& icon) : icon_(icon) {
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) { Activated(reason); });
}

void QtTrayIcon::SetClicks(std::function<void()> left, std::function<void()> right) {
    left_ = std::move(left);
    right_ = std::move(right);
}

bool QtTrayIcon::IsAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool QtTrayIcon::CanShowTrayTips() const {
    if (added_ && IsAvailable()) return true;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(QString::fromLatin1(kNotifyService));
}

void QtTrayIcon::AddTrayIcon(const std::string& tooltip) {
    icon_.setToolTip(QString::fromStdString(ShownText(tooltip)));
    icon_.show();
    added_ = true;
}

void QtTrayIcon::RemoveTrayIcon() {
    icon_.hide();
    added_ = false;
}

void QtTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
    // Qt reports a right click as the context-menu request; the menu is ours to show.
    if (reason == QSystemTrayIcon::Trigger && left_) left_();
    if (reason == QSystemTrayIcon::Context && right_) right_();
}

void QtTrayIcon::ShowTrayTip(const std::string& text) {
    if (!added_) return;
    const QString title = QString::fromUtf8(kTrayBalloonTitle);
    const QString body = QString::fromStdString(ShownText(text));
    QDBusMessage call = QDBusMessage::createMethodCall(kNotifyService, kNotifyPath, kNotifyService, QStringLiteral("Notify"));
    call << QStringLiteral("Ruvo影视盒") << lastNotification_ << QStringLiteral("dialog-information") << title << body
         << QStringList() << QVariantMap() << -1;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return ShowInTray(title, body);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, title, body] {
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) ShowInTray(title, body);  // no notification service: the tray's own balloon
        else lastNotification_ = reply.value();
        watcher->deleteLater();
    });
}

void QtTrayIcon::ShowInTray(const QString& title, const QString& text) {
    if (added_ && IsAvailable()) icon_.showMessage(title, text, QSystemTrayIcon::Information);
}

std::string QtTrayIcon::Place() const {
    if (!added_ || !IsAvailable()) return {};
    const QRect at = icon_.geometry();
    return std::to_string(at.x()) + "," + std::to_string(at.y()) + "," + std::to_string(at.width()) + "," +
           std::to_string(at.height());
}

}  // namespace ruvo
