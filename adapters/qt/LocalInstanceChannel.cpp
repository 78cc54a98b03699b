#include "adapters/qt/LocalInstanceChannel.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include "app/InstanceMessage.h"

namespace ruvo {
namespace {

// The launcher's token of this start (Wayland's XDG_ACTIVATION_TOKEN, X11's
// DESKTOP_STARTUP_ID); "" when it has none.
std::string LaunchToken() {
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty()) token = qgetenv("DESKTOP_STARTUP_ID");
    return token.toStdString();
}

// A second start gives up on a running instance that does not answer.
constexpr int kConnectLimitMs = 800;
// A peer that keeps its connection open without finishing is dropped.
constexpr int kPeerLimitMs = 10000;
// The longest message: a command line at its limit with a token.
constexpr qsizetype kMaxMessageBytes = kMaxCommandBytes + static_cast<qsizetype>(kInstanceTokenMagic.size() +
                                                                                 kMaxActivationTokenBytes + 1);

// A folder this user owns and no one else may enter.
bool IsPrivateFolder(const QByteArray& folder) {
    struct stat info {};
    return lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 077) == 0;
}

}  // namespace

QString LocalInstanceChannel::UserChannelPath() {
    const QString name = QStringLiteral("Ruvo影视盒|BA1");
    // Only a folder this user alone owns and may enter: in a shared one,
    // another user could hold the lock and take the command line.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime)) return QString::fromLocal8Bit(runtime) + QLatin1Char('/') + name;
    const QByteArray own = QFile::encodeName(QDir::tempPath() + QStringLiteral("/ruvo-box-") + QString::number(getuid()));
    mkdir(own.constData(), 0700);
    if (IsPrivateFolder(own)) return QFile::decodeName(own) + QLatin1Char('/') + name;
    return {};  // no safe place: this start runs on its own, with no hand-off
}

LocalInstanceChannel::LocalInstanceChannel(QString path) : path_(std::move(path)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] { Accept(); });
}

LocalInstanceChannel::~LocalInstanceChannel() {
    server_.close();
    if (lockFd_ >= 0) close(lockFd_);
}

bool LocalInstanceChannel::BecomeFirstInstance() {
    if (path_.isEmpty()) return true;
    const QByteArray lockPath = QFile::encodeName(path_ + QStringLiteral(".lock"));
    if (lockFd_ >= 0) close(lockFd_);
    // Close-on-exec: a program this one starts must not keep the lock alive.
    lockFd_ = open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFd_ < 0) return true;  // no lock possible: run on alone rather than not at all
    if (flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        close(lockFd_);
        lockFd_ = -1;
        return false;
    }
    MarkLock("running");
    QLocalServer::removeServer(path_);  // a socket file a crashed instance left
    server_.listen(path_);
    return true;
}

bool LocalInstanceChannel::SendToRunningInstance(const std::string& commandLine) {
    if (path_.isEmpty()) return false;
    QLocalSocket socket;
    const QDeadlineTimer deadline(kConnectLimitMs);
    // The running instance may be between taking its lock and listening.
    for (;;) {
        socket.connectToServer(path_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(50);
    }
    const std::string message = EncodeInstanceMessage({LaunchToken(), commandLine});
    socket.write(message.data(), static_cast<qint64>(message.size()));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(500)) {
    }
    const bool sent = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(500);
    return sent;
}

// The lock file says who holds it and whether it is closing, for a start
// that finds this instance not answering.
void LocalInstanceChannel::MarkLock(const char* state) {
    if (lockFd_ < 0) return;
    const QByteArray mark = QByteArray(state) + ' ' + QByteArray::number(static_cast<qint64>(getpid()));
    if (ftruncate(lockFd_, 0) == 0) (void)!pwrite(lockFd_, mark.constData(), static_cast<size_t>(mark.size()), 0);
}

void LocalInstanceChannel::StopAnswering() {
    server_.close();
    MarkLock("closing");
}

bool LocalInstanceChannel::WaitToBecomeFirstInstance(int milliseconds) {
    if (WaitForTheLock(milliseconds)) return true;
    // Still closing: what lingers is the recommendation window at most (the
    // items and lists were saved when the exit began). It ends as at logout.
    EndClosingInstance();
    return WaitForTheLock(milliseconds);
}

bool LocalInstanceChannel::WaitForTheLock(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    for (;;) {
        if (BecomeFirstInstance()) return true;
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
}

void LocalInstanceChannel::EndClosingInstance() {
    QFile lock(path_ + QStringLiteral(".lock"));
    if (!lock.open(QIODevice::ReadOnly)) return;
    // Only an instance that said it is closing (one that merely does not
    // listen keeps running), of this user (kill checks that).
    const QByteArray mark = lock.read(64).trimmed();
    if (!mark.startsWith("closing ")) return;
    bool number = false;
    const qint64 pid = mark.mid(8).toLongLong(&number);
    if (number && pid > 1 && pid != getpid()) kill(static_cast<pid_t>(pid), SIGTERM);
}

void LocalInstanceChannel::Accept() {
    while (QLocalSocket* peer = server_.nextPendingConnection()) {
        auto* buffer = new QByteArray;
        auto* limit = new QTimer(peer);
        limit->setSingleShot(true);
        connect(limit, &QTimer::timeout, peer, [peer] { peer->abort(); });
        limit->start(kPeerLimitMs);
        connect(peer, &QLocalSocket::readyRead, peer, [peer, buffer] {
            buffer->append(peer->readAll());
            if (buffer->size() > kMaxMessageBytes) {
                buffer->clear();
                buffer->append('\0');  // marks the message as dropped
                peer->abort();
            }
        });
        // The whole message has come when the peer hangs up.
        connect(peer, &QLocalSocket::disconnected, this, [this, peer, buffer] {
            buffer->append(peer->readAll());
            const auto message = ParseInstanceMessage(std::string_view(buffer->constData(), buffer->size()));
            delete buffer;
            peer->deleteLater();
            if (!message) return;
            // The window system lets the window that raises itself next take
            // the focus on the strength of this token.
            if (!message->token.empty()) {
                qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(message->token));
                qputenv("DESKTOP_STARTUP_ID", QByteArray::fromStdString(message->token));
            }
            if (onCommand_) onCommand_(message->commandLine);
        });
    }
}

}  // namespace ruvo
