// The program's entry point and composition root: it picks the real Qt,
// libmpv and Linux implementations of the platform ports and hands them to
// the logic.
#include <malloc.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include <QApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include "app/CommandLineItem.h"
#include "app/CommandLineOptions.h"
#include "app/ExitProgram.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "app/TraceLog.h"
#include "composition/AfterFirstPage.h"
#include "composition/BenchmarkTrace.h"
#include "composition/StartChoices.h"
#include "composition/TracedPorts.h"
#include "composition/WindowWiring.h"
#include "config/PlayerFolder.h"
#include "adapters/mpv/MpvPlayer.h"
#include "adapters/mpv/MpvPlayerProbe.h"
#include "adapters/qt/ConsoleMessages.h"
#include "adapters/qt/ControlAccessibility.h"
#include "adapters/qt/DemoPortal.h"
#include "adapters/qt/ExitSignals.h"
#include "adapters/qt/FileDrops.h"
#include "adapters/qt/GraphicsChoice.h"
#include "adapters/qt/IdleMoment.h"
#include "adapters/qt/LocalInstanceChannel.h"
#include "adapters/qt/MainWindowWidget.h"
#include "adapters/qt/MprisService.h"
#include "adapters/qt/ProgramIcon.h"
#include "adapters/qt/QtDialogs.h"
#include "adapters/qt/QtHttpFetch.h"
#include "adapters/qt/QtMediaDownloads.h"
#include "adapters/qt/QtPopupMenus.h"
#include "adapters/qt/QtProgramForms.h"
#include "adapters/qt/QtScreenSaverInhibitor.h"
#include "adapters/qt/QtTimers.h"
#include "adapters/qt/QtTrayIcon.h"
#include "adapters/qt/SettingsDialogWidget.h"
#include "adapters/qt/ToolkitTranslations.h"
#include "adapters/qt/WebProfile.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/PlayerActions.h"
#include "adapters/ffmpeg/FfmpegListening.h"
#include "shell/FrameMouse.h"
#include "shell/TipMenus.h"
#include "shell/TrayClicks.h"
#include "shell/WindowLayout.h"

namespace {

// How long a start waits for a closing instance to end before it gives up.
constexpr int kClosingInstanceWaitMs = 5000;

}  // namespace

using ruvo::AfterFirstPage, ruvo::AnswerWithoutWindow, ruvo::CacheFolder, ruvo::ChoosePortal,
    ruvo::ChooseRendererProcessModel, ruvo::CommandLine, ruvo::DebugAsked, ruvo::Environment, ruvo::MaybeTracedPorts,
    ruvo::ShowDemoMediaProgress, ruvo::StartDemoPortal;

int main(int argc, char* argv[]) {
    const ruvo::CommandLineOptions given = ruvo::ParseCommandLineOptions(argc, argv);
    if (given.help || given.version || !given.error.empty()) return AnswerWithoutWindow(given);
    const bool verbose = given.verbose || DebugAsked();
    ruvo::SetUpConsoleMessages(verbose);
    // The player's decoders start and end threads with every episode; with
    // glibc's default of up to 8 memory arenas a core, memory freed in them
    // was kept and the program grew by 2 MB an episode. Two arenas keep it flat.
    mallopt(M_ARENA_MAX, 2);
    // The player check runs in a child process while the toolkit starts.
    ruvo::MpvPlayerProbe probe(CacheFolder());
    ChooseRendererProcessModel();
    ruvo::RegisterPrivateSchemes();
    // The picture's OpenGL context outlives the window's native window, which
    // Qt re-creates for full screen and top-most on some window systems.
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruvo-box"));
    ruvo::LoadToolkitTranslations();  // the toolkit's dialogs in Chinese, as the rest
    ruvo::InstallControlAccessibility();
    // The program ends through its exit routine only: hidden to the tray it
    // has no window, and at exit the recommendation window may still follow.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(ruvo::ProgramIcon());
    // Parsed again: the toolkit has taken its own options out of argv.
    const ruvo::CommandLineOptions options = ruvo::ParseCommandLineOptions(argc, argv);
    const std::string commandLine = CommandLine(options.rest);

    const std::string folder = ruvo::ChooseProgramFolder(
        {Environment("RUVO_HOME"), QCoreApplication::applicationDirPath().toStdString(), Environment("XDG_DATA_HOME"),
         Environment("HOME")});
    const ruvo::PortalChoice portalChoice = ChoosePortal(options);
    ruvo::PortalAddress portal = portalChoice.address;

    ruvo::QtDialogs dialogs;
    ruvo::QtShell shell(dialogs);
    ruvo::StartupPorts startupPorts{probe, dialogs, shell, ruvo::KernelNetworkAdapters(), ruvo::SystemClock()};
    // The first instance starts the web engine (some 45 ms) while the player
    // check finishes; a second one never starts it.
    ruvo::LocalInstanceChannel channel;
    const bool firstInstance = channel.BecomeFirstInstance();
    // Chosen before the web engine starts: it cannot change afterwards. (A
    // second start shows no window: it needs no choice.)
    auto pictureKind = firstInstance ? ruvo::ChooseGraphics(Environment("RUVO_PICTURE")) : ruvo::MpvVideoView::Kind::Software;
    QWebEngineProfile* profile = firstInstance ? ruvo::CreateSharedProfile(QString::fromStdString(folder), &app) : nullptr;
    ruvo::SettingsFile settings(ruvo::JoinPath(folder, ruvo::kSettingsFileName));
    if (ruvo::RunStartup(folder, settings, portal, startupPorts) == ruvo::StartupOutcome::EndProgram) return 0;

    // A second start hands its command line to the running instance and ends;
    // one that finds the running instance closing waits for it to go and
    // opens its own window.
    if (!firstInstance) {
        if (channel.SendToRunningInstance(commandLine) || !channel.WaitToBecomeFirstInstance(kClosingInstanceWaitMs))
            return 0;
        pictureKind = ruvo::ChooseGraphics(Environment("RUVO_PICTURE"));
        profile = ruvo::CreateSharedProfile(QString::fromStdString(folder), &app);
    }

    bool demoFailed = false;
    const auto demo = portalChoice.builtIn ? StartDemoPortal(demoFailed) : nullptr;
    // Without its own demo portal the program asks no other: whatever answers
    // at the usual port may be another user's. (Port 0 fails at once.)
    if (portalChoice.builtIn) portal = ruvo::PortalFrom(demo ? demo->Address().toStdString().c_str() : "http://127.0.0.1:0/box/");

    ruvo::QtWebPane::TrustPrivateLinksFrom(QUrl(QString::fromStdString(portal.base)),
                                           QFileInfo(QString::fromStdString(folder)).absoluteFilePath());
    ruvo::MainWindowWidget widget(profile, pictureKind);
    if (demoFailed) widget.SetLoadFailureAdvice(QStringLiteral(
        "演示门户无法启动。请指定视频门户的地址：ruvo-box --portal 地址(或设置环境变量 RUVO_PORTAL)。"));
    dialogs.SetParent(&widget);
    ruvo::MpvPlayer player(widget.VideoSurface());
    player.SetVerbose(verbose);
    player.SetFullScreenRequest([&widget](bool on) { widget.SetPlayerFullScreen(on); });
    player.SetFullScreenQuery([&widget] { return widget.PlayerIsFullScreen(); });
    ruvo::QtTimers timers;
    ruvo::QtHttpFetch fetch;
    ruvo::QtTrayIcon trayIcon(ruvo::ProgramIcon());
    ruvo::SettingsDialogWidget settingsDialog(&widget);
    std::function<void(const std::string&)> chooseMenuEntry;
    ruvo::QtPopupMenus menus(&widget, [&chooseMenuEntry](const std::string& item) { chooseMenuEntry(item); });
    // Once the exit has begun, a new start gets no answer: it waits for this
    // process to end and opens its own window.
    ruvo::QtProgramForms forms(widget, settingsDialog, menus, profile, portal.base, [&player, &channel] {
        channel.StopAnswering();
        player.Shutdown();
    });
    MaybeTracedPorts ports(Environment("RUVO_TRACE"), widget, trayIcon, dialogs, forms, settingsDialog);
    ports.TracePlayer(player);
    ruvo::Dialogs& questions = ports.Dialogs();
    ruvo::QtScreenSaverInhibitor screenSaver;
    // Episodes are heard away from the window's thread; what was heard comes
    // back through the window's event loop. Made before the window, which
    // calls its listenings off as it closes.
    ruvo::FfmpegListening listening([&widget](std::function<void()> call) {
        QMetaObject::invokeMethod(&widget, std::move(call), Qt::QueuedConnection);
    });
    ruvo::MainWindow window({widget, widget.PaneInterfaces(), timers, player, fetch, ports.Tray(), ports.Controls(),
                             questions, ruvo::LinuxProcesses(), menus, shell, ports.Forms(), ports.Settings(),
                             widget.Surface(), screenSaver},
                            settings, folder, portal);
    if (ports.Tracing()) window.SetTrace([&ports](const std::string& line) { ports.Trace().Line(line); });
    window.ListenWith(listening);
    ruvo::PlayerActions playerActions(player, questions, PlayerWiringOf(window));
    // The player's own keys first; the bar's keys (and "any key") after.
    window.SetPlayerKeys([&playerActions](ruvo::Key key) { return playerActions.KeyDown(key); });
    const ruvo::WindowIntents intents = IntentsOf(window, player, playerActions, widget);
    widget.SetIntents(intents);
    ruvo::FileDrops fileDrops(&widget, [&playerActions](const std::vector<std::string>& files) { playerActions.Drop(files); });
    ruvo::MprisService mediaControls(window.Remote());  // media keys and the desktop's media widget
    widget.Surface().SetOnResizeEnded(intents.resizeEnded);
    chooseMenuEntry = intents.menuEntryChosen;
    trayIcon.SetClicks(intents.trayClick, intents.trayMenu);
    // Next episodes are downloaded ahead into the folder QvodPlayer.xml names.
    ruvo::QtMediaDownloads downloads;
    player.SetDownloads(&downloads, [&settings] { return ruvo::DownloadFolderOf(settings); });
    AfterFirstPage afterFirstPage(widget.Pane(ruvo::Pane::PortalPage));
    window.SetPlayCommandLineItem([&window, &afterFirstPage](const std::string& item) {
        afterFirstPage.Run([&window, item] { window.PlayCommandLineItem(item); });
    });
    channel.SetOnCommand([&window, &afterFirstPage](const std::string& text) {
        afterFirstPage.Run([&window, text] { window.ReceiveFromSecondStart(text); });
    });
    // The player is made, and the portal's site connected to, before the
    // first play, once the portal's page has shown and the engine's
    // processes have settled.
    ruvo::IdleMoment makePlayer([&player, &fetch, &portal] {
        player.Prepare();
        fetch.ConnectAhead(portal.base);  // the episode look-ups' site
    });
    QObject::connect(&widget.Pane(ruvo::Pane::PortalPage), &QWebEngineView::loadFinished, &makePlayer,
                     [&makePlayer](bool ok) { if (ok) makePlayer.Begin(); });
    window.Load(commandLine);
    if (demo) ShowDemoMediaProgress(*demo, window);
    // Logging out or Ctrl+C: the playing item's place is stored as at any exit.
    ruvo::ExitSignals exitSignals(
        [&window](int) { window.EndOnSignal(); });
    widget.show();
    intents.resized();
    window.DrawVolume();
    const auto stalls = ports.Tracing() ? TraceForBenchmarks(widget, trayIcon, ports.Trace()) : nullptr;
    if (ports.Tracing()) TraceFullScreenBar(player, widget, ports.Trace());
    return app.exec();
}
