// The program's entry point and composition root: it picks the real Qt,
// libmpv and Linux implementations of the platform ports and hands them to
// the logic.
#include <QApplication>
#include <QStringList>
#include <QTimer>

#include "app/ProgramPlaces.h"
#include "app/Startup.h"
#include "app/TraceLog.h"
#include "platform/mpv/MpvPlayer.h"
#include "platform/mpv/MpvPlayerProbe.h"
#include "platform/qt/LoggedTrayTips.h"
#include "platform/qt/MainWindowWidget.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtHttpFetch.h"
#include "platform/qt/QtMediaDownloads.h"
#include "platform/qt/QtTimers.h"
#include "platform/qt/WebProfile.h"
#include "playback/EpisodePlayer.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/PlayerFolder.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"
#include "portal/MainWindow.h"
#include "portal/PaneLoadEvents.h"
#include "portal/SearchBox.h"
#include "shell/NavigationButtons.h"

namespace {

// Nine panes of one site share renderer processes: about 275 MB instead of
// 325 MB for the whole tree.
void ChooseRendererProcessModel() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--process-per-site")) flags += " --process-per-site";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

// The player draws into a native X11 window; on a Wayland desktop the
// program runs through XWayland for that.
void ChooseWindowSystem() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
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

ruvo::WindowActions ActionsOf(ruvo::MainWindow& window) {
    ruvo::WindowActions actions;
    actions.search = [&window] { window.Search().Search(); };
    actions.searchBoxClicked = [&window] { window.Search().ClickInBox(); };
    actions.searchBoxLeft = [&window] { window.Search().FocusLost(); };
    actions.navigationClick = [&window](int index) { window.Navigation().Click(index); };
    actions.transportClick = [&window](int index) { window.Transport().Click(index); };
    actions.transportHover = [&window](int index, int x, int y) { window.Transport().MouseMove(index, x, y); };
    actions.keyDown = [&window](int code) { window.Keys().KeyDown(code); };
    actions.seekPress = [&window](int x) { window.Sliders().SeekPress(x); };
    actions.seekDrag = [&window](int x) { window.Sliders().SeekDrag(x); };
    actions.seekRelease = [&window](int where) {
        using Release = ruvo::PlayerSliders::Release;
        window.Sliders().SeekRelease(where == 0 ? Release::OverTrack : where == 1 ? Release::OverKnob
                                                                                   : Release::OverDownloadedBar);
    };
    actions.volumePress = [&window](int x) { window.Sliders().VolumePress(x); };
    actions.volumeDrag = [&window](int x) { window.Sliders().VolumeDrag(x); };
    actions.retryMainArea = [&window] { window.LoadEvents().RetryMainArea(); };
    actions.retrySidePane = [&window] { window.LoadEvents().RetrySidePane(); };
    actions.closeWebPlayer = [&window] { window.Episodes().CloseWebPlayer(); };
    return actions;
}

}  // namespace

int main(int argc, char* argv[]) {
    ChooseRendererProcessModel();
    ChooseWindowSystem();
    ruvo::RegisterPrivateSchemes();
    // Only the player's video window is native; its siblings stay drawn by Qt.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruvo-box"));

    const std::string folder = ruvo::ChooseProgramFolder(
        {Environment("RUVO_HOME"), QCoreApplication::applicationDirPath().toStdString(), Environment("XDG_DATA_HOME"),
         Environment("HOME")});
    const ruvo::PortalAddress portal = ruvo::PortalFrom(Environment("RUVO_PORTAL"));

    ruvo::MpvPlayerProbe probe;
    ruvo::QtDialogs dialogs;
    ruvo::QtShell shell;
    ruvo::StartupPorts startupPorts{probe, dialogs, shell, ruvo::KernelNetworkAdapters(), ruvo::SystemClock()};
    if (ruvo::RunStartup(folder, portal, startupPorts) == ruvo::StartupOutcome::EndProgram) return 0;

    QWebEngineProfile* profile = ruvo::CreateSharedProfile(&app);
    ruvo::MainWindowWidget widget(profile);
    dialogs.SetParent(&widget);
    ruvo::MpvPlayer player(widget.VideoSurface());
    player.SetFullScreenRequest([&widget](bool on) { widget.SetPlayerFullScreen(on); });
    ruvo::QtTimers timers;
    ruvo::QtHttpFetch fetch;
    ruvo::LoggedTrayTips loggedTray;
    // With RUVO_TRACE set, the controls and tray tips are traced into that file.
    const char* tracePath = Environment("RUVO_TRACE");
    const bool tracing = tracePath != nullptr;
    ruvo::TraceLog trace(tracing ? tracePath : "");
    ruvo::TracedControls tracedControls(widget.Controls(), trace);
    ruvo::TracedTrayTips tracedTray(loggedTray, trace);
    ruvo::WindowControls& controls = tracing ? static_cast<ruvo::WindowControls&>(tracedControls) : widget.Controls();
    ruvo::TrayTips& tray = tracing ? static_cast<ruvo::TrayTips&>(tracedTray) : loggedTray;
    if (tracing) player.SetEventObserver([&trace](const char* event) { trace.Line(std::string("player ") + event); });
    ruvo::MainWindow window({widget, widget.PaneInterfaces(), timers, player, fetch, tray, controls, dialogs,
                             ruvo::LinuxProcesses()},
                            folder, portal);
    widget.SetActions(ActionsOf(window));
    // Next episodes are downloaded ahead into the folder QvodPlayer.xml names.
    ruvo::QtMediaDownloads downloads;
    player.SetDownloads(&downloads, [&window] { return ruvo::DownloadFolderOf(window.State().settingsPath); });
    window.Load(CommandLine(QCoreApplication::arguments()));
    widget.show();
    window.Sliders().DrawVolume(player.Volume());
    if (tracing) {
        // Where the sliders are, once the window is laid out, for whoever reads the trace.
        QTimer::singleShot(1000, &widget, [&widget, &trace] {
            for (const ruvo::ControlName name : {ruvo::ControlName::gunt, ruvo::ControlName::yin})
                trace.Line("place " + ruvo::TraceName({name}) + "=" + widget.PlaceOf({name}));
        });
    }
    return app.exec();
}
