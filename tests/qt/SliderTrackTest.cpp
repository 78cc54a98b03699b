// The player bar's sliders on their own (offscreen): where the knob and the
// filled part stand, and what the mouse on them asks for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <cmath>
#include <limits>

#include "adapters/qt/SliderTrack.h"

namespace ruvo {
namespace {

class Sliders : public testing::Test {
protected:
    QWidget window;
    SliderTrack seek{Slider::Seek, 10, &window};      // its knob is 12 wide
    SliderTrack volume{Slider::Volume, 5, &window};   // its knob is 8 wide
    std::vector<std::string> asked;

    void SetUp() override {
        seek.setGeometry(0, 0, 212, 7);  // the knob runs 200 pixels
        volume.setGeometry(0, 20, 208, 7);
        volume.SetValue(0, 100);  // as the program starts it
        window.show();
        seek.onLetGo = [this](SeekRelease where, double share) {
            const char* over = where == SeekRelease::OverTrack ? "track" : where == SeekRelease::OverKnob ? "knob" : "downloaded";
            asked.push_back(std::string("seek over ") + over + " at " + std::to_string(std::lround(share * 1000)));
        };
        volume.onRequest = [this](int percent) { asked.push_back("volume " + std::to_string(percent)); };
        volume.onPastTheEnd = [this] { asked.push_back("past the end"); };
    }
    static void Send(QWidget* to, QEvent::Type type, int x, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, QPointF(x, 3), QPointF(x, 3), button, held, Qt::NoModifier);
        QApplication::sendEvent(to, &event);
    }
    static void Click(QWidget* on, int x) {
        Send(on, QEvent::MouseButtonPress, x);
        Send(on, QEvent::MouseButtonRelease, x);
    }
};

TEST_F(Sliders, TheKnobAndTheDownloadedShareStandWhereTheValuesPutThem) {
    seek.SetValue(50, 100);
    EXPECT_EQ(seek.Knob()->x(), 100);
    seek.SetDownloaded(500);
    EXPECT_EQ(seek.Filled()->geometry(), QRect(0, 0, 106, 7));
    seek.resize(412, 7);  // the bar grew: both keep their share of it
    EXPECT_EQ(seek.Knob()->x(), 200);
    EXPECT_EQ(seek.Filled()->width(), 206);
    seek.SetValue(3, 0);  // a stream of unknown length: the knob at the start
    EXPECT_EQ(seek.Knob()->x(), 0);
    seek.SetValue(std::numeric_limits<int>::max(), 1);  // odd figures stay on the screen's scale
    EXPECT_LE(seek.Knob()->x(), 1'000'000);
    seek.SetDownloaded(0);
    EXPECT_LT(seek.Filled()->geometry().right(), 0);  // out of sight
    volume.SetValue(50, 100);
    EXPECT_EQ(volume.Knob()->x(), 100);
    EXPECT_EQ(volume.Filled()->width(), 100);
}

TEST_F(Sliders, TheSeekKnobGoesWhereItIsPressedOrDraggedAndSaysWhereItWasLetGo) {
    Click(&seek, 101);
    Click(&seek, 212);  // past the run: overshoots, the seek comes back from the end
    EXPECT_EQ(asked, (std::vector<std::string>{"seek over track at 505", "seek over track at 1060"}));
    asked.clear();

    seek.SetValue(50, 100);
    Send(seek.Knob(), QEvent::MouseButtonPress, 5);
    Send(seek.Knob(), QEvent::MouseMove, 30);  // the pointer 30 pixels into the knob: it follows
    EXPECT_EQ(seek.Knob()->x(), 130);
    seek.SetValue(51, 100);  // the play goes on meanwhile: the held knob stays
    EXPECT_EQ(seek.Knob()->x(), 130);
    Send(seek.Knob(), QEvent::MouseMove, 500);  // held to the run
    EXPECT_EQ(seek.Knob()->x(), 200);
    Send(seek.Knob(), QEvent::MouseButtonRelease, 0);
    seek.SetValue(98, 100);  // let go: the values place it again
    EXPECT_EQ(seek.Knob()->x(), 196);

    seek.SetDownloaded(1000);
    Click(seek.Filled(), 40);
    seek.SetValue(1, 100);
    Click(seek.Knob(), 1);  // at the start the knob counts as the track
    EXPECT_EQ(asked, (std::vector<std::string>{"seek over knob at 1000", "seek over downloaded at 200",
                                               "seek over track at 10"}));
}

TEST_F(Sliders, TheVolumeFollowsThePointerInWholePercentsAndStaysAtItsEnds) {
    Send(&volume, QEvent::MouseButtonPress, 99);  // 99 of 200: truncated
    Send(&volume, QEvent::MouseButtonRelease, 99);
    Send(&volume, QEvent::MouseButtonPress, 500);  // beyond the end: the end
    Send(&volume, QEvent::MouseButtonRelease, 500);
    volume.SetValue(100, 100);
    Send(volume.Knob(), QEvent::MouseButtonPress, 2);
    Send(volume.Knob(), QEvent::MouseMove, 5);  // beyond the end: the knob stays, the sound comes on
    Send(volume.Knob(), QEvent::MouseMove, -200);
    Send(volume.Knob(), QEvent::MouseButtonRelease, 0);
    Send(&volume, QEvent::MouseButtonPress, 10, Qt::RightButton);  // only the left button acts
    EXPECT_EQ(asked, (std::vector<std::string>{"volume 49", "volume 100", "past the end", "volume 0"}));
    EXPECT_EQ(volume.Knob()->x(), 200);  // it shows what the program set, 100

    volume.resize(8, 7);  // no wider than its knob: nothing to choose
    Click(&volume, 5);
    EXPECT_EQ(asked.size(), 4u);
}

}  // namespace
}  // namespace ruvo
