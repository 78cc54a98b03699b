// The Qt window on its own (offscreen): the player's full screen and its way back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWebEngineProfile>

#include "fakes/PrivateSessionBus.h"
#include "adapters/qt/MainWindowWidget.h"
#include "adapters/qt/SkinCell.h"
#include "adapters/qt/WebProfile.h"

namespace ruvo {
namespace {

class WindowWidget : public testing::Test {
protected:
    QWebEngineProfile profile;
    MainWindowWidget widget{&profile, MpvVideoView::Kind::OpenGl};
    QWidget* Qvod() { return widget.Controls().WidgetOf({ControlName::PlayerBox}); }
};

TEST_F(WindowWidget, FullScreenAndBackWithEscape) {
    widget.show();
    const QRect normal = widget.geometry();
    widget.SetPlayerFullScreen(true);
    // The window itself goes full screen with the picture over all of it.
    EXPECT_TRUE(widget.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(widget.VideoSurface()->Widget()->window(), &widget);
    EXPECT_EQ(widget.VideoSurface()->Widget()->mapTo(&widget, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_EQ(widget.VideoSurface()->Widget()->size(), widget.centralWidget()->size());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(widget.VideoSurface()->Widget(), &escape);
    EXPECT_FALSE(widget.PlayerIsFullScreen());
    EXPECT_FALSE(widget.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(Qvod()->parentWidget(), widget.Controls().WidgetOf({ControlName::CentreColumn}));
    EXPECT_EQ(widget.geometry().size(), normal.size());
}

TEST_F(WindowWidget, ADoubleClickOnThePictureTogglesFullScreenAndNothingElse) {
    int surfaceDoubleClicks = 0;
    WindowIntents actions;
    actions.surfaceDoubleClick = [&] { ++surfaceDoubleClicks; };  // the title bar's maximise
    widget.SetIntents(actions);
    widget.show();
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget.VideoSurface()->Widget(), &click);
    EXPECT_TRUE(widget.PlayerIsFullScreen());
    QApplication::sendEvent(widget.VideoSurface()->Widget(), &click);
    EXPECT_FALSE(widget.PlayerIsFullScreen());
    EXPECT_EQ(surfaceDoubleClicks, 0);
}

// A text from the portal shows as it is, never as markup, and the label
// grows to hold it.
TEST_F(WindowWidget, TextsShowAsPlainTextAndLabelsFitThem) {
    QtWindowControls& controls = widget.Controls();
    const QString markup = QStringLiteral("<b>星河</b><img src=x>");
    controls.SetText({ControlName::StatusLine}, markup.toStdString());
    auto* label = qobject_cast<QLabel*>(controls.WidgetOf({ControlName::StatusLine}));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), markup);
    EXPECT_EQ(controls.Geometry({ControlName::StatusLine}).width, label->sizeHint().width());
    // The time label keeps its right edge 13 pixels from the strip's as it grows.
    const int stripWidth = controls.WidgetOf({ControlName::StatusStrip})->width();
    for (const char* times : {"00:05 / 00:30", "1:00:05 / 2:00:00"}) {
        controls.SetText({ControlName::PlayTimes}, times);
        const Rect place = controls.Geometry({ControlName::PlayTimes});
        EXPECT_EQ(place.left + place.width, stripWidth - 13) << times;
    }
    controls.SetVisible({ControlName::MainAreaNotice}, false);
    EXPECT_TRUE(controls.WidgetOf({ControlName::MainAreaNotice})->isHidden());
}

TEST_F(WindowWidget, SkinOneHasItsNinePicturesWithTheirSizes) {
    QtWindowSurface& surface = widget.Surface();
    for (int slot = 0; slot < 9; ++slot) EXPECT_TRUE(surface.LoadPicture(slot, 201 + slot)) << slot;
    EXPECT_FALSE(surface.LoadPicture(0, 301));  // no skin 2
    const std::array<QSize, 9> sizes{QSize(80, 108), QSize(144, 24), QSize(144, 24), QSize(48, 24), QSize(96, 24),
                                     QSize(1, 31),   QSize(1, 23),   QSize(195, 46),  QSize(80, 20)};
    for (int i = 0; i < 9; ++i) {
        const QImage image(QStringLiteral(":/skin/%1.bmp").arg(201 + i));
        EXPECT_EQ(image.size(), sizes[static_cast<size_t>(i)]) << 201 + i;
        EXPECT_EQ(image.format(), QImage::Format_Indexed8) << 201 + i;  // 8-bit palette bitmaps
    }
}

TEST_F(WindowWidget, DrawnCellsAndPlacesReachTheWidgets) {
    QtWindowSurface& surface = widget.Surface();
    ASSERT_TRUE(surface.LoadPicture(1, 202));
    auto* minimise = dynamic_cast<SkinCell*>(widget.Controls().WidgetOf({ControlName::WindowButton, 0}));
    ASSERT_NE(minimise, nullptr);
    surface.DrawCell({ControlName::WindowButton, 0}, {1, {72, 0, 24, 24}});
    widget.Controls().Move({ControlName::WindowButton, 0}, {100, 4, 24, 24});
    EXPECT_EQ(minimise->geometry(), QRect(100, 4, 24, 24));
    EXPECT_EQ(widget.PlaceOf({ControlName::WindowButton, 0}), "100,4,24,24");
    // A pane is placed inside its host, overlapping it.
    widget.Controls().Move({ControlName::WebPane, static_cast<int>(Pane::PortalPage)}, {-2, -2, 104, 54});
    EXPECT_EQ(widget.Pane(Pane::PortalPage).geometry(), QRect(-2, -2, 104, 54));
    EXPECT_EQ(widget.Pane(Pane::PortalPage).parentWidget(), widget.Controls().WidgetOf({ControlName::MainPaneBox}));
}

TEST_F(WindowWidget, WindowIsBorderlessAndShapedWithRoundCorners) {
    EXPECT_TRUE(widget.windowFlags() & Qt::FramelessWindowHint);
    widget.resize(400, 300);
    widget.Surface().SetRoundedShape(401, 301, 4, 4);
    const QRegion mask = widget.mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));  // the corner is cut
    EXPECT_TRUE(mask.contains(QPoint(3, 3)));
    EXPECT_TRUE(mask.contains(QPoint(200, 0)));
}

// Takes note of the keys that reach it.
class KeyCounter final : public QWidget {
public:
    using QWidget::QWidget;
    int received = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++received; }
};

// One key-down is one shortcut: the same press seen again (a page hands the
// keys it does not use back to the window as a copy) counts once, a held
// key's repeats each count, and keys typed into the search box are its own.
// A key the player took does not reach the control with the focus too.
TEST_F(WindowWidget, EachKeyDownIsOneShortcutOutsideTextFields) {
    std::vector<Key> keys;
    WindowIntents actions;
    actions.keyDown = [&](Key key) {
        keys.push_back(key);
        return key == Key::Space;  // Space acts on the player here, Down does not
    };
    widget.SetIntents(actions);
    widget.SetKeyPreview(true);
    widget.show();
    QWidget* body = widget.centralWidget();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    down.setTimestamp(1000);
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    copy.setTimestamp(1000);
    // A page hands a key it does not use to its pane's parent as a copy.
    QApplication::sendEvent(&widget.Pane(Pane::PortalPage), &down);
    QApplication::sendEvent(widget.Controls().WidgetOf({ControlName::MainPaneBox}), &copy);
    EXPECT_EQ(keys, std::vector<Key>{Key::Down});
    // xdotool gives every key time 0: a second press is still a press.
    QKeyEvent again(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    again.setTimestamp(1000);
    QApplication::sendEvent(&widget.Pane(Pane::PortalPage), &again);
    EXPECT_EQ(keys, (std::vector<Key>{Key::Down, Key::Down}));
    keys = {Key::Down};
    for (int repeat = 0; repeat < 3; ++repeat) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(), true);
        space.setTimestamp(2000 + repeat * 30);
        QApplication::sendEvent(body, &space);
    }
    EXPECT_EQ(keys, (std::vector<Key>{Key::Down, Key::Space, Key::Space, Key::Space}));
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    typed.setTimestamp(3000);
    QApplication::sendEvent(widget.Controls().WidgetOf({ControlName::SearchBox}), &typed);
    EXPECT_EQ(keys.size(), 4u);

    KeyCounter focused(body);
    QKeyEvent taken(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    taken.setTimestamp(4000);
    QApplication::sendEvent(&focused, &taken);
    EXPECT_EQ(focused.received, 0);
    QKeyEvent passed(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    passed.setTimestamp(4100);
    QApplication::sendEvent(&focused, &passed);
    EXPECT_EQ(focused.received, 1);
    EXPECT_EQ(keys, (std::vector<Key>{Key::Down, Key::Space, Key::Space, Key::Space, Key::Space, Key::Down}));
}

// The side page's box reaches over the bottom bar: on its tab it covers the
// list-action label, which is never cut by its 20-pixel bar.
TEST_F(WindowWidget, SidePageCoversTheListLabelWhichFitsItsBar) {
    widget.show();
    QWidget* sidePage = widget.Controls().WidgetOf({ControlName::LibraryTab});
    QWidget* bar = widget.Controls().WidgetOf({ControlName::RightFooter});
    QWidget* label = widget.Controls().WidgetOf({ControlName::ListAction});
    bar->parentWidget()->resize(200, 400);
    bar->setGeometry(0, 380, 200, 20);
    sidePage->setGeometry(0, 20, 200, 380);
    label->setGeometry(120, 6, 60, 18);
    sidePage->show();
    const QPoint overLabel = label->mapTo(bar->parentWidget(), QPoint(5, 5));
    QWidget* top = bar->parentWidget()->childAt(overLabel);
    EXPECT_TRUE(top == sidePage || sidePage->isAncestorOf(top));
    EXPECT_LE(label->geometry().bottom() + 1, bar->height());
}

// A portal label in the title line is text, whatever markup it holds.
TEST_F(WindowWidget, OutsideTextInLabelsIsPlainText) {
    widget.Controls().SetText({ControlName::TitleLine}, "<b style='color:red'>警告</b><img src='file:///etc/x.png'>");
    auto* label = qobject_cast<QLabel*>(widget.Controls().WidgetOf({ControlName::TitleLine}));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text().toStdString(), "<b style='color:red'>警告</b><img src='file:///etc/x.png'>");
}

}  // namespace
}  // namespace ruvo

int main(int argc, char* argv[]) {
    ruvo::test::PrivateSessionBus bus;  // before anything connects to a session bus
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    ruvo::RegisterPrivateSchemes();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
