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
#include "config/FileSystem.h"
#include "config/PlayerFolder.h"
#include "config/ProgramPlaces.h"
#include "config/SettingsKeys.h"
#include "history/HistoryActions.h"
#include "platform/mpv/MpvPlayer.h"
#include "platform/mpv/MpvPlayerProbe.h"
#include "platform/qt/ConsoleMessages.h"
#include "platform/qt/DemoPortal.h"
#include "platform/qt/ExitSignals.h"
#include "platform/qt/FileDrops.h"
#include "platform/qt/GraphicsChoice.h"
#include "platform/qt/IdleMoment.h"
#include "platform/qt/LocalInstanceChannel.h"
#include "platform/qt/MainWindowWidget.h"
#include "platform/qt/MprisService.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtHttpFetch.h"
#include "platform/qt/QtMediaDownloads.h"
#include "platform/qt/QtPlayerMenu.h"
#include "platform/qt/QtPopupMenus.h"
#include "platform/qt/QtProgramForms.h"
#include "platform/qt/QtScreenSaverInhibitor.h"
#include "platform/qt/QtTimers.h"
#include "platform/qt/QtTrayIcon.h"
#include "platform/qt/SettingsDialogWidget.h"
#include "platform/qt/StallWatch.h"
#include "platform/qt/ToolkitTranslations.h"
#include "platform/qt/WebProfile.h"
#include "playback/PlayService.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/PlayerActions.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"
#include "portal/PaneLoadEvents.h"
#include "portal/SearchBox.h"
#include "shell/FrameMouse.h"
#include "shell/NavigationButtons.h"
#include "shell/TipMenus.h"
#include "shell/TitleButtons.h"
#include "shell/TrayClicks.h"
#include "shell/WindowLayout.h"

namespace {

// How long a start waits for a closing instance to end before it gives up.
constexpr int kClosingInstanceWaitMs = 5000;

// Nine panes of one site share renderer processes: about 275 MB instead of
// 325 MB for the whole tree.
void ChooseRendererProcessModel() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--process-per-site")) flags += " --process-per-site";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

// The arguments that are not the program's options (nor, after
// "--webEngineArgs", the engine's), joined as one command line. A file named
// relative to the folder the program was started in is made absolute, so the
// running instance, which runs elsewhere, finds it too.
std::string CommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& given : arguments) {
        if (given == "--webEngineArgs") break;
        std::string argument = given;
        const QFileInfo file(QFile::decodeName(given.c_str()));
        if (!argument.empty() && argument[0] != '/' && argument.find("://") == std::string::npos && file.exists())
            argument = QFile::encodeName(file.absoluteFilePath()).toStdString();
        if (!line.empty()) line += ' ';
        line += argument;
    }
    return line;
}

const char* Environment(const char* name) { return std::getenv(name); }

// RUVO_DEBUG set to anything but "" or "0".
bool DebugAsked() {
    const char* value = Environment("RUVO_DEBUG");
    return value && *value && std::string_view(value) != "0";
}

std::string CacheFolder() { return ruvo::UserFolder(Environment("XDG_CACHE_HOME"), Environment("HOME"), ".cache"); }
std::string ConfigFolder() { return ruvo::UserFolder(Environment("XDG_CONFIG_HOME"), Environment("HOME"), ".config"); }

// --help, --version and a wrong option are answered without a window and
// without touching any file.
int AnswerWithoutWindow(const ruvo::CommandLineOptions& options) {
    if (!options.error.empty()) {
        std::fprintf(stderr, "ruvo-box: %s\nTry 'ruvo-box --help'.\n", options.error.c_str());
        return 2;
    }
    std::fputs(options.help ? ruvo::UsageText().c_str() : ruvo::VersionText().c_str(), stdout);
    return 0;
}

// RUVO_PORTAL for this start; else --portal, remembered from now on (empty:
// forgotten); else the address remembered before; else the built-in one.
ruvo::PortalChoice ChoosePortal(const ruvo::CommandLineOptions& options) {
    std::optional<std::string> remembered;
    if (options.portal) {
        if (!ruvo::RememberPortal(ConfigFolder(), *options.portal))
            std::fprintf(stderr, "ruvo-box: the portal address could not be remembered in %s\n", ConfigFolder().c_str());
        if (!options.portal->empty()) remembered = options.portal;
    } else {
        remembered = ruvo::ReadRememberedPortal(ConfigFolder());
    }
    return ruvo::ChoosePortal(Environment("RUVO_PORTAL"), remembered);
}

// The built-in portal is the demo portal, which the program starts itself
// (never one that merely answers at its port), and its media is made in the
// background with the progress in the status line. Null when it could not
// start.
std::unique_ptr<ruvo::DemoPortal> StartDemoPortal(bool& failed) {
    failed = false;
    auto demo = std::make_unique<ruvo::DemoPortal>(QCoreApplication::applicationDirPath(),
                                                   QString::fromStdString(ruvo::JoinPath(CacheFolder(), "demo-media")));
    if (demo->Start(ruvo::kDefaultPortalPort)) return demo;
    std::fprintf(stderr, "ruvo-box: the demo portal could not be started; set the portal with --portal ADDRESS\n");
    failed = true;
    return nullptr;
}

void ShowDemoMediaProgress(ruvo::DemoPortal& demo, ruvo::MainWindow& window) {
    demo.MakeMedia(
        [&window](int done, int total) {
            window.Monitor().ShowBackgroundWork("正在准备演示视频 " + std::to_string(done) + "/" + std::to_string(total));
        },
        [&window](bool ok) { window.Monitor().ShowBackgroundWork(ok ? "" : "演示视频无法制作(需要 ffmpeg)"); });
}

ruvo::WindowActions ActionsOf(ruvo::MainWindow& window, ruvo::PlayerActions& playerActions, QWidget& widget) {
    ruvo::WindowActions actions;
    actions.search = [&window](const std::string& typed) { window.Search().Search(typed); };
    actions.searchBoxClicked = [&window](const std::string& typed) { window.Search().ClickInBox(typed); };
    actions.searchBoxLeft = [&window](const std::string& typed) { window.Search().FocusLost(typed); };
    actions.buttonClick = [&window](ruvo::WindowButton button) {
        window.Title().Click(button);
        window.Navigation().Click(button);
    };
    actions.transportClick = [&window](int index) { window.Transport().Click(index); };
    actions.transportHover = [&window](int index, int x, int y) { window.Transport().MouseMove(index, x, y); };
    actions.keyDown = [&window](ruvo::Key key) { return window.Keys().KeyDown(key); };
    actions.pictureMenu = [&window, &widget, &playerActions](int x, int y) {
        ruvo::PopUpPlayerMenu(&widget, ruvo::PlayerMenuEntries(window.PlayerControl()), QPoint(x, y),
                              [&playerActions](const ruvo::PlayerMenuEntry& entry) { playerActions.Choose(entry); });
    };
    actions.seekPress = [&window](int x) { window.Sliders().SeekPress(x); };
    actions.seekDrag = [&window](int x) { window.Sliders().SeekDrag(x); };
    actions.seekRelease = [&window](ruvo::PlayerSliders::Release where) { window.Sliders().SeekRelease(where); };
    actions.volumePress = [&window](int x) { window.Sliders().VolumePress(x); };
    actions.volumeDrag = [&window](int x) { window.Sliders().VolumeDrag(x); };
    actions.volumeWheel = [&window](int notches) { window.Keys().WheelOverPicture(notches); };
    actions.retryMainArea = [&window] { window.LoadEvents().RetryMainArea(); };
    actions.retrySidePane = [&window] { window.LoadEvents().RetrySidePane(); };
    actions.closeWebPlayer = [&window] { window.Plays().CloseWebPlayer(); };
    actions.listActionClick = [&window] { window.History().ListActionClicked(); };
    actions.compactRestoreClick = [&window] { window.Title().LeaveCompactMode(); };
    actions.resized = [&window] { window.Layout().OnResize(); };
    actions.surfaceMove = [&window](bool leftHeld, int x, int y) { window.Mouse().SurfaceMove(leftHeld, x, y); };
    actions.surfaceDown = [&window](int x, int y) { window.Mouse().SurfaceDown(x, y); };
    actions.surfaceUp = [&window] { window.Mouse().SurfaceUp(); };
    actions.surfaceDoubleClick = [&window] { window.Mouse().SurfaceDoubleClick(); };
    actions.buttonMove = [&window](ruvo::WindowButton button, int x, int y) { window.Mouse().ButtonMove(button, x, y); };
    actions.labelMove = [&window](bool restoreLabel) { window.Mouse().LabelMove(restoreLabel); };
    actions.labelReset = [&window](bool restoreLabel) { window.Mouse().ResetLabelColor(restoreLabel); };
    return actions;
}

// Tracks, speed, screenshots and the rest of the player's actions beyond
// its bar, with what they need of the window.
ruvo::PlayerActionsWiring PlayerActionsWiringOf(ruvo::MainWindow& window) {
    ruvo::PlayerActionsWiring wiring;
    wiring.playerShown = [&window] { return window.View().IsVisible({ruvo::ControlName::PlayerBox}); };
    wiring.title = [&window] { return ruvo::TitleLineOf(window.Session().item); };
    wiring.showNotice = [&window](const std::string& text) { window.Monitor().ShowNotice(text); };
    wiring.notify = [&window](const std::string& text) { window.ShowTrayTip(text); };
    wiring.notificationsShown = [&window] { return window.Tray().CanShowTrayTips(); };
    wiring.playItem = [&window](const std::string& item) { window.CommandLine().Play(item); };
    wiring.pressKey = [&window](ruvo::Key key) { window.Keys().KeyDown(key); };
    wiring.openFile = [&window] { window.Transport().OpenFile(); };
    // The user's pictures folder as xdg-user-dir names it (user-dirs.dirs), else ~/Pictures.
    wiring.picturesFolder = [] { return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString(); };
    return wiring;
}

// The settings dialog, tracing where its controls are each time it shows.
class TracedSettingsDialog final : public ruvo::SettingsDialogView {
public:
    TracedSettingsDialog(ruvo::SettingsDialogWidget& inner, ruvo::TraceLog& log) : inner_(inner), log_(log) {}
    void SetActions(ruvo::SettingsDialogActions actions) override { inner_.SetActions(std::move(actions)); }
    void SetChecked(int index, bool checked) override { inner_.SetChecked(index, checked); }
    bool IsChecked(int index) const override { return inner_.IsChecked(index); }
    void SetFolderText(const std::string& text) override { inner_.SetFolderText(text); }
    std::string FolderText() const override { return inner_.FolderText(); }
    void ShowTab(int index, const std::string& header) override {
        inner_.ShowTab(index, header);
        if (inner_.isVisible()) TracePlaces();
    }
    void Show() override {
        inner_.Show();
        TracePlaces();
    }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }

private:
    void TracePlaces() {
        QTimer::singleShot(300, &inner_, [this] {
            for (const char* name : {"Check1_8", "Check1_0", "cmdApply", "cmdOK", "d_z_1", "Text1"})
                log_.Line(std::string("place ") + name + "=" + inner_.PlaceOf(QString::fromLatin1(name)));
        });
    }
    ruvo::SettingsDialogWidget& inner_;
    ruvo::TraceLog& log_;
};

// With RUVO_TRACE set, the controls, tray, questions, exit steps, the
// player's events and the picture's place are traced into that file; else
// the window's own ports are used as they are.
class MaybeTracedPorts {
public:
    MaybeTracedPorts(const char* tracePath, ruvo::MainWindowWidget& widget, ruvo::QtTrayIcon& tray, ruvo::QtDialogs& dialogs,
                     ruvo::QtProgramForms& forms, ruvo::SettingsDialogWidget& settings)
        : tracing_(tracePath != nullptr),
          trace_(tracing_ ? tracePath : ""),
          controls_(widget.Controls(), trace_),
          tray_(tray, trace_),
          dialogs_(dialogs, trace_),
          forms_(forms, trace_),
          settings_(settings, trace_),
          widget_(widget),
          plainTray_(tray),
          plainDialogs_(dialogs),
          plainForms_(forms),
          plainSettings_(settings) {}

    bool Tracing() const { return tracing_; }
    ruvo::TraceLog& Trace() { return trace_; }
    ruvo::WindowScreen& Controls() { return tracing_ ? static_cast<ruvo::WindowScreen&>(controls_) : widget_.Controls(); }
    ruvo::TrayIcon& Tray() { return tracing_ ? static_cast<ruvo::TrayIcon&>(tray_) : plainTray_; }
    ruvo::Dialogs& Dialogs() { return tracing_ ? static_cast<ruvo::Dialogs&>(dialogs_) : plainDialogs_; }
    ruvo::ProgramForms& Forms() { return tracing_ ? static_cast<ruvo::ProgramForms&>(forms_) : plainForms_; }
    ruvo::SettingsDialogView& Settings() {
        return tracing_ ? static_cast<ruvo::SettingsDialogView&>(settings_) : plainSettings_;
    }
    void TracePlayer(ruvo::MpvPlayer& player) {
        if (!tracing_) return;
        player.SetEventObserver([this](const char* event) { trace_.Line(std::string("player ") + event); });
        widget_.VideoSurface()->SetPlaceObserver([this](int x, int y, int width, int height) {
            trace_.Line("place video=" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(width) + "," +
                        std::to_string(height));
        });
    }

private:
    bool tracing_;
    ruvo::TraceLog trace_;
    ruvo::TracedControls controls_;
    ruvo::TracedTray tray_;
    ruvo::TracedDialogs dialogs_;
    ruvo::TracedForms forms_;
    TracedSettingsDialog settings_;
    ruvo::MainWindowWidget& widget_;
    ruvo::QtTrayIcon& plainTray_;
    ruvo::QtDialogs& plainDialogs_;
    ruvo::QtProgramForms& plainForms_;
    ruvo::SettingsDialogWidget& plainSettings_;
};

// Where the full-screen button is once the picture fills the screen (or
// leaves it), for tests that press it there.
void TraceFullScreenBar(ruvo::MpvPlayer& player, ruvo::MainWindowWidget& widget, ruvo::TraceLog& trace) {
    player.SetFullScreenRequest([&widget, &trace](bool on) {
        widget.SetPlayerFullScreen(on);
        QTimer::singleShot(500, &widget, [&widget, &trace] {
            const ruvo::ControlId button{ruvo::ControlName::TransportButton, 3};
            trace.Line("place " + ruvo::TraceName(button) + "=" + widget.PlaceOf(button));
        });
    });
}

// Runs `action` once the portal's page has loaded or failed (a command-line
// item plays into a window that shows the portal), at once when it has.
class AfterFirstPage {
public:
    explicit AfterFirstPage(QWebEngineView& pane) {
        QObject::connect(&pane, &QWebEngineView::loadFinished, &pane, [this] {
            if (ready_) return;
            ready_ = true;
            for (auto& action : waiting_) action();
            waiting_.clear();
        });
    }
    void Run(std::function<void()> action) {
        if (ready_) action();
        else waiting_.push_back(std::move(action));
    }

private:
    bool ready_ = false;
    std::vector<std::function<void()>> waiting_;
};

// Traces the event loop's longest pause each second (the stall benchmark),
// when the portal's home page first shows (the start-up benchmark) and where
// the sliders, title buttons and tray icon are once the window is laid out.
std::unique_ptr<ruvo::StallWatch> TraceForBenchmarks(ruvo::MainWindowWidget& widget, ruvo::QtTrayIcon& trayIcon,
                                                     ruvo::TraceLog& trace) {
    auto stalls = std::make_unique<ruvo::StallWatch>([&trace](qint64 ms) { trace.Line("stall " + std::to_string(ms)); });
    QObject::connect(&widget.Pane(ruvo::Pane::PortalPage), &QWebEngineView::loadFinished, &widget,
                     [&trace, shown = false](bool ok) mutable {
                         if (ok && !shown) trace.Line("shown Web1");
                         shown = shown || ok;
                     });
    QTimer::singleShot(1000, &widget, [&widget, &trace, &trayIcon] {
        using ruvo::ControlId, ruvo::ControlName;
        for (const ControlId control : {ControlId{ControlName::SeekTrack}, ControlId{ControlName::VolumeTrack},
                                        ControlId{ControlName::WindowButton, 1}, ControlId{ControlName::WindowButton, 2},
                                        ControlId{ControlName::WindowButton, 5}, ControlId{ControlName::WindowButton, 7},
                                        ControlId{ControlName::WindowButton, 8}, ControlId{ControlName::ListAction},
                                        ControlId{ControlName::WindowButton, 3}, ControlId{ControlName::WindowButton, 4},
                                        ControlId{ControlName::WindowButton, 10}, ControlId{ControlName::TransportButton, 2},
                                        ControlId{ControlName::TransportButton, 3},
                                        ControlId{ControlName::SearchBox}, ControlId{ControlName::MainPaneBox}})
            trace.Line("place " + ruvo::TraceName(control) + "=" + widget.PlaceOf(control));
        trace.Line("place tray=" + trayIcon.Place());
    });
    return stalls;
}

}  // namespace

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
    ruvo::MainWindow window({widget, widget.PaneInterfaces(), timers, player, fetch, ports.Tray(), ports.Controls(),
                             questions, ruvo::LinuxProcesses(), menus, shell, ports.Forms(), ports.Settings(),
                             widget.Surface(), screenSaver},
                            settings, folder, portal);
    if (ports.Tracing()) window.SetTrace([&ports](const std::string& line) { ports.Trace().Line(line); });
    ruvo::PlayerActions playerActions(player, questions, PlayerActionsWiringOf(window));
    // The player's own keys first; the bar's keys (and "any key") after.
    window.Keys().SetPlayerKeys([&playerActions](ruvo::Key key) { return playerActions.KeyDown(key); });
    widget.SetActions(ActionsOf(window, playerActions, widget));
    ruvo::FileDrops fileDrops(&widget, [&playerActions](const std::vector<std::string>& files) { playerActions.Drop(files); });
    ruvo::MprisService mediaControls(window.Remote());  // media keys and the desktop's media widget
    widget.Surface().SetOnResizeEnded([&window] { window.Mouse().ResizeEnded(); });
    chooseMenuEntry = [&window](const std::string& item) { window.MenuEntries().Choose(item); };
    trayIcon.SetClicks([&window] { ruvo::TrayLeftClick(window.Host(), window.Title()); },
                       [&window] { ruvo::TrayRightClick(window.Menus()); });
    // Next episodes are downloaded ahead into the folder QvodPlayer.xml names.
    ruvo::QtMediaDownloads downloads;
    player.SetDownloads(&downloads, [&window] { return ruvo::DownloadFolderOf(window.StoredSettings()); });
    AfterFirstPage afterFirstPage(widget.Pane(ruvo::Pane::PortalPage));
    window.SetPlayCommandLineItem([&window, &afterFirstPage](const std::string& item) {
        afterFirstPage.Run([&window, item] { window.CommandLine().Play(item); });
    });
    channel.SetOnCommand([&window, &afterFirstPage](const std::string& text) {
        afterFirstPage.Run([&window, text] { window.CommandLine().Receive(text); });
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
        [&window](int) { window.Ending().EndOnSignal(); });
    widget.show();
    window.Layout().OnResize();
    window.Sliders().DrawVolume(player.Volume());
    const auto stalls = ports.Tracing() ? TraceForBenchmarks(widget, trayIcon, ports.Trace()) : nullptr;
    if (ports.Tracing()) TraceFullScreenBar(player, widget, ports.Trace());
    return app.exec();
}
