// The program's entry point and composition root: it picks the real Qt,
// libmpv and Linux implementations of the platform ports and hands them to
// the logic.
#include <QApplication>
#include <QStringList>

#include "app/ProgramPlaces.h"
#include "app/Startup.h"
#include "platform/mpv/MpvPlayerProbe.h"
#include "platform/qt/MainWindowWidget.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtTimers.h"
#include "platform/qt/WebProfile.h"
#include "portal/MainWindow.h"

namespace {

// Nine panes of one site share renderer processes: about 275 MB instead of
// 325 MB for the whole tree.
void ChooseRendererProcessModel() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--process-per-site")) flags += " --process-per-site";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

// The program's own arguments (the engine's, after "--webEngineArgs", are not
// ours), joined as one command line.
std::string CommandLine(const QStringList& arguments) {
    QStringList own;
    for (qsizetype i = 1; i < arguments.size() && arguments[i] != QLatin1String("--webEngineArgs"); ++i)
        own << arguments[i];
    return own.join(' ').toStdString();
}

const char* Environment(const char* name) { return std::getenv(name); }

}  // namespace

int main(int argc, char* argv[]) {
    ChooseRendererProcessModel();
    ruvo::RegisterPrivateSchemes();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruvo-box"));
    QApplication::setQuitOnLastWindowClosed(true);

    const std::string folder = ruvo::ChooseProgramFolder(
        {Environment("RUVO_HOME"), QCoreApplication::applicationDirPath().toStdString(), Environment("XDG_DATA_HOME"),
         Environment("HOME")});
    const ruvo::PortalAddress portal = ruvo::PortalFrom(Environment("RUVO_PORTAL"));

    ruvo::MpvPlayerProbe player;
    ruvo::QtDialogs dialogs;
    ruvo::QtShell shell;
    ruvo::StartupPorts startupPorts{player, dialogs, shell, ruvo::KernelNetworkAdapters(), ruvo::SystemClock()};
    if (ruvo::RunStartup(folder, portal, startupPorts) == ruvo::StartupOutcome::EndProgram) return 0;

    QWebEngineProfile* profile = ruvo::CreateSharedProfile(&app);
    ruvo::MainWindowWidget widget(profile);
    dialogs.SetParent(&widget);
    ruvo::QtTimers timers;
    ruvo::MainWindow window({widget, widget.PaneInterfaces(), timers}, folder, portal);
    window.Load(CommandLine(QCoreApplication::arguments()));
    widget.show();
    return app.exec();
}
