#pragma once
// The single-instance channel as a local socket named after the program and
// its main window ("Ruvo影视盒", "BA1") in the user's runtime folder. A lock
// file held for the life of the first instance decides which start is first,
// so two starts racing end with one instance, and a crashed instance (whose
// lock the kernel releases) leaves nothing that blocks the next start.
#include <QByteArray>
#include <QLocalServer>
#include <QString>
#include <functional>

#include "platform/InstanceChannel.h"

class QLocalSocket;

namespace ruvo {

// Commands longer than this are dropped (a command line is far shorter).
inline constexpr qsizetype kMaxCommandBytes = 4 * 1024 * 1024;

class LocalInstanceChannel final : public QObject, public InstanceChannel {
public:
    // The channel of the current user: "$XDG_RUNTIME_DIR/Ruvo影视盒|BA1", or
    // the same name in "/tmp/ruvo-box-UID" without one; only in a folder the
    // user alone owns and may enter. "" when there is none: the start then
    // runs on its own, handing nothing to anyone.
    static QString UserChannelPath();

    explicit LocalInstanceChannel(QString path = UserChannelPath());
    ~LocalInstanceChannel() override;

    bool BecomeFirstInstance() override;
    bool SendToRunningInstance(const std::string& commandLine) override;
    bool WaitToBecomeFirstInstance(int milliseconds) override;
    void StopAnswering() override;
    void SetOnCommand(std::function<void(const std::string&)> onCommand) override { onCommand_ = std::move(onCommand); }

private:
    void Accept();
    bool WaitForTheLock(int milliseconds);
    void MarkLock(const char* state);
    // Asks the instance that holds the lock, closing, to end now.
    void EndClosingInstance();

    QString path_;
    int lockFd_ = -1;
    QLocalServer server_;
    std::function<void(const std::string&)> onCommand_;
};

}  // namespace ruvo
