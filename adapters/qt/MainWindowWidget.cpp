#include "adapters/qt/MainWindowWidget.h"

#include <QApplication>
#include <QCursor>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <iterator>

#include "base/Twips.h"
#include "adapters/qt/ControlAccessibility.h"
#include "adapters/qt/KeyboardFocus.h"
#include "adapters/qt/MarlettLabel.h"
#include "adapters/qt/SkinCell.h"
#include "adapters/qt/SliderTrack.h"
#include "adapters/qt/TransportIcons.h"
#include "shell/DesignValues.h"
#include "shell/LayoutGeometry.h"

namespace ruvo {
namespace {

constexpr const char* kDarkStyle =
    "QLabel{color:#c8c8c8}QLabel#statusLine,QLabel#playTimes{color:#9c9c81}QLabel#windowTitle{color:#e8e8e8}"
    "QLabel#restoreLabel{color:#1b1c1f}QLabel#listAction{color:#5a5a5a;font-size:10px;background:#d6d6d6;border-radius:2px;padding:0 3px}"
    "QWidget#contentArea,QWidget#leftBody,QWidget#rightBody{background:#1b1c1f}QWidget#leftHeader,QWidget#centreHeader,QWidget#rightFooter{background:#26282c}"
    "QWidget#playerBox,QWidget#playerCover,QWidget#playerSurface{background:#000}QWidget#statusStrip{background:#141518}"
    "QLabel#mainAreaNotice,QLabel#sidePaneNotice{background:#1b1c1f;color:#c8c8c8}"
    "QToolButton{color:#ddd;background:transparent;border:none}QToolButton:focus{border:1px solid #fff}"
    "QLabel#listAction:focus,QLabel#restoreLabel:focus,QLabel#mainAreaNotice:focus,QLabel#sidePaneNotice:focus{border:1px solid #fff}"
    "QToolButton#searchButton{background:#3a3d44;border:1px solid #4a4d55;border-radius:2px}"
    "QLineEdit#searchBox{background:transparent;border:none;padding:0;color:#ddd;font-size:11px}QLabel#searchBoxFrame{background:#101114;border:1px solid #3a3d44}"
    "QWidget#seekTrack,QWidget#volumeTrack{background:#333}QWidget#downloadedBar{background:#5a5a5a}"
    "QWidget#seekKnob,QWidget#volumeKnob{background:#f0b429}QWidget#volumeFill{background:#a07a20}"
    "QFrame#barTipPanel{background:#2b2b2b;border:1px solid #555}";

// What one arrow key moves the sliders by: as far as the player's own
// arrow keys seek, and a twentieth of the volume.
constexpr int kSeekStepSeconds = 10;
constexpr int kVolumeStepPercent = 5;

// How long the bar stays over the full-screen picture after the mouse rests.
constexpr int kFullScreenBarMilliseconds = 2000;

// The notice over a pane whose page failed to load.
const QString kLoadFailedText = QStringLiteral("页面加载失败，点击这里重试");

// The right panel's tabs, in their order on the tab bar.
constexpr WindowButton kTabButtons[] = {WindowButton::TitlePagesTab, WindowButton::HistoryTab, WindowButton::LocalFilesTab};

// The labels that act on a click (and on Space or Enter with the focus).
bool IsActionLabel(ControlName name) {
    return name == ControlName::MainAreaNotice || name == ControlName::SidePaneNotice || name == ControlName::ListAction ||
           name == ControlName::RestoreLabel;
}

QLabel* Label(const QString& text, QWidget* parent, const char* objectName) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->adjustSize();
    return label;
}

}  // namespace

MainWindowWidget::MainWindowWidget(QWebEngineProfile* profile, MpvVideoView::Kind pictureKind)
    : body_(new FrameBody(this)), surface_(*this, *body_, controls_) {
    controls_.SetPictureDrawer([](ControlId control, int image, QWidget* widget) {
        auto* button = qobject_cast<QToolButton*>(widget);
        if (control.name == ControlName::TransportButton && button) button->setIcon(TransportIcon(image));
    });
    keyPreview_.window = this;
    keyPreview_.onKey = [this](const QKeyEvent* key) { return KeyDown(key); };
    keyPreview_.onWindowKey = [this](const QKeyEvent* key) {
        // A page's video on the whole screen leaves it with Esc too.
        if (fullScreenPane_ && key->key() == Qt::Key_Escape) {
            fullScreenPane_->page()->triggerAction(QWebEnginePage::ExitFullScreen);
            return true;
        }
        if (key->key() == Qt::Key_F6) {
            MoveFocusAcrossAreas(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        // Leaving full screen the way every player does, whatever the key
        // preview says: Esc, or F again.
        if (!fullScreen_ || (key->key() != Qt::Key_Escape && key->key() != Qt::Key_F)) return false;
        SetPlayerFullScreen(false);
        return true;
    };
    barHideTimer_ = new QTimer(this);
    barHideTimer_->setSingleShot(true);
    connect(barHideTimer_, &QTimer::timeout, this, [this] {
        QWidget* bar = controls_.WidgetOf({ControlName::PlayerBar});
        const bool inUse = bar && (bar->underMouse() || BarHasTheFocus());
        if (inUse) return barHideTimer_->start(kFullScreenBarMilliseconds);
        if (fullScreen_) SetFullScreenBarVisible(false);
        else if (compactBarShown_) SetCompactBarVisible(false);  // as the logic wants it, in the window it is now
    });
    setObjectName(QStringLiteral("mainWindow"));
    GiveLabelsTheirRoles(this);
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    // The window draws its own frame and title bar.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinMaxButtonsHint);
    setMinimumSize(60, 40);
    for (const ruvo::Pane pane : kAllPanes) {
        const std::string_view name = PaneName(pane);
        QtWebPane* view = new QtWebPane(QString::fromUtf8(name.data(), static_cast<int>(name.size())), profile, this);
        panes_[static_cast<size_t>(pane)] = view;
        connect(view, &QtWebPane::PageFullScreenRequested, this,
                [this, view](QWebEngineFullScreenRequest request) { SetPageFullScreen(view, std::move(request)); });
    }
    // Hidden until used: the page player, the two list tabs (their pages
    // would take a renderer process of their own), the search results, and
    // adverts their switches may keep hidden for good. The side pane shows
    // from the start but loads after the home page: its page waits for that.
    for (const ruvo::Pane pane : {ruvo::Pane::PagePlayer, ruvo::Pane::HistoryList, ruvo::Pane::LocalList, ruvo::Pane::SidePage,
                                  ruvo::Pane::SearchResults, ruvo::Pane::PlayerAdvert, ruvo::Pane::ScrollingAdvert})
        Pane(pane).MakePageWhenShown();
    body_->setObjectName(QStringLiteral("mainWindowBody"));
    body_->setStyleSheet(QString::fromLatin1(kDarkStyle));
    setCentralWidget(body_);
    BuildTitleBar(body_);
    QWidget* content = Box(ControlName::ContentArea, body_, "contentArea");
    BuildLeftPanel(content);
    BuildCentreColumn(content, pictureKind);
    BuildRightPanel(content);
    BuildTooltipPanel(body_);
    OrderControlsAsTheyRead();
    // At start the keys are the player's.
    videoSurface_->Widget()->setFocus(Qt::OtherFocusReason);
    body_->installEventFilter(this);  // the surface: border, drag, a click that leaves the search box
    qApp->installEventFilter(&keyPreview_);  // keys reach the window before its widgets
    ResizeTwips(14750, 7820);  // the designed size
    // The statistics page loads but never shows.
    Pane(ruvo::Pane::Statistics).setParent(body_);
    Pane(ruvo::Pane::Statistics).hide();
}

QWidget* MainWindowWidget::Box(ControlName name, QWidget* parent, const char* objectName) {
    auto* box = new QWidget(parent);
    if (objectName) box->setObjectName(QString::fromLatin1(objectName));
    box->setAttribute(Qt::WA_StyledBackground);
    Register(name, box);
    return box;
}

// What a screen reader calls a web pane; its page inside reads on its own.
static QString SpokenPaneName(ruvo::Pane pane) {
    switch (pane) {
        case ruvo::Pane::PortalPage: return QStringLiteral("影视门户");
        case ruvo::Pane::PagePlayer: return QStringLiteral("网页播放器");
        case ruvo::Pane::HistoryList: return QStringLiteral("观看记录");
        case ruvo::Pane::LocalList: return QStringLiteral("本地文件");
        case ruvo::Pane::SidePage: return QStringLiteral("片库");
        case ruvo::Pane::SearchResults: return QStringLiteral("搜索结果");
        default: return QStringLiteral("广告");
    }
}

void MainWindowWidget::PutPane(ruvo::Pane pane, QWidget* host) {
    Pane(pane).setAccessibleName(SpokenPaneName(pane));
    Pane(pane).setParent(host);
    Pane(pane).show();
    Register(ControlName::WebPane, &Pane(pane), static_cast<int>(pane));
}

SkinCell* MainWindowWidget::NavigationCell(WindowButton button, QWidget* parent) {
    const bool tab = std::find(std::begin(kTabButtons), std::end(kTabButtons), button) != std::end(kTabButtons);
    auto* cell = new SkinCell(button == WindowButton::TabBar ? SkinCell::Kind::TabStrip
                              : tab                          ? SkinCell::Kind::Tab
                                                             : SkinCell::Kind::Button,
                              parent);
    cell->setObjectName(QStringLiteral("windowButton%1").arg(static_cast<int>(button)));
    cell->onClick = [this, button] {
        surface_.PointerPressed(QCursor::pos());
        if (intents_.buttonClick) intents_.buttonClick(button);
    };
    cell->onMove = [this, button](int x, int y) {
        if (intents_.buttonMove) intents_.buttonMove(button, x, y);
    };
    // The title bar's buttons show the window's own tooltip panel.
    if (button <= WindowButton::Menu) cell->installEventFilter(this);
    Register(ControlName::WindowButton, cell, static_cast<int>(button));
    return cell;
}

// The logo, the title label, the title buttons and the compact mode's
// restore sign.
void MainWindowWidget::BuildTitleBar(QWidget* body) {
    auto* logo = new QLabel(body);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(windowIcon().pixmap(16, 16));
    logo->installEventFilter(this);
    Register(ControlName::Logo, logo);
    QLabel* title = Label(QString(), body, "windowTitle");
    title->installEventFilter(this);
    Register(ControlName::WindowTitle, title);
    auto* restore = new MarlettLabel(QStringLiteral("2"), body);
    restore->setObjectName(QStringLiteral("restoreLabel"));
    restore->setFixedSize(16, 16);
    restore->setCursor(Qt::PointingHandCursor);
    restore->setMouseTracking(true);
    restore->installEventFilter(this);
    MakePressable(restore);
    SetSpokenRole(restore, QAccessible::Button);
    Register(ControlName::RestoreLabel, restore);
    for (const WindowButton button : {WindowButton::Minimize, WindowButton::Maximize, WindowButton::Close,
                                      WindowButton::Compact, WindowButton::TopMost, WindowButton::Menu})
        NavigationCell(button, body);
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    // The window system's close button is the title bar's close button.
    if (!unloading_ && intents_.buttonClick) {
        event->ignore();
        intents_.buttonClick(WindowButton::Close);
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindowWidget::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    surface_.WindowResized();
    if (intents_.resized) intents_.resized();
    if (fullScreen_) PlaceFullScreenPlayer();  // the layout put the panel back in its column
    if (fullScreenPane_) {
        fullScreenPane_->setGeometry(body_->rect());
        clearMask();
    }
}

void MainWindowWidget::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Restored from the task bar: the layout catches up with the size.
    if (event->type() == QEvent::WindowStateChange && intents_.resized) intents_.resized();
    if (event->type() == QEvent::WindowStateChange && fullScreen_) PlaceFullScreenPlayer();
}

void MainWindowWidget::Unload() {
    unloading_ = true;
    close();
}

void MainWindowWidget::Show() {
    KeepInWorkArea();
    show();
    raise();
    activateWindow();
}

// A window shown again (from the tray, say) stands where it was left, but
// never where the user cannot reach it: outside the work area, it comes in.
void MainWindowWidget::KeepInWorkArea() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen || isMaximized() || isFullScreen()) return;
    const QRect area = screen->availableGeometry();
    const QRect place = geometry();
    if (area.contains(place)) return;
    const int left = std::clamp(place.left(), area.left(), std::max(area.left(), area.right() + 1 - place.width()));
    const int top = std::clamp(place.top(), area.top(), std::max(area.top(), area.bottom() + 1 - place.height()));
    move(left, top);
}

void MainWindowWidget::Center() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void MainWindowWidget::SetTopMost(bool on) {
    // QWidget::setWindowFlag would hide the window and make a new native
    // window; the window system is told directly instead, and the window
    // (with the picture's OpenGL surface) stays as it is.
    const Qt::WindowFlags flags = on ? windowFlags() | Qt::WindowStaysOnTopHint : windowFlags() & ~Qt::WindowStaysOnTopHint;
    overrideWindowFlags(flags);
    if (QWindow* native = windowHandle()) native->setFlags(flags);
}

void MainWindowWidget::SetLoadFailureAdvice(const QString& advice) {
    for (const ControlName name : {ControlName::MainAreaNotice, ControlName::SidePaneNotice})
        static_cast<QLabel*>(controls_.WidgetOf({name}))->setText(kLoadFailedText + QStringLiteral("\n\n") + advice);
}

QWidget* MainWindowWidget::Notice(ControlName name, const QString& text, QWidget* parent) {
    auto* notice = new QLabel(text, parent);
    notice->setTextFormat(Qt::PlainText);
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);
    notice->setCursor(Qt::PointingHandCursor);
    notice->setMouseTracking(true);
    notice->installEventFilter(this);
    MakePressable(notice);
    SetSpokenRole(notice, QAccessible::AlertMessage);
    notice->setObjectName(name == ControlName::MainAreaNotice ? QStringLiteral("mainAreaNotice") : QStringLiteral("sidePaneNotice"));
    Register(name, notice);
    return notice;
}

// The left panel: the header with the search controls, and the portal pane with the
// search results over it.
void MainWindowWidget::BuildLeftPanel(QWidget* content) {
    QWidget* left = Box(ControlName::LeftPanel, content, "leftPanel");
    SetSpokenRole(left, QAccessible::Pane);  // before its name: the name is heard at once
    left->setAccessibleName(QStringLiteral("影视门户"));
    QWidget* header = Box(ControlName::LeftHeader, left, "leftHeader");
    auto* frame = new QLabel(header);
    frame->setObjectName(QStringLiteral("searchBoxFrame"));
    Register(ControlName::SearchBoxFrame, frame);
    searchBox_ = new QLineEdit(header);
    searchBox_->setObjectName(QStringLiteral("searchBox"));
    // Typing goes there once clicked or tabbed to; at start the keys are the player's.
    searchBox_->setFocusPolicy(Qt::StrongFocus);
    searchBox_->installEventFilter(this);
    Register(ControlName::SearchBox, searchBox_);
    auto* searchButton = new QToolButton(header);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    searchButton->setText(QStringLiteral("搜索"));
    Register(ControlName::SearchButton, searchButton);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        if (intents_.search) intents_.search(searchBox_->text().toStdString());
    });
    connect(searchButton, &QToolButton::clicked, this, [this] {
        if (intents_.search) intents_.search(searchBox_->text().toStdString());
    });
    QWidget* body = Box(ControlName::LeftBody, left, "leftBody");
    PutPane(ruvo::Pane::PortalPage, Box(ControlName::MainPaneBox, body));
    PutPane(ruvo::Pane::SearchResults, Box(ControlName::SearchResultsBox, body));
    Notice(ControlName::MainAreaNotice, kLoadFailedText, body);
}

// The centre column: the header (panel toggles, title line, scrolling bar), the page player
// and the player panel.
void MainWindowWidget::BuildCentreColumn(QWidget* content, MpvVideoView::Kind pictureKind) {
    centre_ = Box(ControlName::CentreColumn, content, "centreColumn");
    QWidget* webPlayer = Box(ControlName::PagePlayerBox, centre_, "pagePlayerBox");
    webPlayer->installEventFilter(this);  // the focus follows what the centre shows
    PutPane(ruvo::Pane::PagePlayer, webPlayer);
    auto* close = new QToolButton(webPlayer);
    close->setText(QStringLiteral("×"));
    close->setObjectName(QStringLiteral("pagePlayerClose"));
    connect(close, &QToolButton::clicked, this, [this] {
        if (intents_.closeWebPlayer) intents_.closeWebPlayer();
    });
    Register(ControlName::PagePlayerClose, close);
    BuildPlayerPanel(centre_, pictureKind);

    QWidget* header = Box(ControlName::CentreHeader, centre_, "centreHeader");
    NavigationCell(WindowButton::LeftPanelToggle, header);
    NavigationCell(WindowButton::RightPanelToggle, header);
    QLabel* name = Label(QString(), header, "titleLine");
    Register(ControlName::TitleLine, name);
    QWidget* bar = Box(ControlName::ScrollAdBar, header, "scrollAdBar");
    PutPane(ruvo::Pane::ScrollingAdvert, bar);
}

void MainWindowWidget::BuildPlayerPanel(QWidget* centre, MpvVideoView::Kind pictureKind) {
    QWidget* playerBox = Box(ControlName::PlayerBox, centre, "playerBox");
    SetSpokenRole(playerBox, QAccessible::Pane);  // before its name: the name is heard at once
    playerBox->setAccessibleName(QStringLiteral("播放区"));
    videoSurface_ = MpvVideoView::Create(pictureKind, playerBox);
    QWidget* picture = videoSurface_->Widget();
    picture->setObjectName(QStringLiteral("playerSurface"));
    // A click on the picture takes the keys from a text field of a page or
    // the search box: they are the player's again, as in every player.
    picture->setFocusPolicy(Qt::StrongFocus);
    picture->setAccessibleName(QStringLiteral("播放器"));
    picture->installEventFilter(this);
    Register(ControlName::PlayerSurface, picture);
    auto* advert = Label(QStringLiteral("Ruvo影视盒"), playerBox, "playerCover");
    advert->setAlignment(Qt::AlignCenter);
    advert->setMouseTracking(true);
    advert->installEventFilter(this);
    Register(ControlName::PlayerCover, advert);
    QWidget* playerAd = Box(ControlName::PlayerAdPanel, playerBox);
    PutPane(ruvo::Pane::PlayerAdvert, playerAd);
    auto* stock = Label(QStringLiteral("Ruvo影视盒"), playerBox, "playerAdPicture");
    Register(ControlName::PlayerAdPicture, stock);
    BuildSkipButton(playerBox);
    QLabel* nextEpisode = Label(QStringLiteral("正准备播放下一集，请稍后..."), playerBox, "nextEpisodeNotice");
    SetSpokenRole(nextEpisode, QAccessible::AlertMessage);
    Register(ControlName::NextEpisodeNotice, nextEpisode);

    QWidget* strip = Box(ControlName::StatusStrip, playerBox, "statusStrip");
    strip->setMouseTracking(true);
    strip->installEventFilter(this);
    // Live: their changes are heard while the user does something else.
    for (const auto& [name, objectName] :
         {std::pair{ControlName::StatusLine, "statusLine"}, std::pair{ControlName::PlayTimes, "playTimes"}}) {
        QLabel* live = Label(QString(), strip, objectName);
        SetSpokenRole(live, QAccessible::StatusBar);
        Register(name, live);
    }
    // The time ends 13 pixels from the strip's right, however long it reads.
    controls_.WidgetOf({ControlName::PlayTimes})->setProperty(kRightMarginProperty, 13);

    auto* track = new SliderTrack(Slider::Seek, kSeekStepSeconds, playerBox);
    track->setObjectName(QStringLiteral("seekTrack"));
    track->onRequest = [this](int seconds) {
        if (intents_.sliderSet) intents_.sliderSet(Slider::Seek, seconds);
    };
    track->onLetGo = [this](SeekRelease where, double share) {
        if (intents_.seekRelease) intents_.seekRelease(where, share);
    };
    track->setGeometry(0, 0, 100, 7);
    Register(ControlName::SeekTrack, track);
    Register(ControlName::DownloadedBar, track->Filled());
    Register(ControlName::SeekKnob, track->Knob());
    BuildPlayerBar(playerBox);
}

void MainWindowWidget::BuildPlayerBar(QWidget* playerBox) {
    auto* bar = new QLabel(playerBox);  // the skin's foot tile, stretched
    bar->setObjectName(QStringLiteral("playerBar"));
    SetSpokenRole(bar, QAccessible::ToolBar);
    bar->setMouseTracking(true);
    bar->installEventFilter(this);
    Register(ControlName::PlayerBar, bar);
    for (int index = 0; index < 8; ++index) {
        auto* button = new QToolButton(bar);
        const int size = index == 0 ? 28 : 24;
        button->setGeometry(0, 0, size, size);
        button->setIconSize(QSize(size - 2, size - 2));
        button->setAutoRaise(true);
        button->setMouseTracking(true);
        button->setProperty("transportIndex", index);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, index] {
            if (intents_.transportClick) intents_.transportClick(static_cast<BarButton>(index));
        });
        Register(ControlName::TransportButton, button, index);
    }
    BuildVolumeSlider(bar);
}

void MainWindowWidget::BuildVolumeSlider(QWidget* bar) {
    auto* track = new SliderTrack(Slider::Volume, kVolumeStepPercent, bar);
    track->setObjectName(QStringLiteral("volumeTrack"));
    track->onRequest = [this](int percent) {
        if (intents_.sliderSet) intents_.sliderSet(Slider::Volume, percent);
    };
    track->onPastTheEnd = [this] {
        if (intents_.volumeKnobPastItsEnd) intents_.volumeKnobPastItsEnd();
    };
    track->setGeometry(0, 11, 60, 7);
    Register(ControlName::VolumeTrack, track);
    Register(ControlName::VolumeFill, track->Filled());
    Register(ControlName::VolumeKnob, track->Knob());
}

void MainWindowWidget::BuildTooltipPanel(QWidget* body) {
    auto* panel = new QFrame(body);
    panel->setObjectName(QStringLiteral("barTipPanel"));
    auto* text = new QLabel(panel);
    text->move(2, 2);
    panel->hide();
    Register(ControlName::BarTipPanel, panel);
    Register(ControlName::BarTipText, text);
}

// The right panel: the tab bar, the three tab pages and the foot with the list action.
void MainWindowWidget::BuildRightPanel(QWidget* content) {
    QWidget* right = Box(ControlName::RightPanel, content, "rightPanel");
    SetSpokenRole(right, QAccessible::Pane);  // before its name: the name is heard at once
    right->setAccessibleName(QStringLiteral("右侧面板"));
    QWidget* body = Box(ControlName::RightBody, right, "rightBody");
    NavigationCell(WindowButton::TabBar, body);
    const std::array<std::pair<WindowButton, const char*>, 3> tabs{
        {{WindowButton::TitlePagesTab, "片库"}, {WindowButton::HistoryTab, "观看记录"}, {WindowButton::LocalFilesTab, "本地文件"}}};
    for (const auto& [button, text] : tabs) NavigationCell(button, body)->SetText(QString::fromUtf8(text));
    PutPane(ruvo::Pane::SidePage, Box(ControlName::LibraryTab, body));
    Notice(ControlName::SidePaneNotice, kLoadFailedText, body);
    PutPane(ruvo::Pane::HistoryList, Box(ControlName::WatchHistoryTab, body));
    PutPane(ruvo::Pane::LocalList, Box(ControlName::LocalFilesTab, body));
    QWidget* bottom = Box(ControlName::RightFooter, body, "rightFooter");
    bottom->setMouseTracking(true);
    bottom->installEventFilter(this);
    bottom->lower();  // the side page's box reaches over the bar and covers it on its tab
    QLabel* listAction = Label(QString(), bottom, "listAction");
    // It sits 6 pixels down a 20-pixel bar: 14 pixels high, its text whole.
    listAction->setFixedHeight(14);
    listAction->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    listAction->setCursor(Qt::PointingHandCursor);
    listAction->setMouseTracking(true);
    listAction->installEventFilter(this);
    MakePressable(listAction);
    SetSpokenRole(listAction, QAccessible::Button);
    Register(ControlName::ListAction, listAction);
}

ControlName MainWindowWidget::NameOf(const QObject* widget) const {
    const std::optional<ControlId> control = controls_.ControlOf(widget);
    return control ? control->name : ControlName::None;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != window)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    // A key passes here once for each parent it travels up through, and a
    // page hands the keys it does not use back to its parent as a copy: one
    // press is one key-down. A pass with the same key and time on a parent
    // of the widget the press reached first is the same press; a new press
    // starts again at the focus. (F enters full screen on its first pass and
    // would leave it on the next; xdotool gives every key time 0.)
    const bool samePress = key->key() == lastKey && key->timestamp() == lastTimestamp && pressedAt &&
                           widget != pressedAt && widget->isAncestorOf(pressedAt);
    if (!samePress) pressedAt = widget;
    lastKey = key->key();
    lastTimestamp = key->timestamp();
    if (samePress) return false;
    if (onWindowKey && onWindowKey(key)) return true;
    if (PressButtonOnEnter(watched, key)) return true;
    if (ControlKeepsKey(watched, key)) return false;
    // A key that acted on the player is its alone: Space in a page pauses
    // without also scrolling it. Any other key still reaches the focus.
    return on && onKey && !TypedIntoTextField(watched) && onKey(key);
}

bool KeyPreview::TypedIntoTextField(QObject* watched) {
    for (QObject* node = watched; node; node = node->parent()) {
        if (qobject_cast<QLineEdit*>(node) || qobject_cast<QTextEdit*>(node)) return true;
        if (const auto* pane = qobject_cast<QtWebPane*>(node)) return pane->Editing();
    }
    return false;
}

// The key as the logic knows keys; Key::None for one it does not use.
// Letters count only on their own: Ctrl+S belongs to whoever has the focus.
Key MainWindowWidget::KeyOf(const QKeyEvent* key) {
    const bool alone = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    switch (key->key()) {
        case Qt::Key_Space: case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_Right: case Qt::Key_Down:
            return static_cast<Key>(key->key());
        case Qt::Key_Backspace: case Qt::Key_BracketLeft: case Qt::Key_BracketRight:
        case Qt::Key_B: case Qt::Key_F: case Qt::Key_S: case Qt::Key_V: case Qt::Key_X: case Qt::Key_Z:
            return alone ? static_cast<Key>(key->key()) : Key::None;
        default: return Key::None;
    }
}
static_assert(static_cast<int>(Key::Left) == Qt::Key_Left && static_cast<int>(Key::BracketRight) == Qt::Key_BracketRight &&
              static_cast<int>(Key::Backspace) == Qt::Key_Backspace && static_cast<int>(Key::Z) == Qt::Key_Z);

bool MainWindowWidget::KeyDown(const QKeyEvent* key) {
    return intents_.keyDown && intents_.keyDown(KeyOf(key));
}

bool MainWindowWidget::SurfaceEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick) {
        if (intents_.surfaceDoubleClick) intents_.surfaceDoubleClick();
        return true;
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const bool leftHeld = mouse->buttons() & Qt::LeftButton;
    if (surface_.FollowPointer(mouse->globalPosition().toPoint(), leftHeld)) return true;
    const QPoint at = mouse->position().toPoint();
    if (type == QEvent::MouseMove && intents_.surfaceMove) intents_.surfaceMove(leftHeld, at.x(), at.y());
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        // Where the button went down, not where the pointer is by now.
        surface_.PointerPressed(mouse->globalPosition().toPoint());
        if (intents_.searchBoxLeft) intents_.searchBoxLeft(searchBox_->text().toStdString());
        if (intents_.surfaceDown) intents_.surfaceDown(at.x(), at.y());
    }
    if (type == QEvent::MouseButtonRelease && intents_.surfaceUp) intents_.surfaceUp();
    return false;
}

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const ControlName name = NameOf(watched);
    if (!videoSurface_) return QMainWindow::eventFilter(watched, event);  // still being built
    if ((type == QEvent::Show || type == QEvent::Hide) && name == ControlName::PagePlayerBox) CentreChanged(type == QEvent::Show);
    if (watched == body_ && SurfaceEvent(event)) return true;
    if (watched == videoSurface_->Widget() && PictureEvent(event)) return true;
    if (type == QEvent::Show && name == ControlName::SkipButton) PlaceSkipButton();
    if (type == QEvent::ContextMenu && (watched == videoSurface_->Widget() || name == ControlName::PlayerCover)) {
        const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
        if (intents_.pictureMenu) intents_.pictureMenu(at.x(), at.y());
        return true;
    }
    // The player bar and the title buttons show their own tooltip panel instead of the system's.
    if (type == QEvent::ToolTip && (name == ControlName::TransportButton || name == ControlName::WindowButton))
        return true;
    if (type == QEvent::MouseMove && name == ControlName::TransportButton && intents_.transportHover) {
        // Held by the button, the pointer's moves out of it come here too.
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QSize size = static_cast<QWidget*>(watched)->size();
        const bool inside = at.x() >= 0 && at.x() <= size.width() && at.y() >= 0 && at.y() <= size.height();
        intents_.transportHover(static_cast<BarButton>(controls_.ControlOf(watched)->index), inside);
    }
    if (type == QEvent::MouseButtonDblClick && (name == ControlName::WindowTitle || name == ControlName::Logo)) {
        if (intents_.surfaceDoubleClick) intents_.surfaceDoubleClick();
        return true;
    }
    if (type == QEvent::MouseButtonDblClick && name == ControlName::PlayerCover && fullScreen_) {
        SetPlayerFullScreen(false);  // as a double click on the picture leaves
        return true;
    }
    if (type == QEvent::MouseMove) PointerMoved(name);
    if (type == QEvent::MouseButtonRelease) {
        if (name == ControlName::SearchBox && intents_.searchBoxClicked) intents_.searchBoxClicked(searchBox_->text().toStdString());
        LabelPressed(name);
    } else if (type == QEvent::KeyPress && IsActionLabel(name) && ControlKeepsKey(watched, static_cast<QKeyEvent*>(event))) {
        LabelPressed(name);
        return true;
    } else if (type == QEvent::FocusIn && name == ControlName::SearchBox && intents_.searchBoxClicked &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
        intents_.searchBoxClicked(searchBox_->text().toStdString());  // tabbed into: the hint goes as on a click
    } else if (type == QEvent::FocusOut && name == ControlName::SearchBox && intents_.searchBoxLeft) {
        intents_.searchBoxLeft(searchBox_->text().toStdString());
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowWidget::LabelPressed(ControlName name) {
    if (name == ControlName::MainAreaNotice && intents_.retryMainArea) intents_.retryMainArea();
    if (name == ControlName::SidePaneNotice && intents_.retrySidePane) intents_.retrySidePane();
    if (name == ControlName::ListAction && intents_.listActionClick) intents_.listActionClick();
    if (name == ControlName::RestoreLabel && intents_.compactRestoreClick) intents_.compactRestoreClick();
}

// The two action labels light up under the pointer and go dark once it
// moves onto the picture or the bars around them.
void MainWindowWidget::PointerMoved(ControlName over) {
    if ((over == ControlName::RestoreLabel || over == ControlName::ListAction) && intents_.labelMove)
        intents_.labelMove(over == ControlName::RestoreLabel);
    else if (intents_.labelReset && (over == ControlName::PlayerCover || over == ControlName::PlayerTopStrip))
        intents_.labelReset(true);
    // The cover stands in for the picture (an item that ended or waits):
    // moving over it brings the bar as moving over the picture does.
    if (over == ControlName::PlayerCover && fullScreen_) ShowFullScreenBar();
    if (over == ControlName::PlayerCover && !fullScreen_ && InCompactWindow()) ShowCompactBar();
    else if (intents_.labelReset && (over == ControlName::PlayerBar || over == ControlName::RightFooter))
        intents_.labelReset(false);
}

// Tab goes through the window as it reads: the title bar, the search
// controls and the portal page, the panel toggles, the player and its bar
// from left to right, then the right panel.
void MainWindowWidget::OrderControlsAsTheyRead() {
    std::vector<QWidget*> order;
    for (const WindowButton button : {WindowButton::Compact, WindowButton::TopMost, WindowButton::Menu, WindowButton::Minimize,
                                      WindowButton::Maximize, WindowButton::Close})
        order.push_back(controls_.WidgetOf(ControlOf(button)));
    order.push_back(controls_.WidgetOf({ControlName::RestoreLabel}));
    for (const ControlName name : {ControlName::SearchBox, ControlName::SearchButton, ControlName::MainAreaNotice})
        order.push_back(controls_.WidgetOf({name}));
    order.push_back(&Pane(ruvo::Pane::PortalPage));
    order.push_back(&Pane(ruvo::Pane::SearchResults));
    order.push_back(controls_.WidgetOf(ControlOf(WindowButton::LeftPanelToggle)));
    order.push_back(controls_.WidgetOf(ControlOf(WindowButton::RightPanelToggle)));
    order.push_back(&Pane(ruvo::Pane::PagePlayer));
    order.push_back(controls_.WidgetOf({ControlName::PagePlayerClose}));
    order.push_back(videoSurface_->Widget());
    order.push_back(controls_.WidgetOf({ControlName::SkipButton}));
    order.push_back(controls_.WidgetOf({ControlName::SeekTrack}));
    for (const int index : {1, 6, 0, 5, 2}) order.push_back(controls_.WidgetOf({ControlName::TransportButton, index}));
    order.push_back(controls_.WidgetOf({ControlName::VolumeTrack}));
    for (const int index : {3, 4, 7}) order.push_back(controls_.WidgetOf({ControlName::TransportButton, index}));
    for (const WindowButton tab : kTabButtons) order.push_back(controls_.WidgetOf(ControlOf(tab)));
    order.push_back(controls_.WidgetOf({ControlName::SidePaneNotice}));
    for (const ruvo::Pane pane : {ruvo::Pane::SidePage, ruvo::Pane::HistoryList, ruvo::Pane::LocalList}) order.push_back(&Pane(pane));
    order.push_back(controls_.WidgetOf({ControlName::ListAction}));
    tabOrder_ = std::move(order);
}

bool MainWindowWidget::focusNextPrevChild(bool next) {
    // Qt asks here too when the control with the focus goes out of sight
    // (a panel the compact window hides): the keys go to the picture, where
    // the person looks, not to whatever control comes next.
    QWidget* picture = videoSurface_->Widget();
    if (const QWidget* focus = QApplication::focusWidget(); focus && !focus->isVisible() && picture->isVisible()) {
        picture->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (!fullScreen_) return MoveFocusAlong(tabOrder_, next) || QMainWindow::focusNextPrevChild(next);
    // On the whole screen the player covers the rest: Tab shows the bar and
    // stays on the player's controls.
    ShowFullScreenBar();
    const QWidget* playerBox = controls_.WidgetOf({ControlName::PlayerBox});
    std::vector<QWidget*> player;
    std::copy_if(tabOrder_.begin(), tabOrder_.end(), std::back_inserter(player),
                 [playerBox](const QWidget* control) { return playerBox->isAncestorOf(control); });
    return MoveFocusAlong(player, next);
}

// A control of the bar or the seek slider has the keyboard: the bar over a
// full-screen or compact picture stays.
bool MainWindowWidget::BarHasTheFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus != videoSurface_->Widget() && controls_.WidgetOf({ControlName::PlayerBox})->isAncestorOf(focus);
}

// F6 goes from the portal page to the player to the right panel's selected tab.
void MainWindowWidget::MoveFocusAcrossAreas(bool backwards) {
    QWidget* leftPane = Pane(ruvo::Pane::SearchResults).isVisible() ? &Pane(ruvo::Pane::SearchResults) : &Pane(ruvo::Pane::PortalPage);
    QWidget* selectedTab = nullptr;
    for (const WindowButton tab : kTabButtons) {
        auto* cell = static_cast<SkinCell*>(controls_.WidgetOf(ControlOf(tab)));
        if (cell->On().value_or(false)) selectedTab = cell;
    }
    MoveFocusAcross({{controls_.WidgetOf({ControlName::LeftPanel}), leftPane},
                     {controls_.WidgetOf({ControlName::PlayerBox}), videoSurface_->Widget()},
                     {controls_.WidgetOf({ControlName::RightPanel}), selectedTab}},
                    backwards);
}

std::string MainWindowWidget::PlaceOf(ControlId control) const {
    const QWidget* widget = controls_.WidgetOf(control);
    if (!widget) return {};
    const QPoint at = widget->mapTo(this, QPoint(0, 0));
    return std::to_string(at.x()) + "," + std::to_string(at.y()) + "," + std::to_string(widget->width()) + "," +
           std::to_string(widget->height());
}

// The button that skips the opening or the credits: over the picture's
// lower right, reachable by Tab, and Enter on the picture presses it.
void MainWindowWidget::BuildSkipButton(QWidget* playerBox) {
    auto* skip = new QPushButton(playerBox);
    skip->setObjectName(QStringLiteral("skipButton"));
    // Dark over the picture, as the bar is; the focus ring in the bar's orange.
    skip->setStyleSheet(QStringLiteral(
        "QPushButton{background:rgba(16,16,16,210);color:#f0f0f0;border:1px solid rgba(255,255,255,110);"
        "border-radius:4px;padding:6px 16px;font-size:10pt}"
        "QPushButton:hover{background:rgba(48,48,48,230)}QPushButton:focus{border:2px solid #f0a020}"));
    skip->setFocusPolicy(Qt::StrongFocus);
    skip->setAutoDefault(false);
    skip->hide();
    connect(skip, &QPushButton::clicked, this, [this] {
        if (intents_.skipClick) intents_.skipClick();
    });
    skip->installEventFilter(this);
    Register(ControlName::SkipButton, skip);
}

void MainWindowWidget::PlaceSkipButton() {
    QWidget* skip = controls_.WidgetOf({ControlName::SkipButton});
    const QRect picture = videoSurface_->Widget()->geometry();
    // Above the bar that full screen and the compact window lay over the picture's foot.
    const int margin = fullScreen_ || InCompactWindow() ? 90 : 24;
    skip->adjustSize();
    const QSize size = skip->sizeHint().expandedTo(QSize(96, 32));
    skip->setGeometry(picture.right() - size.width() - 24, picture.bottom() - size.height() - margin, size.width(),
                      size.height());
    skip->raise();
}

bool MainWindowWidget::PictureEvent(QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move) PlaceSkipButton();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QWidget* skip = controls_.WidgetOf({ControlName::SkipButton});
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && skip->isVisible()) {
            static_cast<QPushButton*>(skip)->click();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        SetPlayerFullScreen(!fullScreen_);
        return true;  // never reaches the window's title-bar double click
    }
    if (event->type() == QEvent::MouseMove && fullScreen_) ShowFullScreenBar();
    if (event->type() == QEvent::MouseMove && !fullScreen_ && InCompactWindow()) ShowCompactBar();
    if (event->type() == QEvent::Wheel && intents_.volumeWheel) {
        constexpr int kNotch = 120;  // a wheel's click, in eighths of a degree
        wheelRemainder_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = wheelRemainder_ / kNotch;
        wheelRemainder_ -= notches * kNotch;
        if (notches != 0) intents_.volumeWheel(notches);
        return true;
    }
    return false;
}

// The centre changed between the player and the page player: a focus that
// was in the centre, or nowhere, goes to what the centre shows now, so the
// keys never act on a surface the person cannot see.
void MainWindowWidget::CentreChanged(bool pagePlayerShows) {
    QWidget* shownNow = pagePlayerShows ? static_cast<QWidget*>(&Pane(ruvo::Pane::PagePlayer)) : videoSurface_->Widget();
    QWidget* hiddenNow = controls_.WidgetOf({pagePlayerShows ? ControlName::PlayerBox : ControlName::PagePlayerBox});
    QWidget* focused = QApplication::focusWidget();
    if (focused && hiddenNow && focused != hiddenNow && !hiddenNow->isAncestorOf(focused)) return;
    if (shownNow) shownNow->setFocus(Qt::OtherFocusReason);
}

// Full screen is the window itself on the whole screen with the player panel
// over everything in it: the picture keeps its widget and OpenGL context.
void MainWindowWidget::SetPlayerFullScreen(bool fullScreen) {
    if (fullScreen == fullScreen_) return;
    QWidget* playerBox = controls_.WidgetOf({ControlName::PlayerBox});
    fullScreen_ = fullScreen;
    if (fullScreen) {
        stateBeforeFullScreen_ = windowState();
        geometryBeforeFullScreen_ = geometry();
        playerBoxPlace_ = playerBox->geometry();
        playerBox->setParent(body_);
        playerBox->show();
        playerBox->raise();
        showFullScreen();
        PlaceFullScreenPlayer();
        ShowFullScreenBar();
        activateWindow();
        return;
    }
    barHideTimer_->stop();
    // The bar as the logic wants it (hidden in the compact window).
    for (const ControlName name : {ControlName::PlayerBar, ControlName::SeekTrack, ControlName::StatusStrip})
        controls_.Override({name}, std::nullopt);
    compactBarShown_ = false;
    playerBox->setParent(centre_);
    playerBox->setGeometry(playerBoxPlace_);
    playerBox->show();
    controls_.WidgetOf({ControlName::CentreHeader})->raise();
    setWindowState(stateBeforeFullScreen_ & ~Qt::WindowFullScreen);
    if (!(stateBeforeFullScreen_ & (Qt::WindowMaximized | Qt::WindowMinimized))) setGeometry(geometryBeforeFullScreen_);
    if (intents_.resized) intents_.resized();
}

// A page's own player asked for the whole screen (its full-screen button):
// the pane alone fills the window on the whole screen, and comes back.
void MainWindowWidget::SetPageFullScreen(QtWebPane* pane, QWebEngineFullScreenRequest request) {
    if (request.toggleOn()) {
        if (fullScreen_ || fullScreenPane_) return request.reject();
        request.accept();
        fullScreenPane_ = pane;
        paneParentBeforeFullScreen_ = pane->parentWidget();
        paneGeometryBeforeFullScreen_ = pane->geometry();
        stateBeforeFullScreen_ = windowState();
        geometryBeforeFullScreen_ = geometry();
        pane->setParent(body_);
        pane->setGeometry(body_->rect());
        pane->show();
        pane->raise();
        showFullScreen();
        clearMask();
        activateWindow();
        return;
    }
    request.accept();
    if (pane != fullScreenPane_) return;
    fullScreenPane_ = nullptr;
    pane->setParent(paneParentBeforeFullScreen_);
    pane->setGeometry(paneGeometryBeforeFullScreen_);
    pane->show();
    setWindowState(stateBeforeFullScreen_ & ~Qt::WindowFullScreen);
    if (!(stateBeforeFullScreen_ & (Qt::WindowMaximized | Qt::WindowMinimized))) setGeometry(geometryBeforeFullScreen_);
    if (intents_.resized) intents_.resized();
}

void MainWindowWidget::PlaceFullScreenPlayer() {
    QWidget* playerBox = controls_.WidgetOf({ControlName::PlayerBox});
    const QRect all = body_->rect();
    playerBox->setGeometry(all);
    const PlayerPanelPlaces p = OverlaidBarPlaces(all.width(), all.height());
    const Rect picture{0, 0, all.width(), all.height()};
    for (const auto& [name, place] : {std::pair{ControlName::PlayerSurface, picture}, std::pair{ControlName::PlayerCover, picture},
                                      std::pair{ControlName::PlayerAdPanel, CentredIn(picture, 300, 250)},
                                      std::pair{ControlName::PlayerBar, p.playerBar}, std::pair{ControlName::SeekTrack, p.seekTrack},
                                      std::pair{ControlName::StatusStrip, p.statusStrip}, std::pair{ControlName::PlayTimes, p.playTimes}})
        controls_.Move({name}, place);
    PlaceBarParts(p);
    clearMask();
}

PlayerPanelPlaces MainWindowWidget::OverlaidBarPlaces(int width, int height) const {
    PlayerPanelInput in;
    in.bodyWidth = width;
    in.bodyHeight = height;
    in.headerHeight = 0;
    in.statusTextWidth = controls_.Geometry({ControlName::StatusLine}).width;
    in.timesWidth = controls_.Geometry({ControlName::PlayTimes}).width;
    in.seekTrackLeft = controls_.Geometry({ControlName::SeekTrack}).left;  // the volume knob keeps its place in its track
    return PlacePlayerPanel(in);
}

void MainWindowWidget::PlaceBarParts(const PlayerPanelPlaces& p) {
    for (int i = 0; i < 8; ++i) {
        const Rect now = controls_.Geometry({ControlName::TransportButton, i});
        controls_.Move({ControlName::TransportButton, i}, {p.transportButtons[i].left, p.transportButtons[i].top, now.width, now.height});
    }
    controls_.Move({ControlName::VolumeTrack}, p.volumeTrack);
}

void MainWindowWidget::ShowFullScreenBar() {
    SetFullScreenBarVisible(true);
    unsetCursor();
    barHideTimer_->start(kFullScreenBarMilliseconds);
}

void MainWindowWidget::SetFullScreenBarVisible(bool visible) {
    // Overridden, not just hidden: the status tick that shows the status
    // strip would otherwise bring it back a second later.
    for (const ControlName name : {ControlName::PlayerBar, ControlName::SeekTrack, ControlName::StatusStrip})
        controls_.Override({name}, visible);
    if (!visible) setCursor(Qt::BlankCursor);  // the picture alone, as in every player
}

// The compact window is the one whose title bar shows the restore label.
bool MainWindowWidget::InCompactWindow() const {
    const QWidget* restore = controls_.WidgetOf({ControlName::RestoreLabel});
    return restore && restore->isVisibleTo(this);
}

// The compact window keeps only the picture, the seek bar and the status
// strip; moving the mouse over the picture brings the player bar (play,
// pause, volume) over the picture's foot for a while.
void MainWindowWidget::ShowCompactBar() {
    if (!compactBarShown_) {
        const QRect picture = controls_.WidgetOf({ControlName::PlayerSurface})->geometry();
        const PlayerPanelPlaces p = OverlaidBarPlaces(picture.width(), picture.height());
        controls_.Move({ControlName::PlayerBar}, {picture.left(), picture.bottom() + 1 - p.playerBar.height, picture.width(),
                                                p.playerBar.height});
        PlaceBarParts(p);
        SetCompactBarVisible(true);
    }
    barHideTimer_->start(kFullScreenBarMilliseconds);
}

void MainWindowWidget::SetCompactBarVisible(bool visible) {
    compactBarShown_ = visible;
    controls_.Override({ControlName::PlayerBar}, visible ? std::optional<bool>(true) : std::nullopt);
    if (visible) controls_.WidgetOf({ControlName::PlayerBar})->raise();
}

PaneSet MainWindowWidget::PaneInterfaces() {
    PaneSet interfaces{};
    for (size_t i = 0; i < kPaneCount; ++i) interfaces[i] = panes_[i];
    return interfaces;
}

WorkArea MainWindowWidget::QueryWorkArea() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

void MainWindowWidget::LimitMaximizedSize(int width, int height) {
    if (width > 0 && height > 0) setMaximumSize(width, height);
}

void MainWindowWidget::EnableTaskbarMinimizeRestore() { setWindowFlag(Qt::WindowMinMaxButtonsHint, true); }

void MainWindowWidget::ResizeTwips(int width, int height) {
    const double dpi = logicalDpiX();
    resize(TwipsToPixels(width, dpi), TwipsToPixels(height, dpi));
}

int MainWindowWidget::InnerHeight() const { return body_->height(); }

void MainWindowWidget::CaptureMouse(ControlId control) {
    if (QWidget* widget = controls_.WidgetOf(control); widget && QWidget::mouseGrabber() != widget) widget->grabMouse();
}

void MainWindowWidget::ReleaseMouse() {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

int MainWindowWidget::WidthTwips() const { return PixelsToTwips(width(), logicalDpiX()); }
int MainWindowWidget::HeightTwips() const { return PixelsToTwips(height(), logicalDpiX()); }

}  // namespace ruvo
