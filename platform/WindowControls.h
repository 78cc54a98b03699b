#pragma once
// The main window's controls by name (labels, boxes, buttons) and the screen
// that shows them.
#include <optional>
#include <string>

namespace ruvo {

// The window's controls. The diagnostic trace names them as the window's
// design did (app/TraceLog.cpp holds that table).
enum class ControlName {
    StatusLine,
    TitleLine,          // above the player
    PlayTimes,          // position / duration
    ListAction,         // the list action label under the right panel
    RestoreLabel,       // the other action label, the restore sign in compact mode
    PlayerBox,          // holds the player
    MainPaneBox,        // holds the portal page
    PagePlayerBox,      // holds the page player
    SearchResultsBox,   // holds the search results
    MainAreaNotice,     // load-error notice over the main area
    SidePaneNotice,     // load-error notice over the side page
    WatchHistoryTab,    // the right panel's watch-history tab
    LocalFilesTab,      // its local-file tab
    LibraryTab,         // its title-pages tab, the side page
    RightPanel,
    LeftPanel,
    ScrollAdBar,        // the scrolling advertisement bar
    PlayerAdPanel,      // the player's advertisement panel
    PlayerAdPicture,    // the picture shown instead of the panel
    PlayerCover,        // the advertisement picture over the player
    StatusStrip,
    NextEpisodeNotice,  // "正准备播放下一集，请稍后..."
    SeekTrack,
    SeekKnob,
    DownloadedBar,      // the downloaded share
    WindowButton,       // the frame's buttons (indexed by WindowButton)
    TransportButton,    // transport buttons (indexed)
    SearchBox,
    VolumeTrack,
    VolumeKnob,
    VolumeFill,         // the volume track's part left of the knob
    BarTipPanel,        // tooltip panel over the player bar
    BarTipText,         // its text
    // The frame and the containers the layout places.
    ContentArea,        // below the title bar
    LeftHeader,         // the left panel's header, holding the search controls
    LeftBody,
    RightBody,
    CentreColumn,
    CentreHeader,       // panel toggles, title line, scrolling bar
    RightFooter,        // the right panel's bottom bar, holding the list action
    PlayerBar,
    PlayerTopStrip,     // the strip over the top of the player
    PlayerSurface,      // the player control's surface
    WindowTitle,        // the window's title label
    Logo,
    PagePlayerClose,    // the page player's close button
    SkipButton,         // over the picture: "跳过片头" or "跳过片尾"
    SearchBoxFrame,
    SearchButton,
    WebPane,            // a web pane in its host, indexed by Pane
    None,               // no control: a widget whose events are not routed
};

struct ControlId {
    ControlName name;
    int index = 0;
};

// The frame's buttons: the title bar's, the right panel's tabs and tab bar,
// and the panel toggles.
enum class WindowButton {
    Minimize,
    Maximize,  // and restore
    Close,
    Compact,
    TopMost,
    Menu,
    TitlePagesTab,
    HistoryTab,
    LocalFilesTab,
    TabBar,
    LeftPanelToggle,
    RightPanelToggle,
};
inline constexpr ControlId ControlOf(WindowButton button) { return {ControlName::WindowButton, static_cast<int>(button)}; }
// The buttons with a look of their own and a tooltip.
inline constexpr WindowButton kFrameButtons[] = {
    WindowButton::Minimize, WindowButton::Maximize, WindowButton::Close,           WindowButton::Compact,
    WindowButton::TopMost,  WindowButton::Menu,     WindowButton::LeftPanelToggle, WindowButton::RightPanelToggle,
};

// The player bar's buttons, in their order on the bar.
enum class BarButton { PlayPause, Stop, Mute, FullScreen, OpenFile, Next, Previous, RightPanel };
inline constexpr int kBarButtonCount = 8;
inline constexpr ControlId ControlOf(BarButton button) { return {ControlName::TransportButton, static_cast<int>(button)}; }

// What a screen reader says of a control beside what it shows: its name
// and, for a tab or a button that stays down, whether it is on.
struct SpokenControl {
    std::string name;
    std::optional<bool> on;
    bool operator==(const SpokenControl&) const = default;
};

// Where a slider stands, from 0 to `maximum` in its own unit (seconds of
// play, percent of volume), for the keyboard and screen readers.
struct SliderValue {
    int value = 0;
    int maximum = 0;
    bool operator==(const SliderValue&) const = default;
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// The window's controls as the screen shows them. The logic tells it what
// to show and never asks it what shows (it keeps that in its WindowView);
// places are the window's to report, as its full-screen and compact
// layouts move the player's parts on their own.
class WindowScreen {
public:
    virtual ~WindowScreen() = default;
    virtual void SetText(ControlId control, const std::string& text) = 0;
    // Shown to the user only: the program keeps what a tooltip says elsewhere.
    virtual void SetTooltip(ControlId control, const std::string& text) = 0;
    virtual void SetVisible(ControlId control, bool visible) = 0;
    virtual void SetEnabled(ControlId control, bool enabled) = 0;
    // Gives a button one of its skin pictures (index into its image strip).
    virtual void SetPicture(ControlId control, int image) = 0;
    virtual void Describe(ControlId control, const SpokenControl& spoken) = 0;
    // The screen places the slider's knob (and the volume's filled part)
    // by the value; a knob the user holds stays under the pointer.
    virtual void SetSliderValue(ControlId track, SliderValue value) = 0;
    // The share of the media at hand, in per mille, drawn along the seek
    // track; below 1 it is out of sight.
    virtual void SetDownloaded(ControlId track, int perMille) = 0;
    // Where the control is now; a label's size is the one its text took.
    virtual Rect Geometry(ControlId control) const = 0;
    virtual void Move(ControlId control, const Rect& rect) = 0;
};

}  // namespace ruvo
