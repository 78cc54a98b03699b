#pragma once
// The main window as a borderless Qt widget: it builds the panes and
// controls in their containers, answers the window questions of the logic
// and reports the user's clicks and pointer moves. Where everything goes is
// the logic's layout: no Qt layout places anything here.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <vector>

#include "platform/WindowIntents.h"
#include "platform/MainWindowHost.h"
#include "adapters/mpv/MpvVideoView.h"
#include "adapters/qt/FrameBody.h"
#include "adapters/qt/QtWebPane.h"
#include "adapters/qt/QtWindowControls.h"
#include "adapters/qt/QtWindowSurface.h"
#include "adapters/qt/SkinCell.h"
#include "portal/Panes.h"
#include "shell/LayoutGeometry.h"

class QKeyEvent;
class QWebEngineFullScreenRequest;
class QTimer;
class QLineEdit;
class QWebEngineProfile;

namespace ruvo {


// Shows the window every key pressed in it before the widget with the focus
// gets it (installed on the application).
class KeyPreview final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QWidget* window = nullptr;
    bool on = false;
    std::function<bool(const QKeyEvent*)> onKey;  // true when taken
    // Keys of the window itself, whatever `on` says; true when taken.
    std::function<bool(const QKeyEvent*)> onWindowKey;

private:
    // True while the key belongs to a text field: the search box, or a text
    // field of a page.
    static bool TypedIntoTextField(QObject* watched);

    int lastKey = 0;
    quint64 lastTimestamp = 0;
    QPointer<QWidget> pressedAt;  // where the last press reached the window first
};

class MainWindowWidget final : public QMainWindow, public MainWindowHost {
    Q_OBJECT
public:
    // `pictureKind` says how the player's picture is drawn.
    MainWindowWidget(QWebEngineProfile* profile, MpvVideoView::Kind pictureKind);

    // What the notices over a pane that failed to load say besides "retry":
    // what the user can do when retrying cannot help.
    void SetLoadFailureAdvice(const QString& advice);

    QtWebPane& Pane(ruvo::Pane pane) { return *panes_[static_cast<size_t>(pane)]; }
    PaneSet PaneInterfaces();
    QtWindowControls& Controls() { return controls_; }
    QtWindowSurface& Surface() { return surface_; }
    // The widget the player draws into.
    MpvVideoView* VideoSurface() const { return videoSurface_; }
    void SetIntents(WindowIntents intents) { intents_ = std::move(intents); }
    // "x,y,width,height" of a control in the window's own coordinates ("" when
    // it has no widget), for the diagnostic trace.
    std::string PlaceOf(ControlId control) const;
    // Shows the player alone on the whole screen, or puts it back.
    void SetPlayerFullScreen(bool fullScreen);
    bool PlayerIsFullScreen() const { return fullScreen_; }

    WorkArea QueryWorkArea() override;
    void LimitMaximizedSize(int width, int height) override;
    void EnableTaskbarMinimizeRestore() override;
    void ResizeTwips(int width, int height) override;
    bool IsMaximized() const override { return isMaximized(); }
    int WidthTwips() const override;
    int HeightTwips() const override;
    int InnerHeight() const override;
    void CaptureMouse(ControlId control) override;
    void ReleaseMouse() override;
    void SetKeyPreview(bool on) override { keyPreview_.on = on; }
    bool IsMinimized() const override { return isMinimized(); }
    bool IsVisible() const override { return isVisible(); }
    void Minimize() override { showMinimized(); }
    void Maximize() override { showMaximized(); }
    void ShowNormal() override { showNormal(); }
    void Hide() override { hide(); }
    void Show() override;
    void Center() override;
    void SetTopMost(bool on) override;
    // Closes the window for good (the exit routine), not through the close rule.
    void Unload();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void KeepInWorkArea();  // a window shown again comes inside the work area
    void BuildTitleBar(QWidget* body);
    void BuildLeftPanel(QWidget* content);
    void BuildCentreColumn(QWidget* content, MpvVideoView::Kind pictureKind);
    void BuildRightPanel(QWidget* content);
    void BuildPlayerPanel(QWidget* centre, MpvVideoView::Kind pictureKind);
    void BuildPlayerBar(QWidget* playerBox);
    QWidget* Notice(ControlName name, const QString& text, QWidget* parent);
    int wheelRemainder_ = 0;  // eighths of a degree not yet a whole notch (smooth wheels, touchpads)
    QWidget* Box(ControlName name, QWidget* parent, const char* objectName = nullptr);
    void PutPane(ruvo::Pane pane, QWidget* host);
    SkinCell* NavigationCell(WindowButton button, QWidget* parent);
    // Full screen: the player panel fills the window, the picture all of it,
    // the bar over the picture's foot.
    void PlaceFullScreenPlayer();
    // The player bar's places over the foot of a picture of this size.
    PlayerPanelPlaces OverlaidBarPlaces(int width, int height) const;
    // Its buttons and volume slider inside it.
    void PlaceBarParts(const PlayerPanelPlaces& p);
    void SetPageFullScreen(QtWebPane* pane, QWebEngineFullScreenRequest request);
    // Shows the bar over the full-screen picture for a while (the mouse moved).
    void ShowFullScreenBar();
    void SetFullScreenBarVisible(bool visible);
    bool BarHasTheFocus() const;
    bool InCompactWindow() const;
    // The player bar over the compact window's picture for a while.
    void ShowCompactBar();
    void SetCompactBarVisible(bool visible);
    // A double click on the picture toggles full screen (and nothing else).
    bool PictureEvent(QEvent* event);
    void BuildSkipButton(QWidget* playerBox);
    void PlaceSkipButton();
    // The focus follows the centre to the page player and back.
    void CentreChanged(bool pagePlayerShows);
    ControlName NameOf(const QObject* widget) const;
    void PointerMoved(ControlName over);
    bool SurfaceEvent(QEvent* event);
    bool KeyDown(const QKeyEvent* key);
    static Key KeyOf(const QKeyEvent* key);
    void BuildVolumeSlider(QWidget* bar);
    void BuildTooltipPanel(QWidget* body);
    void OrderControlsAsTheyRead();
    // F6, or Shift+F6 backwards.
    void MoveFocusAcrossAreas(bool backwards);
    // A click on a label that acts, or Space or Enter with the focus on it.
    void LabelPressed(ControlName name);
    void Register(ControlName name, QWidget* widget, int index = 0) { controls_.Register({name, index}, widget); }

    std::array<QtWebPane*, kPaneCount> panes_{};
    QtWindowControls controls_;
    FrameBody* body_ = nullptr;
    QtWindowSurface surface_;
    WindowIntents intents_;
    MpvVideoView* videoSurface_ = nullptr;
    QWidget* centre_ = nullptr;  // the centre column, where the player panel lives when not full screen
    QRect playerBoxPlace_;
    bool fullScreen_ = false;
    Qt::WindowStates stateBeforeFullScreen_;
    QRect geometryBeforeFullScreen_;
    QtWebPane* fullScreenPane_ = nullptr;  // a page's video on the whole screen
    QWidget* paneParentBeforeFullScreen_ = nullptr;
    QRect paneGeometryBeforeFullScreen_;
    QTimer* barHideTimer_ = nullptr;
    bool compactBarShown_ = false;  // the bar shows over the compact window's picture
    QLineEdit* searchBox_ = nullptr;
    KeyPreview keyPreview_;
    std::vector<QWidget*> tabOrder_;  // the controls in the order Tab goes through them
    bool unloading_ = false;
};

}  // namespace ruvo
