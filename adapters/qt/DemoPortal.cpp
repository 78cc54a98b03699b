#include "adapters/qt/DemoPortal.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

#include <QDir>

#include "config/FileSystem.h"

#ifndef RUVO_HELPERS_FROM_BIN
#define RUVO_HELPERS_FROM_BIN "../libexec/ruvo-box"
#endif

namespace ruvo {
namespace {

constexpr int kListenWaitMs = 5000;
constexpr int kEndWaitMs = 2000;

// The child ends when the program does, even when it crashes.
void EndWithParent() { prctl(PR_SET_PDEATHSIG, SIGTERM); }

}  // namespace

DemoPortal::DemoPortal(const QString& executableFolder, const QString& mediaFolder)
    : executableFolder_(executableFolder), mediaFolder_(mediaFolder) {
    portal_.setChildProcessModifier(EndWithParent);
    portal_.setProcessChannelMode(QProcess::SeparateChannels);
    portal_.setStandardErrorFile(QProcess::nullDevice());
    // The maker and its encoders form a group of their own, ended together,
    // and give way to the window while it starts.
    maker_.setChildProcessModifier([] {
        EndWithParent();
        setpgid(0, 0);
        setpriority(PRIO_PROCESS, 0, 10);
    });
    maker_.setStandardErrorFile(QProcess::nullDevice());
    connect(&maker_, &QProcess::readyReadStandardOutput, this, &DemoPortal::ReadMakerOutput);
}

DemoPortal::~DemoPortal() {
    // Whoever heard of the progress may be gone by now: ending the maker
    // must not tell them.
    maker_.disconnect();
    if (maker_.state() != QProcess::NotRunning) {
        ::kill(-static_cast<pid_t>(maker_.processId()), SIGTERM);
        maker_.waitForFinished(kEndWaitMs);
    }
    if (portal_.state() != QProcess::NotRunning) {
        portal_.terminate();
        if (!portal_.waitForFinished(kEndWaitMs)) portal_.kill();
        portal_.waitForFinished(kEndWaitMs);
    }
}

QString DemoPortal::Helper(const QString& name) const {
    const QDir beside(executableFolder_);
    for (const QString& folder : {QStringLiteral("demo"), QStringLiteral(RUVO_HELPERS_FROM_BIN)}) {
        const QString path = QDir::cleanPath(beside.absoluteFilePath(folder + QLatin1Char('/') + name));
        if (!PathExists(path.toStdString())) continue;
        // Only what nobody else may change is run.
        if (IsTrustedProgram(path.toStdString())) return path;
        std::fprintf(stderr, "ruvo-box: %s may be changed by other users: not started\n", qPrintable(path));
    }
    return {};
}

bool DemoPortal::Start(quint16 preferredPort) {
    server_ = Helper(QStringLiteral("ruvo-demo-portal"));
    if (server_.isEmpty()) return false;
    // Whatever answers at the usual port may be another user's: the program
    // uses only the portal it started, there or, when that port is taken, on
    // a free one.
    for (const quint16 port : {preferredPort, quint16(0)}) {
        address_ = StartOn(port);
        if (!address_.isEmpty()) return true;
    }
    return false;
}

QString DemoPortal::StartOn(quint16 port) {
    portal_.start(server_, {QStringLiteral("--port"), QString::number(port), QStringLiteral("--media"), mediaFolder_});
    // It prints its address once it listens, and ends when it cannot.
    while (portal_.waitForReadyRead(kListenWaitMs)) {
        if (!portal_.canReadLine()) continue;
        const QString line = QString::fromUtf8(portal_.readLine()).trimmed();
        if (line.startsWith(QLatin1String("http://127.0.0.1:"))) return line;
        break;
    }
    portal_.kill();
    portal_.waitForFinished(kEndWaitMs);
    return {};
}

void DemoPortal::MakeMedia(std::function<void(int, int)> progress, std::function<void(bool)> finished) {
    const QString script = Helper(QStringLiteral("make-media.sh"));
    if (script.isEmpty() || server_.isEmpty() || !QDir().mkpath(mediaFolder_)) return finished(false);
    progress_ = std::move(progress);
    connect(&maker_, &QProcess::finished, this, [finished = std::move(finished)](int code, QProcess::ExitStatus status) {
        finished(status == QProcess::NormalExit && code == 0);
    });
    maker_.start(QStringLiteral("/bin/bash"), {script, QStringLiteral("--progress"), server_, mediaFolder_});
}

// "clips N" first, then "made FILE" as each is done.
void DemoPortal::ReadMakerOutput() {
    while (maker_.canReadLine()) {
        const QByteArray line = maker_.readLine().trimmed();
        if (line.startsWith("clips ")) clipsToMake_ = line.mid(6).toInt();
        else if (line.startsWith("made ")) ++clipsMade_;
        else continue;
        if (clipsToMake_ > 0 && progress_) progress_(clipsMade_, clipsToMake_);
    }
}

}  // namespace ruvo
