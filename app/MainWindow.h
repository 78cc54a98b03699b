#pragma once
// The main window, where the program's parts are put together: it owns
// the run-time state, what plays, the timers and the lists, makes every part
// with the ports, state and parts it uses, and wires the calls between them.
// The parts know nothing of it.
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/UpdateCheck.h"
#include "config/ProgramPlaces.h"
#include "config/SettingsFile.h"
#include "config/UserOptions.h"
#include "history/HistoryLists.h"
#include "platform/Dialogs.h"
#include "platform/EpisodeListening.h"
#include "platform/HttpFetch.h"
#include "platform/IdleInhibitor.h"
#include "platform/MainWindowHost.h"
#include "platform/Player.h"
#include "platform/PopupMenus.h"
#include "platform/Processes.h"
#include "platform/ProgramForms.h"
#include "platform/SettingsDialogView.h"
#include "platform/Shell.h"
#include "platform/Timer.h"
#include "platform/Tray.h"
#include "platform/WebPane.h"
#include "platform/WindowIntents.h"
#include "platform/WindowSurface.h"
#include "playback/PlayerActions.h"
#include "portal/Panes.h"
#include "promo/AdPane.h"
#include "shell/DesignValues.h"
#include "shell/FrameState.h"
#include "view/WindowView.h"

namespace ruvo {

class CommandLineItems;
class OpeningCreditsSkip;
class EpisodeLookup;
class NextEpisodeFinder;
class Playback;
class HistoryActions;
class LinkDispatcher;
class SettingsDialog;
class TipMenus;
class TitleButtons;
class WindowLayout;
class IdleInhibition;
class PlayerMemory;
class MediaRemote;
class FrameMouse;
class NavigationButtons;
class PaneLoadEvents;
class PlayStatusMonitor;
class ProgramExit;
class UpdateCheck;
class PlayerSliders;
class KeyboardShortcuts;
class SearchBox;
class TransportControls;

inline constexpr const char* kMainWindowCaption = kWindowCaption;
// Episode and update requests give up after this long.
inline constexpr int kFetchTimeoutSeconds = 60;

// The main window's timers, with the intervals fixed in its design.
enum class WindowTimer {
    StatusTick,        // 1000 ms, play-status monitor, running from the start
    EndOfPlay,         // 2000 ms, end of play
    PlayerStartCheck,  // 10 ms, one-shot player-process check, running from the start
    NextEpisodeRetry,  // 50000 ms, next-episode retry
    UpdateCheck,       // 6000 ms, one-shot update check, running from the start
    FloatingAdvert,    // 20000 ms, floating advertisement
};
inline constexpr size_t kTimerCount = 6;

struct TimerDesign {
    int interval;  // ms
    bool enabledAtStart;
    bool oneShot;
};

constexpr TimerDesign DesignOf(WindowTimer timer) {
    constexpr std::array<TimerDesign, kTimerCount> kDesigns{{
        {1000, true, false},    // StatusTick
        {2000, false, false},   // EndOfPlay
        {10, true, true},       // PlayerStartCheck
        {50000, false, false},  // NextEpisodeRetry
        {6000, true, true},     // UpdateCheck
        {20000, false, true},   // FloatingAdvert
    }};
    return kDesigns[static_cast<size_t>(timer)];
}

struct MainWindowPorts {
    MainWindowHost& host;
    PaneSet panes;  // indexed by Pane
    TimerFactory& timers;
    Player& player;
    HttpFetch& fetch;
    TrayIcon& tray;
    WindowScreen& controls;
    Dialogs& dialogs;
    Processes& processes;
    PopupMenus& menus;
    Shell& shell;
    ProgramForms& forms;
    SettingsDialogView& settingsView;
    WindowSurface& surface;
    IdleInhibitor& idle;
};

class MainWindow {
public:
    // `settings` is the program folder's settings file, held by the caller.
    MainWindow(MainWindowPorts ports, SettingsFile& settings, std::string programFolder, PortalAddress portal);
    ~MainWindow();

    // Plays the program's command-line argument once the window has loaded.
    void SetPlayCommandLineItem(std::function<void(const std::string&)> play) { playCommandLineItem_ = std::move(play); }
    // The system asks the program to end (a signal): stored as at any exit.
    void EndOnSignal();

    // What the user's actions in the window and at the tray icon do; the
    // picture's menu, a Qt menu, is the caller's to add.
    WindowIntents Intents();
    // What the player's actions beyond its bar need of the window; the
    // pictures folder is the caller's to add.
    PlayerActionsWiring PlayerWiring();
    // The player's own keys, asked before the bar's.
    void SetPlayerKeys(std::function<bool(Key)> keys);
    // Episodes are heard with this, to find and skip their openings and
    // credits; without it nothing is heard or skipped.
    void ListenWith(EpisodeListening& listening);
    // Whether the player's menu offers the person's marks of the title's
    // opening and credits.
    bool CanMarkSkips() const;
    // Work the program does in the background, in the status line until
    // something plays ("" once it is done).
    void ShowBackgroundWork(const std::string& text);
    // An item from the command line, or the command line a second start
    // handed over.
    void PlayCommandLineItem(const std::string& item);
    void ReceiveFromSecondStart(const std::string& commandLine);
    // Draws the bar's volume as the player has it.
    void DrawVolume();

    // The load handler: runs once, when start-up shows the window.
    void Load(const std::string& commandLine);
    // Load navigates the portal pane first and the other eight once its page
    // has come (or failed), at the latest after this long: the home page then
    // has the engine to itself and shows sooner.
    static constexpr int kOtherPanesDelayMs = 1000;

    // Where the diagnostic trace's lines go (nowhere unless set).
    void SetTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }

    // The part the media keys and the desktop's media widget drive.
    MediaRemote& Remote() { return *remote_; }

private:
    void MarkSkip(PlayerCommand mark);
    // The first page of a pane.
    std::string FirstPage(Pane pane) const;
    void NavigateOtherPanes();

    // A GET of a text (decoded) that nothing waits for: `done` hears it, or
    // nothing when it failed, later; never once the window is gone.
    void FetchText(const std::string& url, std::function<void(std::optional<std::string>)> done);

    // Shows a tray balloon tip (cut to the balloon's 255 legacy bytes).
    void ShowTrayTip(const std::string& text);
    // The timer's tick handler; a one-shot timer is switched off first.
    void SetTimerHandler(WindowTimer timer, std::function<void()> onTick);

    // The tray menu's offer of a new version, and the one orderly way out.
    void OfferUpdate();
    void Exit();
    // Loads skin `skin`, lays the panes out again and paints the resting looks.
    void ApplySkin(int skin);
    // The title line changed: the scrolling bar fits itself to it, and the
    // compact window's title bar names what plays.
    void FitTitleLine(const std::string& text);
    Timer& TimerOf(WindowTimer timer) { return *timers_[static_cast<size_t>(timer)]; }
    WebPane& PaneOf(Pane pane) { return PaneIn(ports_.panes, pane); }
    // The maker's home page, opened by the tray entry "官方主页".
    std::string MakerHomePage() const;
    // The timers come first: parts are given theirs.
    void CreateTimers();
    void CreateParts();
    void CreatePlaybackParts();
    void CreateShellParts();
    void CreatePortalAndListParts();
    void CreateProgramParts();
    void ConnectTimers();
    void ConnectPanes();
    WebPaneEvents EventsOf(Pane pane);
    void Trace(const std::string& line) const {
        if (trace_) trace_(line);
    }
    void ReadSavedSettings();

    MainWindowPorts ports_;
    WindowView view_{ports_.controls};
    SettingsFile& storedSettings_;
    UserOptions options_{storedSettings_};
    std::string programFolder_;
    PortalAddress portal_;
    FrameState frame_;
    AdPanes ads_;
    PaneFailures failures_;
    UpdateState update_;
    std::string userName_;     // the user identity, read once at load
    std::string playerFolder_; // the outside player's; "" until read from the settings
    HistoryLists lists_;
    std::array<std::unique_ptr<Timer>, kTimerCount> timers_;
    std::unique_ptr<Timer> otherPanesTimer_;
    bool otherPanesNavigated_ = false;
    std::function<void(const std::string&)> playCommandLineItem_;
    std::function<void(const std::string&)> trace_;
    // Shared with the replies under way: false once the window is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::unique_ptr<LinkDispatcher> dispatcher_;
    std::unique_ptr<EpisodeLookup> lookup_;
    std::unique_ptr<Playback> playback_;
    std::unique_ptr<NextEpisodeFinder> nextEpisode_;
    std::unique_ptr<TransportControls> transport_;
    std::unique_ptr<NavigationButtons> navigation_;
    std::unique_ptr<SearchBox> search_;
    std::unique_ptr<PaneLoadEvents> loadEvents_;
    std::unique_ptr<PlayStatusMonitor> monitor_;
    std::unique_ptr<PlayerSliders> sliders_;
    std::unique_ptr<KeyboardShortcuts> keys_;
    std::unique_ptr<TitleButtons> title_;
    std::unique_ptr<WindowLayout> layout_;
    std::unique_ptr<FrameMouse> mouse_;
    std::unique_ptr<IdleInhibition> inhibition_;
    std::unique_ptr<PlayerMemory> memory_;
    std::unique_ptr<MediaRemote> remote_;
    std::unique_ptr<TipMenus> tipMenus_;
    std::unique_ptr<HistoryActions> history_;
    std::unique_ptr<SettingsDialog> settings_;
    std::unique_ptr<ProgramExit> exit_;
    std::unique_ptr<UpdateCheck> updates_;
    std::unique_ptr<CommandLineItems> commandLine_;
    std::unique_ptr<Timer> wayBackTimer_, creditsTimer_;
    std::unique_ptr<OpeningCreditsSkip> skip_;
};

}  // namespace ruvo
