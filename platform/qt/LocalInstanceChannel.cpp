#include "platform/qt/LocalInstanceChannel.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

namespace ruvo {
namespace {

// Every message starts so; a peer that sends anything else is ignored.
constexpr char kMagic[] = "RUVO-BA1\n";
constexpr qsizetype kMagicSize = sizeof kMagic - 1;
// A second start that a launcher gave an activation token (Wayland's
// XDG_ACTIVATION_TOKEN, X11's DESKTOP_STARTUP_ID) hands it on: this header,
// the token and a line break come before the command line.
constexpr char kTokenMagic[] = "RUVO-BA1+TOKEN\n";
constexpr qsizetype kTokenMagicSize = sizeof kTokenMagic - 1;
constexpr qsizetype kMaxTokenBytes = 1024;

// The launcher's token of this start; "" when it has none.
QByteArray LaunchToken() {
    QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty()) token = qgetenv("DESKTOP_STARTUP_ID");
    if (token.contains('\n') || token.size() > kMaxTokenBytes) return {};
    return token;
}

struct Message {
    bool wellFormed = false;
    QByteArray token;
    std::string command;
};

Message ParseMessage(const QByteArray& bytes) {
    Message message;
    if (bytes.startsWith(QByteArray(kTokenMagic, kTokenMagicSize))) {
        const qsizetype end = bytes.indexOf('\n', kTokenMagicSize);
        if (end < 0 || end - kTokenMagicSize > kMaxTokenBytes) return message;
        message.token = bytes.mid(kTokenMagicSize, end - kTokenMagicSize);
        message.command = bytes.mid(end + 1).toStdString();
        message.wellFormed = true;
    } else if (bytes.startsWith(QByteArray(kMagic, kMagicSize))) {
        message.command = bytes.mid(kMagicSize).toStdString();
        message.wellFormed = true;
    }
    return message;
}
// A second start gives up on a running instance that does not answer.
constexpr int kConnectLimitMs = 800;
// A peer that keeps its connection open without finishing is dropped.
constexpr int kPeerLimitMs = 10000;

}  // namespace

QString LocalInstanceChannel::UserChannelPath() {
    const QString name = QStringLiteral("Ruvo影视盒|BA1");
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        return QString::fromLocal8Bit(runtime) + QLatin1Char('/') + name;
    return QDir::tempPath() + QLatin1Char('/') + name + QLatin1Char('-') + QString::number(getuid());
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
    const QByteArray lockPath = QFile::encodeName(path_ + QStringLiteral(".lock"));
    // Close-on-exec: a program this one starts must not keep the lock alive.
    lockFd_ = open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) return true;  // no lock possible: run on alone rather than not at all
    if (flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        close(lockFd_);
        lockFd_ = -1;
        return false;
    }
    QLocalServer::removeServer(path_);  // a socket file a crashed instance left
    server_.listen(path_);
    return true;
}

void LocalInstanceChannel::SendToRunningInstance(const std::string& commandLine) {
    QLocalSocket socket;
    const QDeadlineTimer deadline(kConnectLimitMs);
    // The running instance may be between taking its lock and listening.
    for (;;) {
        socket.connectToServer(path_);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return;
        QThread::msleep(50);
    }
    const QByteArray token = LaunchToken();
    if (token.isEmpty()) socket.write(kMagic, kMagicSize);
    else socket.write(QByteArray(kTokenMagic, kTokenMagicSize) + token + '\n');
    socket.write(commandLine.data(), static_cast<qint64>(commandLine.size()));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(500)) {
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(500);
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
            if (buffer->size() > kMaxCommandBytes + kTokenMagicSize + kMaxTokenBytes + 1) {
                buffer->clear();
                buffer->append('\0');  // marks the message as dropped
                peer->abort();
            }
        });
        // The whole message has come when the peer hangs up.
        connect(peer, &QLocalSocket::disconnected, this, [this, peer, buffer] {
            buffer->append(peer->readAll());
            const Message message = ParseMessage(*buffer);
            delete buffer;
            peer->deleteLater();
            if (!message.wellFormed) return;
            // The window system lets the window that raises itself next take
            // the focus on the strength of this token.
            if (!message.token.isEmpty()) {
                qputenv("XDG_ACTIVATION_TOKEN", message.token);
                qputenv("DESKTOP_STARTUP_ID", message.token);
            }
            if (onCommand_) onCommand_(message.command);
        });
    }
}

}  // namespace ruvo
