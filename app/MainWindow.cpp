#include "app/MainWindow.h"

#include "app/CommandLineItem.h"
#include "app/ExitProgram.h"
#include "base/NumberText.h"
#include "base/TextCodec.h"
#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "config/SettingsKeys.h"
#include "history/HistoryActions.h"
#include "history/HistoryPages.h"
#include "playback/EpisodeLookup.h"
#include "playback/NextEpisodeFinder.h"
#include "playback/OpeningCreditsSkip.h"
#include "playback/Playback.h"
#include "playback/PlayerAreaDrawing.h"
#include "playback/IdleInhibition.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/MediaRemote.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/PlayerMemory.h"
#include "playback/PlayerProcesses.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"
#include "portal/ForeignLinks.h"
#include "portal/LinkDispatcher.h"
#include "portal/PaneLoadEvents.h"
#include "portal/SearchBox.h"
#include "settings/SettingsDialog.h"
#include "shell/DesignValues.h"
#include "shell/FrameMouse.h"
#include "shell/LayoutGeometry.h"
#include "shell/NavigationButtons.h"
#include "shell/Skin.h"
#include "shell/TipMenus.h"
#include "shell/TitleButtons.h"
#include "shell/TrayClicks.h"
#include "shell/TrayText.h"
#include "shell/WindowLayout.h"

namespace ruvo {
MainWindow::MainWindow(MainWindowPorts ports, SettingsFile& settings, std::string programFolder, PortalAddress portal)
    : ports_(ports), storedSettings_(settings), programFolder_(std::move(programFolder)), portal_(std::move(portal)), lists_(programFolder_) {
    CreateTimers();
    CreateParts();
    ApplyDesignValues(view_);
    ConnectTimers();
    ConnectPanes();
    lists_.SetPageWritten([this](std::string_view listName, const std::string& pagePath) {
        PaneOf(IsWatchList(listName) ? Pane::HistoryList : Pane::LocalList).Navigate(pagePath);
    });
    ports_.player.SetEventHandler([this](PlayerEvent event) {
        monitor_->PlayerReported(event);
        if (skip_) skip_->PositionChanged();
    });
}

void MainWindow::ListenWith(EpisodeListening& listening) {
    wayBackTimer_ = ports_.timers.CreateTimer();
    creditsTimer_ = ports_.timers.CreateTimer();
    skip_ = std::make_unique<OpeningCreditsSkip>(OpeningCreditsSkip::Parts{
        *playback_, ports_.player, listening, options_, programFolder_, *wayBackTimer_, *creditsTimer_,
        [this](const std::string& text, int seconds) { monitor_->ShowNotice(text, seconds); },
        [this] { monitor_->EndNow(); }, [this] { monitor_->EndOfPlayTick(); }, [this] { monitor_->CancelEnd(); },
        [this](const std::string& line) { Trace(line); }});
}

bool MainWindow::CanMarkSkips() const { return skip_ && skip_->CanMark(); }

void MainWindow::MarkSkip(PlayerCommand mark) {
    if (!skip_) return;
    if (mark == PlayerCommand::MarkOpeningEnd) skip_->MarkOpeningEnd();
    else if (mark == PlayerCommand::MarkCreditsStart) skip_->MarkCreditsStart();
    else if (mark == PlayerCommand::ClearSkipMarks) skip_->ClearMarks();
}

MainWindow::~MainWindow() {
    *alive_ = false;
    skip_.reset();  // its listenings end before the playback they report to
    ports_.player.SetEventHandler({});
}

// The parts, in an order where each is made after the parts it is given;
// calls (lambdas on this) reach parts made later.
void MainWindow::CreateParts() {
    CreatePlaybackParts();
    CreateShellParts();
    CreatePortalAndListParts();
    CreateProgramParts();
}

void MainWindow::CreatePlaybackParts() {
    lookup_ = std::make_unique<EpisodeLookup>(
        portal_.base, [this](const std::string& url, auto done) { FetchText(url, std::move(done)); });
    auto trace = [this](const std::string& line) { Trace(line); };
    playback_ = std::make_unique<Playback>(Playback::Parts{
        *lookup_, portal_.base, PaneOf(Pane::PagePlayer), ports_.player, lists_, options_,
        TimerOf(WindowTimer::StatusTick), TimerOf(WindowTimer::EndOfPlay),
        [this](const std::string& text) { ShowTrayTip(text); },
        [this] { navigation_->ShowTab(RightPanelTab::TitlePages); }, trace});
    playback_->Subscribe([this](const PlayerArea& now, const PlayerArea& before) {
        DrawPlayerArea(view_, now, before);
        if (now.title != before.title) FitTitleLine(now.title);
    });
    inhibition_ = std::make_unique<IdleInhibition>(ports_.idle, ports_.player, *playback_);
    nextEpisode_ = std::make_unique<NextEpisodeFinder>(NextEpisodeFinder::Parts{
        *lookup_, *playback_, options_, TimerOf(WindowTimer::NextEpisodeRetry),
        [this](const std::string& text) { ShowTrayTip(text); },
        [this] {
            monitor_->NextEpisodeFound();
            if (skip_) skip_->NextKnown();
        },
        trace});
    transport_ = std::make_unique<TransportControls>(TransportControls::Parts{
        view_, ports_.host, ports_.player, *playback_, frame_.rightPanelShown, frame_.compact, ports_.dialogs,
        [this] { navigation_->ToggleRightPanel(); }, [this] { navigation_->ShowTab(RightPanelTab::LocalFiles); },
        [this] {
            inhibition_->Update();
            memory_->RememberChanges();
        },
        [this](const std::string& text) { monitor_->ShowNotice(text); }});
    memory_ = std::make_unique<PlayerMemory>(ports_.player, *transport_, storedSettings_);
    monitor_ = std::make_unique<PlayStatusMonitor>(PlayStatusMonitor::Parts{
        ports_.player, *playback_, ads_, view_, options_, TimerOf(WindowTimer::StatusTick),
        TimerOf(WindowTimer::EndOfPlay),
        [this] {
            inhibition_->Update();
            memory_->RememberChanges();
        },
        [this](const std::string& text) { ShowTrayTip(text); }, [this] { nextEpisode_->LookUp(); }});
    sliders_ = std::make_unique<PlayerSliders>(view_, ports_.player, *playback_, *transport_, *memory_,
                                               [this](const std::string& text) { monitor_->ShowNotice(text); });
    keys_ = std::make_unique<KeyboardShortcuts>(KeyboardShortcuts::Parts{
        view_, ports_.player, *playback_, *transport_, *sliders_, *monitor_, *memory_, TimerOf(WindowTimer::StatusTick)});
    remote_ = std::make_unique<MediaRemote>(MediaRemote::Parts{ports_.player, *playback_, view_, ports_.host,
                                                               PaneOf(Pane::PagePlayer), *transport_, *sliders_, *monitor_,
                                                               *memory_, [this] { Exit(); }});
}

void MainWindow::CreateShellParts() {
    layout_ = std::make_unique<WindowLayout>(
        WindowLayout::Parts{view_, ports_.surface, ports_.host, frame_, ads_});
    mouse_ = std::make_unique<FrameMouse>(FrameMouse::Parts{ports_.surface, view_, ports_.host, frame_,
                                                            storedSettings_, [this] { title_->ToggleMaximized(); }});
    navigation_ = std::make_unique<NavigationButtons>(NavigationButtons::Parts{
        view_, ports_.surface, ports_.host, frame_, *layout_, *mouse_,
        [this] { transport_->Redraw(BarButton::RightPanel); }});
    title_ = std::make_unique<TitleButtons>(TitleButtons::Parts{
        view_, ports_.surface, ports_.host, frame_, storedSettings_, options_, ports_.dialogs, ports_.menus, ports_.tray,
        *layout_, *mouse_, *playback_, [this] { transport_->Redraw(BarButton::RightPanel); }, [this] { Exit(); }});
}

void MainWindow::CreatePortalAndListParts() {
    search_ = std::make_unique<SearchBox>(view_, PaneOf(Pane::SearchResults), portal_.base);
    loadEvents_ = std::make_unique<PaneLoadEvents>(
        PaneLoadEvents::Parts{ports_.panes, portal_.base, failures_, ads_, view_,
                              [this](const std::string& link) { history_->RowRightClicked(link); }});
    history_ = std::make_unique<HistoryActions>(HistoryActions::Parts{
        PaneOf(Pane::HistoryList), lists_, programFolder_, playerFolder_, storedSettings_, view_, ports_.surface,
        ports_.menus, ports_.dialogs, ports_.shell, [this](const std::string& text) { ShowTrayTip(text); },
        [this] {
            if (frame_.topMost) title_->ToggleTopMost();
        },
        [this] { return frame_.lastListTab == RightPanelTab::LocalFiles; }});
    settings_ = std::make_unique<SettingsDialog>(SettingsDialog::Parts{
        ports_.settingsView, ports_.dialogs, storedSettings_, programFolder_});
    dispatcher_ = std::make_unique<LinkDispatcher>(LinkDispatcher::Parts{
        ports_.panes, portal_, programFolder_, failures_, view_, lists_, ports_.dialogs,
        *playback_,
        [this](bool shown) { navigation_->ShowRightPanel(shown); },
        [this] { navigation_->ShowTab(RightPanelTab::TitlePages); },
        [this](const std::string& text) { monitor_->ShowNotice(text); },
        [this] { return frame_.lastListTab == RightPanelTab::LocalFiles; }});
    tipMenus_ = std::make_unique<TipMenus>(TipMenus::Parts{ports_.host, frame_, *history_, *settings_, ports_.shell,
                                                           MakerHomePage(), [this] { OfferUpdate(); },
                                                           [this] { Exit(); }});
}

void MainWindow::CreateProgramParts() {
    exit_ = std::make_unique<ProgramExit>(ProgramExit::Parts{ports_.tray, *transport_, *memory_, *inhibition_,
                                                             ports_.forms, update_});
    updates_ = std::make_unique<UpdateCheck>(UpdateCheck::Parts{
        portal_, programFolder_, [this](const std::string& url, auto done) { FetchText(url, std::move(done)); },
        ports_.processes,
        ports_.shell, ports_.dialogs, view_, ads_, update_, TimerOf(WindowTimer::FloatingAdvert),
        [this] { Exit(); }});
    commandLine_ = std::make_unique<CommandLineItems>(CommandLineItems::Parts{
        ports_.host, frame_.compact, *playback_, TimerOf(WindowTimer::PlayerStartCheck),
        [this] { title_->LeaveCompactMode(); }});
}

void MainWindow::OfferUpdate() { updates_->Offer(); }

void MainWindow::Exit() { exit_->Exit(); }

void MainWindow::CreateTimers() {
    for (size_t i = 0; i < kTimerCount; ++i) {
        timers_[i] = ports_.timers.CreateTimer();
        timers_[i]->SetInterval(DesignOf(static_cast<WindowTimer>(i)).interval);
    }
}

void MainWindow::ConnectTimers() {
    SetTimerHandler(WindowTimer::StatusTick, [this] {
        monitor_->StatusTick();
        if (skip_) skip_->PositionChanged();
    });
    SetTimerHandler(WindowTimer::PlayerStartCheck,
                    [this] { StorePlayerFolder(playerFolder_, programFolder_, storedSettings_); });
    SetTimerHandler(WindowTimer::EndOfPlay, [this] { monitor_->EndOfPlayTick(); });
    SetTimerHandler(WindowTimer::NextEpisodeRetry, [this] { nextEpisode_->RetryTick(); });
    SetTimerHandler(WindowTimer::UpdateCheck, [this] { updates_->Check(); });
    SetTimerHandler(WindowTimer::FloatingAdvert, [this] { ports_.forms.ShowFloatingAd(); });
    otherPanesTimer_ = ports_.timers.CreateTimer();
    otherPanesTimer_->SetInterval(kOtherPanesDelayMs);
    otherPanesTimer_->SetOnTick([this] { NavigateOtherPanes(); });
}

void MainWindow::ApplySkin(int skin) {
    LoadSkin(ports_.surface, skin);
    layout_->LayoutPanes();
    mouse_->DrawRestingLooks();
    navigation_->DrawTabs();
    DrawPlayerBar(view_, transport_->Look());
    view_.SetPicture({ControlName::SearchButton}, 0);
}

void MainWindow::NavigateOtherPanes() {
    if (otherPanesNavigated_) return;
    otherPanesNavigated_ = true;
    otherPanesTimer_->SetEnabled(false);
    for (const Pane pane : kAllPanes)
        if (pane != Pane::PortalPage) PaneOf(pane).Navigate(FirstPage(pane));
}

void MainWindow::SetTimerHandler(WindowTimer timer, std::function<void()> onTick) {
    const bool oneShot = DesignOf(timer).oneShot;
    TimerOf(timer).SetOnTick([this, timer, oneShot, onTick = std::move(onTick)] {
        if (oneShot) TimerOf(timer).SetEnabled(false);
        onTick();
    });
}

void MainWindow::ConnectPanes() {
    for (const Pane pane : kAllPanes) PaneOf(pane).SetEvents(EventsOf(pane));
}

// The pane's load events and its links turned into actions.
WebPaneEvents MainWindow::EventsOf(Pane pane) {
    WebPaneEvents events = loadEvents_->EventsFor(pane);
    if (pane == Pane::PortalPage) {
        // Its first page, loaded or failed, lets the other panes load.
        events.downloadComplete = [this, inner = events.downloadComplete] {
            NavigateOtherPanes();
            if (inner) inner();
        };
        events.navigateError = [this, inner = events.navigateError](const std::string& url) {
            NavigateOtherPanes();
            if (inner) inner(url);
        };
    }
    const auto dispatch = dispatcher_->HandlerFor(pane);
    events.beforeNavigate = [dispatch](const std::string& url, bool& cancel) {
        if (dispatch) dispatch(url, cancel);
    };
    events.linkOpensOutside = [this](const std::string& url, bool byUser) {
        if (!LeavesPortal(url, portal_)) return false;
        if (byUser) ports_.shell.OpenUrl(url);
        return true;
    };
    events.outsideOpensHeld = [this] { monitor_->ShowNotice(kOutsideOpensHeldText); };
    return events;
}

std::string MainWindow::FirstPage(Pane pane) const {
    switch (pane) {
        case Pane::PortalPage: return portal_.base;
        case Pane::HistoryList: return JoinPath(programFolder_, kWatchPageFile);
        case Pane::LocalList: return JoinPath(programFolder_, kLocalPageFile);
        case Pane::SidePage: return portal_.base + "/right.asp";  // two slashes, requested as built
        case Pane::Statistics: return portal_.base + "tj/tj.asp?id=" + userName_;  // identity not escaped
        case Pane::PlayerAdvert: return portal_.base + "js/ads/qvodad.html";
        case Pane::ScrollingAdvert: return portal_.base + "js/ads/gun.html";
        case Pane::PagePlayer:
        case Pane::SearchResults: return "about:blank";
    }
    return "about:blank";
}

void MainWindow::ReadSavedSettings() {
    userName_ = storedSettings_.Read("user", kUserIdentity.key, "0");
    frame_.savedWidth = TextToInt(storedSettings_.Read(kSavedWidth.section, kSavedWidth.key, "0"));
    frame_.savedHeight = TextToInt(storedSettings_.Read(kSavedHeight.section, kSavedHeight.key, "0"));
    frame_.openWithSavedSize = options_.IsOn(Option::RestoreSize);
}

void MainWindow::Load(const std::string& commandLine) {
    MainWindowHost& host = ports_.host;
    frame_.workArea = host.QueryWorkArea();
    frame_.workAreaWidth = frame_.workArea.right - frame_.workArea.left;
    frame_.workAreaHeight = frame_.workArea.bottom - frame_.workArea.top;
    host.LimitMaximizedSize(frame_.workAreaWidth, frame_.workAreaHeight);
    host.EnableTaskbarMinimizeRestore();
    ReadSavedSettings();
    if (frame_.openWithSavedSize) host.ResizeTwips(frame_.savedWidth, frame_.savedHeight);
    frame_.currentTab = RightPanelTab::TitlePages;
    ApplySkin(kProgramSkin);
    PaneOf(Pane::PortalPage).Navigate(FirstPage(Pane::PortalPage));
    otherPanesTimer_->SetEnabled(true);
    ports_.tray.AddTrayIcon(CutToLegacyBytes(kMainWindowCaption, kTrayTooltipBytes));
    failures_ = {};
    ads_ = {};
    update_.recommendOnExit = false;
    memory_->Restore();
    host.SetKeyPreview(true);
    for (size_t i = 0; i < kTimerCount; ++i) timers_[i]->SetEnabled(DesignOf(static_cast<WindowTimer>(i)).enabledAtStart);
    if (!commandLine.empty() && playCommandLineItem_) playCommandLineItem_(commandLine);
}

void MainWindow::ShowTrayTip(const std::string& text) {
    ports_.tray.ShowTrayTip(CutToLegacyBytes(text, kTrayBalloonBytes));
}

std::string MainWindow::MakerHomePage() const {
#ifdef RUVO_MAKER_HOME_PAGE
    if (*RUVO_MAKER_HOME_PAGE) return RUVO_MAKER_HOME_PAGE;
#endif
    return portal_.root + "/";
}

void MainWindow::FetchText(const std::string& url, std::function<void(std::optional<std::string>)> done) {
    ports_.fetch.Get(url, kFetchTimeoutSeconds, [alive = alive_, done = std::move(done)](std::optional<std::string> body) {
        if (!*alive) return;
        if (body) body = DecodeReplyText(*body);
        done(std::move(body));
    });
}

void MainWindow::FitTitleLine(const std::string& text) {
    layout_->PlaceScrollAd();
    // The compact window's title bar names what plays: a dropped file or
    // the next episode played there changes it too.
    if (frame_.compact) {
        view_.SetText({ControlName::WindowTitle}, text);
        layout_->PlaceCompactTitle();
    }
}

void MainWindow::EndOnSignal() { exit_->EndOnSignal(); }

WindowIntents MainWindow::Intents() {
    WindowIntents in;
    in.search = [this](const std::string& typed) { search_->Search(typed); };
    in.searchBoxClicked = [this](const std::string& typed) { search_->ClickInBox(typed); };
    in.searchBoxLeft = [this](const std::string& typed) { search_->FocusLost(typed); };
    in.buttonClick = [this](WindowButton button) {
        title_->Click(button);
        navigation_->Click(button);
    };
    in.transportClick = [this](BarButton button) { transport_->Click(button); };
    in.transportHover = [this](BarButton button, bool inside) { transport_->MouseMove(button, inside); };
    in.keyDown = [this](Key key) { return (skip_ && skip_->KeyDown(key)) || keys_->KeyDown(key); };
    in.skipClick = [this] {
        if (skip_) skip_->Skip();
    };
    in.seekRelease = [this](SeekRelease where, double share) { sliders_->SeekLetGo(where, share); };
    in.volumeWheel = [this](int notches) { keys_->WheelOverPicture(notches); };
    in.volumeKnobPastItsEnd = [this] {
        transport_->Unmute();
        memory_->RememberChanges();
    };
    in.sliderSet = [this](Slider slider, int value) {
        if (slider == Slider::Volume) sliders_->SetVolume(value);
        else remote_->SeekTo(int64_t{value} * 1'000'000);
    };
    in.retryMainArea = [this] { loadEvents_->RetryMainArea(); };
    in.retrySidePane = [this] { loadEvents_->RetrySidePane(); };
    in.closeWebPlayer = [this] { playback_->CloseWebPlayer(); };
    in.listActionClick = [this] { history_->ListActionClicked(); };
    in.compactRestoreClick = [this] { title_->LeaveCompactMode(); };
    in.resized = [this] {
        layout_->OnResize();
        title_->RedrawTips();  // maximised or restored by the desktop: 最大化 or 还原, spoken too
    };
    in.resizeEnded = [this] { mouse_->ResizeEnded(); };
    in.surfaceMove = [this](bool leftHeld, int x, int y) { mouse_->SurfaceMove(leftHeld, x, y); };
    in.surfaceDown = [this](int x, int y) { mouse_->SurfaceDown(x, y); };
    in.surfaceUp = [this] { mouse_->SurfaceUp(); };
    in.surfaceDoubleClick = [this] { mouse_->SurfaceDoubleClick(); };
    in.buttonMove = [this](WindowButton button, int x, int y) { mouse_->ButtonMove(button, x, y); };
    in.labelMove = [this](bool restoreLabel) { mouse_->LabelMove(restoreLabel); };
    in.labelReset = [this](bool restoreLabel) { mouse_->ResetLabelColor(restoreLabel); };
    in.menuEntryChosen = [this](const std::string& item) { tipMenus_->Choose(item); };
    in.trayClick = [this] { TrayLeftClick(ports_.host, *title_); };
    in.trayMenu = [this] { TrayRightClick(ports_.menus); };
    return in;
}

PlayerActionsWiring MainWindow::PlayerWiring() {
    PlayerActionsWiring wiring;
    wiring.playerShown = [this] { return playback_->Area().ShowsPlayer(); };
    wiring.title = [this] { return playback_->Area().title; };
    wiring.showNotice = [this](const std::string& text) { monitor_->ShowNotice(text); };
    wiring.notify = [this](const std::string& text) { ShowTrayTip(text); };
    wiring.notificationsShown = [this] { return ports_.tray.CanShowTrayTips(); };
    wiring.playItem = [this](const std::string& item) { commandLine_->Play(item); };
    wiring.pressKey = [this](Key key) { keys_->KeyDown(key); };
    wiring.openFile = [this] { transport_->OpenFile(); };
    wiring.markSkip = [this](PlayerCommand mark) { MarkSkip(mark); };
    return wiring;
}

void MainWindow::SetPlayerKeys(std::function<bool(Key)> keys) { keys_->SetPlayerKeys(std::move(keys)); }

void MainWindow::ShowBackgroundWork(const std::string& text) { monitor_->ShowBackgroundWork(text); }

void MainWindow::PlayCommandLineItem(const std::string& item) { commandLine_->Play(item); }

void MainWindow::ReceiveFromSecondStart(const std::string& commandLine) { commandLine_->Receive(commandLine); }

void MainWindow::DrawVolume() { sliders_->DrawVolume(ports_.player.Volume()); }

}  // namespace ruvo
