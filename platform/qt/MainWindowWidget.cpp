#include "platform/qt/MainWindowWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/TransportIcons.h"
#include "portal/MainWindow.h"
#include "shell/Twips.h"

namespace ruvo {
namespace {

constexpr const char* kDarkStyle =
    "QWidget#BA1Body{background:#1e1e1e}"
    "QLabel{color:#c8c8c8}QLabel#zhun,QLabel#times{color:#9c9c81}"
    "QWidget#qvod,QWidget#bo_ad{background:#000}"
    "QToolButton{color:#ddd;background:#2d2d2d;border:1px solid #3a3a3a;padding:2px 6px}"
    "QToolButton:checked{background:#4a4030}"
    "QWidget#gunt,QWidget#yin{background:#333}QWidget#huan{background:#5a5a5a}"
    "QWidget#gunt1,QWidget#bo_v{background:#f0b429}QWidget#bo_y{background:#a07a20}";

QToolButton* Button(const QString& text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    return button;
}

// The widget mpv draws into. Qt never paints it; it gets its native window
// when the player first needs it (see MpvPlayer), after the web views have
// set up the window's compositing, so the two agree on the window's surface.
class MpvSurface final : public QWidget {
public:
    MpvSurface() {
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    void paintEvent(QPaintEvent*) override {}
};

// A grid whose cell (0, 0) holds several widgets on top of each other:
// which one shows is the logic's choice.
QGridLayout* StackedCell(QWidget* owner) {
    auto* grid = new QGridLayout(owner);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    return grid;
}

}  // namespace

MainWindowWidget::MainWindowWidget(QWebEngineProfile* profile) {
    controls_.SetPictureDrawer([](ControlId control, int image, QWidget* widget) {
        auto* button = qobject_cast<QToolButton*>(widget);
        if (control.name == ControlName::bo_but && button) button->setIcon(TransportIcon(image));
    });
    keyPreview_.window = this;
    keyPreview_.onKey = [this](const QKeyEvent* key) { KeyDown(key); };
    setObjectName(QStringLiteral("BA1"));
    setWindowTitle(QString::fromUtf8(kMainWindowCaption));
    for (const ruvo::Pane pane : kAllPanes) {
        const std::string_view name = PaneName(pane);
        panes_[static_cast<size_t>(pane)] =
            new QtWebPane(QString::fromUtf8(name.data(), static_cast<int>(name.size())), profile, this);
    }
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("BA1Body"));
    body->setStyleSheet(QString::fromLatin1(kDarkStyle));
    auto* rows = new QVBoxLayout(body);
    rows->setContentsMargins(4, 0, 4, 4);
    rows->setSpacing(2);
    rows->addWidget(BuildTitleRow());
    auto* columns = new QHBoxLayout;
    columns->setSpacing(5);
    columns->addWidget(BuildLeftColumn());
    columns->addWidget(BuildCentreColumn(), 1);
    columns->addWidget(BuildRightColumn());
    rows->addLayout(columns, 1);
    setCentralWidget(body);
    BuildTooltipPanel(body);
    body->installEventFilter(this);  // a click on the window's own surface leaves the search box
    qApp->installEventFilter(&keyPreview_);  // keys reach the window before its widgets
    // The statistics page loads but never shows.
    Pane(ruvo::Pane::Web6).setParent(body);
    Pane(ruvo::Pane::Web6).hide();
}

// The title buttons npc 0-5 and the compact mode's restore label "jbi",
// right-aligned above the columns.
QWidget* MainWindowWidget::BuildTitleRow() {
    auto* row = new QWidget;
    row->setFixedHeight(26);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 1, 0, 1);
    layout->setSpacing(2);
    auto* restore = new QLabel(QStringLiteral("↙"));
    restore->setObjectName(QStringLiteral("jbi"));
    restore->setCursor(Qt::PointingHandCursor);
    restore->installEventFilter(this);
    Register(ControlName::jbi, restore);
    layout->addStretch(1);
    layout->addWidget(restore);
    // In the order the title bar shows them: compact, top-most, menu, minimise, maximise, close.
    const std::array<std::pair<int, const char*>, 6> buttons{
        {{3, "▭"}, {4, "⇡"}, {5, "≡"}, {0, "—"}, {1, "□"}, {2, "✕"}}};
    for (const auto& [index, text] : buttons) {
        auto* button = Button(QString::fromUtf8(text), row);
        button->setFixedSize(24, 24);
        connect(button, &QToolButton::clicked, this, [this, index = index] {
            if (actions_.titleClick) actions_.titleClick(index);
        });
        Register(ControlName::npc, button, index);
        layout->addWidget(button);
    }
    return row;
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    // The window system's close button is the title bar's close button.
    if (!unloading_ && actions_.titleClick) {
        event->ignore();
        actions_.titleClick(2);
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindowWidget::Unload() {
    unloading_ = true;
    close();
}

void MainWindowWidget::Show() {
    show();
    raise();
    activateWindow();
}

void MainWindowWidget::Center() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void MainWindowWidget::SetTopMost(bool on) {
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);  // hides the window: Qt recreates it
    if (shown) show();
}

QWidget* MainWindowWidget::Host(ControlName name, QWidget* content) {
    auto* host = new QWidget;
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    Register(name, host);
    return host;
}

QWidget* MainWindowWidget::Notice(ControlName name, const QString& text) {
    auto* notice = new QLabel(text);
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);
    notice->setCursor(Qt::PointingHandCursor);
    notice->installEventFilter(this);
    notice->setObjectName(name == ControlName::w1 ? QStringLiteral("w1") : QStringLiteral("w5"));
    Register(name, notice);
    return notice;
}

QWidget* MainWindowWidget::BuildLeftColumn() {
    auto* left = new QWidget;
    left->setFixedWidth(212);
    auto* layout = new QVBoxLayout(left);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    searchBox_ = new QLineEdit;
    searchBox_->installEventFilter(this);
    auto* searchButton = Button(QStringLiteral("搜索"), left);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        if (actions_.search) actions_.search();
    });
    connect(searchButton, &QToolButton::clicked, this, [this] {
        if (actions_.search) actions_.search();
    });
    searchRow->addWidget(searchBox_, 1);
    searchRow->addWidget(searchButton);
    layout->addLayout(searchRow);
    Register(ControlName::soso, searchBox_);

    auto* area = new QWidget;
    QGridLayout* cell = StackedCell(area);
    cell->addWidget(Host(ControlName::Pic1, &Pane(ruvo::Pane::Web1)), 0, 0);
    cell->addWidget(Host(ControlName::pso, &Pane(ruvo::Pane::Webso)), 0, 0);
    cell->addWidget(Notice(ControlName::w1, QStringLiteral("页面加载失败，点击这里重试")), 0, 0);
    layout->addWidget(area, 1);
    Register(ControlName::LeftPanel, left);
    return left;
}

QWidget* MainWindowWidget::BuildCentreColumn() {
    auto* centre = new QWidget;
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* header = new QWidget;
    header->setFixedHeight(25);
    auto* leftToggle = Button(QStringLiteral("◧"), header);
    leftToggle->setGeometry(5, 2, 20, 20);
    connect(leftToggle, &QToolButton::clicked, this, [this] {
        if (actions_.navigationClick) actions_.navigationClick(10);
    });
    Register(ControlName::npc, leftToggle, 10);
    auto* name = new QLabel(header);
    name->move(35, 4);
    Register(ControlName::bo_name, name);
    auto* bar = new QWidget(header);
    bar->setObjectName(QStringLiteral("BAD"));
    auto* barLayout = new QVBoxLayout(bar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->addWidget(&Pane(ruvo::Pane::Web8));
    Register(ControlName::BAD, bar);
    auto* rightToggle = Button(QStringLiteral("◨"), header);
    Register(ControlName::npc, rightToggle, 11);
    connect(rightToggle, &QToolButton::clicked, this, [this] {
        if (actions_.navigationClick) actions_.navigationClick(11);
    });
    header->installEventFilter(this);  // places the bar and the right toggle on resize
    header->setObjectName(QStringLiteral("Pic4"));
    layout->addWidget(header);

    playerArea_ = new QWidget;
    playerAreaLayout_ = StackedCell(playerArea_);
    auto* qvod = new QWidget;
    qvod->setObjectName(QStringLiteral("qvod"));
    QGridLayout* qvodCell = StackedCell(qvod);
    videoSurface_ = new MpvSurface;
    qvodCell->addWidget(videoSurface_, 0, 0);
    auto* advert = new QLabel(QStringLiteral("Ruvo影视盒"));
    advert->setObjectName(QStringLiteral("bo_ad"));
    advert->setAlignment(Qt::AlignCenter);
    qvodCell->addWidget(advert, 0, 0);
    Register(ControlName::bo_ad, advert);
    auto* playerAd = Host(ControlName::ad_huan, &Pane(ruvo::Pane::Web7));
    playerAd->setFixedSize(300, 250);
    qvodCell->addWidget(playerAd, 0, 0, Qt::AlignCenter);
    auto* next = new QLabel(QStringLiteral("正准备播放下一集，请稍后..."));
    qvodCell->addWidget(next, 0, 0, Qt::AlignCenter);
    Register(ControlName::next_s, next);
    Register(ControlName::qvod, qvod);
    playerAreaLayout_->addWidget(qvod, 0, 0);

    auto* webPlayer = new QWidget;
    QGridLayout* webCell = StackedCell(webPlayer);
    webCell->addWidget(&Pane(ruvo::Pane::Web2), 0, 0);
    auto* close = Button(QStringLiteral("×"), webPlayer);
    webCell->addWidget(close, 0, 0, Qt::AlignTop | Qt::AlignRight);
    connect(close, &QToolButton::clicked, this, [this] {
        if (actions_.closeWebPlayer) actions_.closeWebPlayer();
    });
    Register(ControlName::Pic2, webPlayer);
    playerAreaLayout_->addWidget(webPlayer, 0, 0);
    layout->addWidget(playerArea_, 1);

    auto* strip = new QWidget;
    strip->setFixedHeight(22);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(13, 0, 13, 0);
    auto* status = new QLabel;
    status->setObjectName(QStringLiteral("zhun"));
    auto* times = new QLabel;
    times->setObjectName(QStringLiteral("times"));
    stripLayout->addWidget(status);
    stripLayout->addStretch(1);
    stripLayout->addWidget(times);
    Register(ControlName::zhun, status);
    Register(ControlName::times, times);
    Register(ControlName::bo_zt, strip);
    layout->addWidget(strip);

    auto* track = new QWidget;
    track->setObjectName(QStringLiteral("gunt"));
    track->setFixedHeight(7);
    auto* downloaded = new QWidget(track);
    downloaded->setObjectName(QStringLiteral("huan"));
    downloaded->setGeometry(-30, 0, 0, 7);
    auto* knob = new QWidget(track);
    knob->setObjectName(QStringLiteral("gunt1"));
    knob->setGeometry(0, 0, 12, 7);
    Register(ControlName::gunt, track);
    Register(ControlName::huan, downloaded);
    Register(ControlName::gunt1, knob);
    for (QWidget* part : {track, downloaded, knob}) part->installEventFilter(this);
    layout->addWidget(track);
    layout->addWidget(BuildPlayerBar());
    return centre;
}

QWidget* MainWindowWidget::BuildPlayerBar() {
    auto* bar = new QWidget;
    bar->setFixedHeight(31);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(12, 3, 12, 3);
    // Left to right as the bar shows them: stop, previous, play, next; then
    // mute, full screen, open file and the right-panel toggle at the end.
    constexpr std::array<int, 8> order{1, 6, 0, 5, 2, 3, 4, 7};
    for (size_t i = 0; i < order.size(); ++i) {
        const int index = order[i];
        if (i == 4) layout->addStretch(1);
        if (i == 5) layout->addWidget(BuildVolumeSlider());
        auto* button = Button(QString(), bar);
        button->setIconSize(QSize(22, 22));
        button->setAutoRaise(true);
        button->setMouseTracking(true);
        button->setProperty("transportIndex", index);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, index] {
            if (actions_.transportClick) actions_.transportClick(index);
        });
        Register(ControlName::bo_but, button, index);
        layout->addWidget(button);
    }
    return bar;
}

QWidget* MainWindowWidget::BuildVolumeSlider() {
    auto* track = new QWidget;
    track->setObjectName(QStringLiteral("yin"));
    track->setFixedSize(60, 7);
    auto* filled = new QWidget(track);
    filled->setObjectName(QStringLiteral("bo_y"));
    filled->setGeometry(0, 2, 0, 2);
    auto* knob = new QWidget(track);
    knob->setObjectName(QStringLiteral("bo_v"));
    knob->setGeometry(0, 0, 8, 7);
    for (QWidget* part : {track, filled, knob}) part->installEventFilter(this);
    Register(ControlName::yin, track);
    Register(ControlName::bo_y, filled);
    Register(ControlName::bo_v, knob);
    return track;
}

void MainWindowWidget::BuildTooltipPanel(QWidget* body) {
    auto* panel = new QFrame(body);
    panel->setObjectName(QStringLiteral("p1"));
    panel->setStyleSheet(QStringLiteral("QFrame#p1{background:#2b2b2b;border:1px solid #555}"));
    auto* text = new QLabel(panel);
    text->move(3, 3);
    panel->hide();
    Register(ControlName::p1, panel);
    Register(ControlName::bo_tip, text);
}

QWidget* MainWindowWidget::BuildRightColumn() {
    auto* right = new QWidget;
    right->setFixedWidth(222);
    auto* layout = new QVBoxLayout(right);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* tabs = new QHBoxLayout;
    const std::array<std::pair<int, const char*>, 3> tabButtons{{{6, "片库"}, {7, "观看记录"}, {8, "本地文件"}}};
    for (const auto& [index, text] : tabButtons) {
        auto* tab = Button(QString::fromUtf8(text), right);
        tab->setCheckable(true);
        tab->setChecked(index == 6);
        connect(tab, &QToolButton::clicked, this, [this, tab, index] {
            tab->setChecked(!tab->isChecked());  // the logic decides which tab looks selected
            if (actions_.navigationClick) actions_.navigationClick(index);
        });
        Register(ControlName::npc, tab, index);
        tabs->addWidget(tab);
    }
    layout->addLayout(tabs);

    auto* pages = new QWidget;
    QGridLayout* cell = StackedCell(pages);
    cell->addWidget(Host(ControlName::P5, &Pane(ruvo::Pane::Web5)), 0, 0);
    cell->addWidget(Notice(ControlName::w5, QStringLiteral("页面加载失败，点击这里重试")), 0, 0);
    cell->addWidget(Host(ControlName::P3, &Pane(ruvo::Pane::Web3)), 0, 0);
    cell->addWidget(Host(ControlName::P4, &Pane(ruvo::Pane::Web4)), 0, 0);
    layout->addWidget(pages, 1);
    auto* bottom = new QHBoxLayout;
    auto* listAction = new QLabel;
    bottom->addStretch(1);
    bottom->addWidget(listAction);
    layout->addLayout(bottom);
    listAction->setObjectName(QStringLiteral("qk"));
    listAction->setCursor(Qt::PointingHandCursor);
    listAction->installEventFilter(this);
    Register(ControlName::qk, listAction);
    Register(ControlName::RightPanel, right);
    return right;
}

bool MainWindowWidget::SliderEvent(QObject* watched, QEvent* event) {
    const QString name = watched->objectName();
    const bool seek = name == QLatin1String("gunt") || name == QLatin1String("gunt1") || name == QLatin1String("huan");
    const bool volume = name == QLatin1String("yin") || name == QLatin1String("bo_v") || name == QLatin1String("bo_y");
    if (!seek && !volume) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const int x = static_cast<int>(mouse->position().x());
    const bool left = mouse->buttons() & Qt::LeftButton;
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        if (name == QLatin1String("gunt") || name == QLatin1String("huan")) {
            if (actions_.seekPress) actions_.seekPress(x);
        } else if ((name == QLatin1String("yin") || name == QLatin1String("bo_y")) && actions_.volumePress) {
            actions_.volumePress(x);
        }
        return true;
    }
    if (event->type() == QEvent::MouseMove && left) {
        if (name == QLatin1String("gunt1") && actions_.seekDrag) actions_.seekDrag(x);
        if (name == QLatin1String("bo_v") && actions_.volumeDrag) actions_.volumeDrag(x);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && seek && actions_.seekRelease) {
        actions_.seekRelease(name == QLatin1String("gunt") ? 0 : name == QLatin1String("gunt1") ? 1 : 2);
        return true;
    }
    return false;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && on && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == window) {
        // A key that travels up through its widget's parents passes here once for each.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key != lastKey || key->timestamp() != lastTimestamp) {
            lastKey = key;
            lastTimestamp = key->timestamp();
            if (onKey) onKey(key);
        }
    }
    return false;  // the widget with the focus still gets the key
}

void MainWindowWidget::KeyDown(const QKeyEvent* key) {
    if (!actions_.keyDown) return;
    if (key->isAutoRepeat() && key->key() == Qt::Key_Space) return;
    int code = 0;
    switch (key->key()) {
        case Qt::Key_Space: code = 32; break;
        case Qt::Key_Left: code = 37; break;
        case Qt::Key_Up: code = 38; break;
        case Qt::Key_Right: code = 39; break;
        case Qt::Key_Down: code = 40; break;
        default: break;
    }
    actions_.keyDown(code);
}

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) &&
        SliderEvent(watched, event))
        return true;
    // The player bar shows its own tooltip panel instead of the system's.
    if (type == QEvent::ToolTip && watched->property("transportIndex").isValid()) return true;
    if (type == QEvent::MouseMove && watched->property("transportIndex").isValid() && actions_.transportHover) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        actions_.transportHover(watched->property("transportIndex").toInt(), at.x(), at.y());
    }
    if (event->type() == QEvent::MouseButtonPress && watched == centralWidget()) {
        if (actions_.searchBoxLeft) actions_.searchBoxLeft();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched->objectName() == QLatin1String("w1") && actions_.retryMainArea) actions_.retryMainArea();
        if (watched->objectName() == QLatin1String("w5") && actions_.retrySidePane) actions_.retrySidePane();
        if (watched == searchBox_ && actions_.searchBoxClicked) actions_.searchBoxClicked();
        if (watched->objectName() == QLatin1String("qk") && actions_.listActionClick) actions_.listActionClick();
        if (watched->objectName() == QLatin1String("jbi") && actions_.compactRestoreClick) actions_.compactRestoreClick();
    } else if (qvodIsFullScreen() && (watched == controls_.WidgetOf({ControlName::qvod}) ||
                                       controls_.WidgetOf({ControlName::qvod})->isAncestorOf(qobject_cast<QWidget*>(watched)))) {
        // Leaving full screen the way every player does: Esc or a double click.
        const bool escape = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
        if (escape || event->type() == QEvent::MouseButtonDblClick) SetPlayerFullScreen(false);
    } else if (event->type() == QEvent::FocusOut && watched == searchBox_ && actions_.searchBoxLeft) {
        actions_.searchBoxLeft();
    } else if (event->type() == QEvent::Resize && watched->objectName() == QLatin1String("Pic4")) {
        auto* header = static_cast<QWidget*>(watched);
        controls_.WidgetOf({ControlName::BAD})->setGeometry(header->width() - 220, 2, 190, 20);
        controls_.WidgetOf({ControlName::npc, 11})->setGeometry(header->width() - 25, 2, 20, 20);
    }
    return QMainWindow::eventFilter(watched, event);
}

std::string MainWindowWidget::PlaceOf(ControlId control) const {
    const QWidget* widget = controls_.WidgetOf(control);
    if (!widget) return {};
    const QPoint at = widget->mapTo(this, QPoint(0, 0));
    return std::to_string(at.x()) + "," + std::to_string(at.y()) + "," + std::to_string(widget->width()) + "," +
           std::to_string(widget->height());
}

bool MainWindowWidget::qvodIsFullScreen() const {
    // Events arrive while the window is still being built: no player box yet.
    const QWidget* qvod = controls_.WidgetOf({ControlName::qvod});
    return qvod && playerArea_ && qvod->parentWidget() != playerArea_;
}

void MainWindowWidget::SetPlayerFullScreen(bool fullScreen) {
    QWidget* qvod = controls_.WidgetOf({ControlName::qvod});
    if (fullScreen && qvod->parentWidget() == playerArea_) {
        qvod->setParent(nullptr);
        qvod->setWindowFlag(Qt::Window, true);
        qvod->showFullScreen();
        qvod->installEventFilter(this);
        videoSurface_->installEventFilter(this);  // a double click on the picture leaves too
        qvod->setFocusPolicy(Qt::StrongFocus);
        qvod->activateWindow();
        qvod->setFocus();
    } else if (!fullScreen && qvod->parentWidget() != playerArea_) {
        qvod->setWindowFlag(Qt::Window, false);
        playerAreaLayout_->addWidget(qvod, 0, 0);
        qvod->show();
    }
}

std::array<WebPane*, kPaneCount> MainWindowWidget::PaneInterfaces() {
    std::array<WebPane*, kPaneCount> interfaces{};
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

int MainWindowWidget::InnerHeight() const { return centralWidget() ? centralWidget()->height() : height(); }

void MainWindowWidget::CaptureMouse(ControlId control) {
    if (QWidget* widget = controls_.WidgetOf(control); widget && QWidget::mouseGrabber() != widget) widget->grabMouse();
}

void MainWindowWidget::ReleaseMouse() {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

int MainWindowWidget::WidthTwips() const { return PixelsToTwips(width(), logicalDpiX()); }
int MainWindowWidget::HeightTwips() const { return PixelsToTwips(height(), logicalDpiX()); }

}  // namespace ruvo
