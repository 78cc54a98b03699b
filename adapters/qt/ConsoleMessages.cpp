#include "adapters/qt/ConsoleMessages.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

#include <QByteArray>
#include <QLoggingCategory>
#include <QString>

namespace ruvo {
namespace {

// Warnings and errors, each text printed once: a library that repeats one
// for every page or frame says it a single time.
void PrintOnce(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    // Never destroyed: the web engine's threads may still report while the
    // program's statics are torn down at exit.
    static auto* const mutex = new std::mutex;
    static auto* const printed = new std::set<QString>;
    {
        std::lock_guard lock(*mutex);
        if (!printed->insert(message).second) return;
    }
    const QString line = qFormatLogMessage(type, context, message);
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    if (type == QtFatalMsg) std::abort();
}

// Chromium in the web engine's processes: fatal messages only.
void QuietWebEngine() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--log-level")) return;
    flags += " --log-level=3";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

}  // namespace

void SetUpConsoleMessages(bool verbose) {
    if (verbose) return;
    // The web engine's start-up report (its GL settings and switches) is
    // information, printed at every start.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
    qInstallMessageHandler(PrintOnce);
    QuietWebEngine();
    // The sound server's client library warns of its missing configuration
    // on machines without a sound server; a user's own setting wins.
    setenv("PIPEWIRE_DEBUG", "0", 0);
}

}  // namespace ruvo
