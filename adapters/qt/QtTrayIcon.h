#pragma once
// The tray icon as a QSystemTrayIcon, and balloon messages as the desktop's
// notifications (org.freedesktop.Notifications), which also reach the user
// on desktops without a tray.
#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

#include "platform/Tray.h"

namespace ruvo {

class QtTrayIcon final : public QObject, public TrayIcon {
public:
    explicit QtTrayIcon(const QIcon& icon);

    void SetClicks(std::function<void()> left, std::function<void()> right);
    bool IsAvailable() const override;
    bool CanShowTrayTips() const override;
    void AddTrayIcon(const std::string& tooltip) override;
    void RemoveTrayIcon() override;
    void ShowTrayTip(const std::string& text) override;
    // Where the icon sits on the screen ("" when not shown), for the trace.
    std::string Place() const;

private:
    void Activated(QSystemTrayIcon::ActivationReason reason);
    void ShowInTray(const QString& title, const QString& text);

    QSystemTrayIcon icon_;
    bool added_ = false;
    uint lastNotification_ = 0;  // each balloon replaces the one before
    std::function<void()> left_, right_;
};

}  // namespace ruvo
