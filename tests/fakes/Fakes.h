#pragma once
// Test doubles of the platform ports: they record what the logic asked for
// and answer what the test set up.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/Clock.h"
#include "platform/Dialogs.h"
#include "platform/HttpFetch.h"
#include "platform/IdleInhibitor.h"
#include "platform/MainWindowHost.h"
#include "platform/NetworkAdapters.h"
#include "platform/Player.h"
#include "platform/PlayerProbe.h"
#include "platform/PopupMenus.h"
#include "platform/Processes.h"
#include "platform/ProgramForms.h"
#include "platform/SettingsDialogView.h"
#include "platform/Shell.h"
#include "platform/Tray.h"
#include "platform/WebPane.h"
#include "platform/WindowControls.h"
#include "platform/WindowSurface.h"

namespace ruvo::test {

class FakeClock final : public Clock {
public:
    LocalDateTime now{2011, 3, 28, 9, 5, 7};
    double random = 0.597;  // floor(0.597 * 900) + 100 = 637
    LocalDateTime LocalNow() override { return now; }
    double Random() override { return random; }
};

class FakeAdapters final : public NetworkAdapters {
public:
    std::string address;
    std::string FirstUsableHardwareAddress() override { return address; }
};

class FakePlayerProbe final : public PlayerProbe {
public:
    bool available = true;
    int probes = 0;
    bool CanCreatePlayer() override {
        ++probes;
        return available;
    }
};

class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        std::string text, title;
    };
    bool answerYes = false;
    std::vector<Shown> questions, notices;
    std::vector<Default> enterAnswers;  // what Enter would have answered, a question each
    std::vector<Icon> icons;            // and the icon it showed
    bool AskYesNo(const std::string& text, const std::string& title, Default enter = Default::No,
                  Icon icon = Icon::Question) override {
        questions.push_back({text, title});
        enterAnswers.push_back(enter);
        icons.push_back(icon);
        return answerYes;
    }
    void ShowNotice(const std::string& text, const std::string& title) override { notices.push_back({text, title}); }
    std::string chosenFile;  // what the open-file dialog returns
    std::vector<Shown> fileDialogs;  // title and filter of each open-file dialog
    std::vector<std::string> fileDialogFolders;  // and the folder it was asked to start in
    std::string ChooseFile(const std::string& title, const std::string& filter, const std::string& startFolder = "") override {
        fileDialogs.push_back({filter, title});
        fileDialogFolders.push_back(startFolder);
        return chosenFile;
    }
    std::string chosenFolder;  // what the folder dialog returns
    std::vector<Shown> folderDialogs;  // initial folder and title of each folder dialog
    std::string ChooseFolder(const std::string& initialFolder, const std::string& title) override {
        folderDialogs.push_back({initialFolder, title});
        return chosenFolder;
    }
    std::string typedText;  // what the text dialog returns
    std::vector<Shown> textDialogs;  // prompt and title of each text dialog
    std::string AskText(const std::string& prompt, const std::string& title) override {
        textDialogs.push_back({prompt, title});
        return typedText;
    }
};

class FakeShell final : public Shell {
public:
    std::vector<std::string> opened, folders;
    bool OpenUrl(const std::string& url) override {
        opened.push_back(url);
        return true;
    }
    bool OpenFolder(const std::string& folder) override {
        folders.push_back(folder);
        return true;
    }
};

class FakeHost final : public MainWindowHost {
public:
    WorkArea area{0, 0, 1920, 1040};
    int maxWidth = -1, maxHeight = -1;
    int twipsWidth = -1, twipsHeight = -1;
    bool taskbarMinimize = false, keyPreview = false, maximized = false;
    bool IsMaximized() const override { return maximized; }
    int innerHeight = 600;
    std::optional<ControlId> captured;
    int InnerHeight() const override { return innerHeight; }
    void CaptureMouse(ControlId control) override { captured = control; }
    void ReleaseMouse() override { captured.reset(); }
    int WidthTwips() const override { return twipsWidth; }
    int HeightTwips() const override { return twipsHeight; }
    WorkArea QueryWorkArea() override { return area; }
    void LimitMaximizedSize(int width, int height) override {
        maxWidth = width;
        maxHeight = height;
    }
    void EnableTaskbarMinimizeRestore() override { taskbarMinimize = true; }
    void ResizeTwips(int width, int height) override {
        twipsWidth = width;
        twipsHeight = height;
    }
    void SetKeyPreview(bool on) override { keyPreview = on; }
    bool minimized = false, visible = true, topMost = false;
    std::vector<std::string> calls;  // "hide", "show", "minimize", "normal", "maximize", "center", "topmost:1"
    bool IsMinimized() const override { return minimized; }
    bool IsVisible() const override { return visible; }
    void Minimize() override {
        calls.push_back("minimize");
        minimized = true;
    }
    void Maximize() override {
        calls.push_back("maximize");
        maximized = true;
        minimized = false;
    }
    void ShowNormal() override {
        calls.push_back("normal");
        maximized = minimized = false;
    }
    void Hide() override {
        calls.push_back("hide");
        visible = false;
    }
    void Show() override {
        calls.push_back("show");
        visible = true;
    }
    void Center() override { calls.push_back("center"); }
    void SetTopMost(bool on) override {
        calls.push_back(std::string("topmost:") + (on ? "1" : "0"));
        topMost = on;
    }
};

// A pane that records navigations and lets the test raise its events.
class FakeWebPane final : public WebPane {
public:
    std::vector<std::string> navigations;  // every Navigate call, cancelled or not
    std::string shownUrl;                   // the last navigation that was not cancelled
    bool silent = false, visible = true;
    WebPaneEvents events;

    void Navigate(const std::string& url) override {
        navigations.push_back(url);
        bool cancel = false;
        if (events.beforeNavigate) events.beforeNavigate(url, cancel);
        if (!cancel) shownUrl = url;
    }
    void SetSilent(bool on) override { silent = on; }
    void SetVisible(bool on) override { visible = on; }
    bool IsVisible() const override { return visible; }
    void Move(int, int, int, int) override {}
    void SetEvents(WebPaneEvents e) override { events = std::move(e); }
    std::vector<PageMediaAction> mediaActions;
    void ControlPageMedia(PageMediaAction action) override { mediaActions.push_back(action); }
};

// A player that remembers what it was told; tests set what it reports.
class FakePlayer final : public Player {
public:
    std::string url;
    PlayerState state = PlayerState::Idle;
    int volume = 100, duration = 0, position = 0, speed = 0, bitRate = 0, progress = 0;
    bool muted = false, fullScreen = false;
    std::vector<std::string> calls;  // "play", "pause", "stop", "preload:URL", "seek:N"
    std::function<void(PlayerEvent)> eventHandler;

    // The player tells what just happened, as libmpv's events do.
    void Report(PlayerEvent event) {
        if (eventHandler) eventHandler(event);
    }
    void SetEventHandler(std::function<void(PlayerEvent)> handler) override { eventHandler = std::move(handler); }

    std::string PlayUrl() const override { return url; }
    void SetPlayUrl(const std::string& u) override { url = u; }
    void Play() override {
        calls.push_back("play");
        state = PlayerState::Playing;
    }
    void Pause() override {
        calls.push_back("pause");
        state = PlayerState::Paused;
    }
    void Stop() override {
        calls.push_back("stop");
        state = PlayerState::Stopped;
    }
    PlayerState PlayState() const override { return state; }
    void SetMuted(bool m) override { muted = m; }
    void SetFullScreen(bool on) override { fullScreen = on; }
    bool IsFullScreen() const override { return fullScreen; }
    int Volume() const override { return volume; }
    void SetVolume(int v) override { volume = v; }
    int Duration() const override { return duration; }
    int Position() const override { return position; }
    void SetPosition(int seconds) override {
        calls.push_back("seek:" + std::to_string(seconds));
        position = seconds;
    }
    int DownloadSpeed() const override { return speed; }
    int BitRate() const override { return bitRate; }
    int DownloadProgress() const override { return progress; }
    void PreloadUrl(const std::string& u) override { calls.push_back("preload:" + u); }
    std::string failure;  // why the item could not be played
    std::string FailureText() const override { return failure; }

    std::vector<MediaTrack> tracks;
    std::vector<std::string> subtitleFiles, screenshots;
    double playbackSpeed = 1.0, subtitleDelay = 0;
    bool screenshotsSucceed = true;
    std::vector<MediaTrack> Tracks() const override { return tracks; }
    // Selects as libmpv does: the track of that kind alone (0: none).
    void SelectTrack(TrackKind kind, int id) override {
        for (MediaTrack& track : tracks)
            if (track.kind == kind) track.selected = track.id == id;
    }
    void AddSubtitleFile(const std::string& path) override { subtitleFiles.push_back(path); }
    double SubtitleDelay() const override { return subtitleDelay; }
    void SetSubtitleDelay(double seconds) override { subtitleDelay = seconds; }
    double Speed() const override { return playbackSpeed; }
    void SetSpeed(double s) override { playbackSpeed = s; }
    void SaveScreenshot(const std::string& path, std::function<void(bool)> done) override {
        screenshots.push_back(path);
        done(screenshotsSucceed);
    }
};

// Answers fetches from a table (nothing for an unknown address) and records
// them. It answers at once, inside the call, unless `holdReplies` is set:
// then the replies wait for Answer().
class FakeFetch final : public HttpFetch {
public:
    std::map<std::string, std::optional<std::string>> replies;
    std::vector<std::string> requests;
    bool holdReplies = false;
    struct Waiting {
        std::string url;
        Done done;
    };
    std::vector<Waiting> waiting;
    void Get(const std::string& url, int timeoutSeconds, Done done) override {
        requests.push_back(url);
        lastTimeout = timeoutSeconds;
        if (holdReplies) waiting.push_back({url, std::move(done)});
        else done(ReplyTo(url));
    }
    // Answers the waiting request `index` (the oldest first) from the table.
    void Answer(size_t index = 0) {
        Waiting w = std::move(waiting.at(index));
        waiting.erase(waiting.begin() + static_cast<std::ptrdiff_t>(index));
        w.done(ReplyTo(w.url));
    }
    std::optional<std::string> ReplyTo(const std::string& url) const {
        const auto it = replies.find(url);
        return it == replies.end() ? std::nullopt : it->second;
    }
    int lastTimeout = 0;
};

class FakeTray final : public TrayIcon {
public:
    std::vector<std::string> tips;
    bool available = true, shown = false;
    std::string tooltip;
    std::vector<std::string> calls;  // "add", "remove"
    void ShowTrayTip(const std::string& text) override { tips.push_back(text); }
    bool IsAvailable() const override { return available; }
    void AddTrayIcon(const std::string& text) override {
        calls.push_back("add");
        tooltip = text;
        shown = true;
    }
    void RemoveTrayIcon() override {
        calls.push_back("remove");
        shown = false;
    }
};

class FakeMenus final : public PopupMenus {
public:
    std::vector<std::string> popped;  // "tray", "historyRow", "taskList", with "@x,y" when placed
    void PopUp(MenuName menu) override { popped.push_back(Name(menu)); }
    void PopUpAt(MenuName menu, int x, int y) override {
        popped.push_back(Name(menu) + "@" + std::to_string(x) + "," + std::to_string(y));
    }
    static std::string Name(MenuName menu) {
        return menu == MenuName::Tray ? "tray" : menu == MenuName::HistoryRow ? "historyRow" : "taskList";
    }
};

// Records the exit routine's window steps, in order.
class FakeForms final : public ProgramForms {
public:
    std::vector<std::string> steps;  // "unload tip", ..., "recommendation", "end", "floating ad"
    void Unload(FormName form) override {
        static const char* names[] = {"tip", "adsb", "BA3", "BA1", "ba4"};
        steps.push_back(std::string("unload ") + names[static_cast<int>(form)]);
    }
    void ShowFloatingAd() override { steps.push_back("floating ad"); }
    void ShowRecommendationAndEnd() override { steps.push_back("recommendation"); }
    void EndProcess() override { steps.push_back("end"); }
};

class FakeSettingsView final : public SettingsDialogView {
public:
    SettingsDialogActions actions;
    std::map<int, bool> checked;
    std::string folderText, header;
    int tab = -1;
    bool open = false;
    void SetActions(SettingsDialogActions a) override { actions = std::move(a); }
    void SetChecked(int index, bool on) override { checked[index] = on; }
    bool IsChecked(int index) const override {
        const auto it = checked.find(index);
        return it != checked.end() && it->second;
    }
    void SetFolderText(const std::string& text) override { folderText = text; }
    std::string FolderText() const override { return folderText; }
    void ShowTab(int index, const std::string& text) override {
        tab = index;
        header = text;
    }
    void Show() override { open = true; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
};

class FakeProcesses final : public Processes {
public:
    std::vector<std::string> started;
    bool StartDetached(const std::string& program) override {
        started.push_back(program);
        return true;
    }
};

// The screen as plain values: what reached it, readable by the test.
class FakeControls final : public WindowScreen {
public:
    struct Values {
        std::string text, tooltip;
        bool visible = true, enabled = true;
        int picture = -1;
        Rect rect;
        SpokenControl spoken;
        SliderValue slider;
        int downloadedPerMille = 0;
    };
    std::map<std::pair<int, int>, Values> values;
    // Every text the status line took, in turn (a repeat of the shown one is no change).
    std::vector<std::string> statusLines;

    Values& Of(ControlId id) { return values[{static_cast<int>(id.name), id.index}]; }
    const Values& Of(ControlId id) const { return const_cast<FakeControls*>(this)->Of(id); }
    void SetText(ControlId id, const std::string& t) override {
        if (id.name == ControlName::StatusLine && Of(id).text != t) statusLines.push_back(t);
        Of(id).text = t;
        if (id.name == ControlName::TitleLine) Of(id).rect.width = static_cast<int>(t.size()) * 6;  // an autosized label
    }
    std::string Text(ControlId id) const { return Of(id).text; }
    void SetTooltip(ControlId id, const std::string& t) override { Of(id).tooltip = t; }
    std::string Tooltip(ControlId id) const { return Of(id).tooltip; }
    void SetVisible(ControlId id, bool v) override { Of(id).visible = v; }
    bool IsVisible(ControlId id) const { return Of(id).visible; }
    void SetEnabled(ControlId id, bool e) override { Of(id).enabled = e; }
    void SetPicture(ControlId id, int image) override { Of(id).picture = image; }
    void Describe(ControlId id, const SpokenControl& spoken) override { Of(id).spoken = spoken; }
    void SetSliderValue(ControlId id, SliderValue value) override { Of(id).slider = value; }
    void SetDownloaded(ControlId id, int perMille) override { Of(id).downloadedPerMille = perMille; }
    Rect Geometry(ControlId id) const override { return Of(id).rect; }
    void Move(ControlId id, const Rect& r) override { Of(id).rect = r; }
};

// The screensaver service, recorded: "inhibit <reason>" and "release".
class FakeIdleInhibitor final : public IdleInhibitor {
public:
    std::vector<std::string> calls;
    bool Inhibit(const std::string& reason) override {
        calls.push_back("inhibit " + reason);
        return true;
    }
    void Release() override { calls.push_back("release"); }
};

// The window's own drawing and loops, recorded: cells drawn per control, the
// last frame, shape and cursor, the loops started. Its inner size follows the
// host's twips at 96 dpi (15 twips a pixel) unless set.
class FakeSurface final : public WindowSurface {
public:
    explicit FakeSurface(const FakeHost& host) : host_(host) {}
    std::set<int> missingResources;
    std::map<int, int> loaded;  // slot -> resource
    int frames = 0;
    FramePieces lastFrame{};
    std::array<int, 4> shape{};
    std::map<std::pair<int, int>, PictureCell> cells;
    CursorShape cursor = CursorShape::Arrow;
    int moves = 0;
    std::vector<ResizeEdge> resizes;
    std::map<std::pair<int, int>, unsigned> colors;
    int fixedWidth = -1, fixedHeight = -1;
    std::map<std::pair<int, int>, int> textWidths;  // what SizeToText gives a label

    bool LoadPicture(int slot, int resource) override {
        if (missingResources.count(resource)) return false;
        loaded[slot] = resource;
        return true;
    }
    void PaintFrame(const FramePieces& pieces) override {
        ++frames;
        lastFrame = pieces;
    }
    void SetRoundedShape(int width, int height, int cornerWidth, int cornerHeight) override {
        shape = {width, height, cornerWidth, cornerHeight};
    }
    void DrawCell(ControlId control, const PictureCell& cell) override { cells[Key(control)] = cell; }
    PictureCell CellOf(ControlId control) const {
        const auto it = cells.find(Key(control));
        return it == cells.end() ? PictureCell{-1, {}} : it->second;
    }
    void SetCursorShape(CursorShape shape) override { cursor = shape; }
    void StartSystemMove() override { ++moves; }
    void StartSystemResize(ResizeEdge edge) override { resizes.push_back(edge); }
    int InnerWidth() const override { return fixedWidth >= 0 ? fixedWidth : host_.WidthTwips() / 15; }
    int InnerHeightPixels() const override { return fixedHeight >= 0 ? fixedHeight : host_.HeightTwips() / 15; }
    FakeControls* controls = nullptr;  // labels sized to their text live there
    void SizeToText(ControlId control) override {
        const auto it = textWidths.find(Key(control));
        if (!controls || it == textWidths.end()) return;
        Rect rect = controls->Geometry(control);
        rect.width = it->second;
        rect.height = 16;
        controls->Move(control, rect);
    }
    void SetTextColor(ControlId control, unsigned rgb) override { colors[Key(control)] = rgb; }
    unsigned TextColor(ControlId control) const override {
        const auto it = colors.find(Key(control));
        return it == colors.end() ? 0 : it->second;
    }

private:
    static std::pair<int, int> Key(ControlId c) { return {static_cast<int>(c.name), c.index}; }
    const FakeHost& host_;
};

}  // namespace ruvo::test
