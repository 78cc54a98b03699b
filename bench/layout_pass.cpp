// One full layout pass of the main window plus its frame painting at
// 1920 × 1080: the resize handler's passes (the window's logic on a control
// store) and the frame painted from skin 1 into a 1920 × 1080 image with its
// rounded shape, against the cheapest full repaint of the same image (one
// fill). Target: under 2 ms a pass.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "fakes/VirtualTimers.h"
#include "fakes/WindowFixture.h"
#include "adapters/qt/FrameBody.h"
#include "adapters/qt/QtWindowControls.h"
#include "adapters/qt/QtWindowSurface.h"
#include "shell/WindowLayout.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kRounds = 400;

double MillisecondsOf(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return ruvo::bench::Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    using namespace ruvo;
    using namespace ruvo::test;

    QWidget top;
    auto* body = new FrameBody(&top);
    top.resize(kWidth, kHeight);
    body->resize(kWidth, kHeight);
    QtWindowControls controls;  // no widgets: the layout's places are kept as values
    QtWindowSurface surface(top, *body, controls);

    TempFolder folder;
    FakeWindowPorts fakes;
    fakes.host.twipsWidth = kWidth * 15;
    fakes.host.twipsHeight = kHeight * 15;
    SettingsFile settings(folder.File("config.dll"));
    MainWindow window(fakes.PortsWith(controls, surface), settings, folder.Path(), PortalFrom(kTestPortal));
    window.Load("");
    const WindowIntents user = window.Intents();

    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    const double pass = MillisecondsOf([&] {
        user.resized();
        body->render(&image);  // what the window's paint event draws
    });
    // RUVO_BENCH_IMAGE=file.png keeps the painted frame, to see what was measured.
    if (std::getenv("RUVO_BENCH_IMAGE")) image.save(QString::fromLocal8Bit(std::getenv("RUVO_BENCH_IMAGE")));
    const double fill = MillisecondsOf([&] {
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor(0x1e, 0x1f, 0x22));
    });
    std::printf("| layout pass + frame painting at 1920x1080 | %.3f ms | %.3f ms (one fill) | %.2fx | < 2 ms |\n", pass,
                fill, fill > 0 ? pass / fill : 0.0);
    return 0;
}
