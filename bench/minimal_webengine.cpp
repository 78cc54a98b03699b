// The reference for start-up and memory: the smallest Qt WebEngine program
// that shows a page, one view in a window. Writes the monotonic time (ms) at
// which the page finished loading into the file, then stays until killed.
// Usage: bench_minimal_webengine URL TIME-FILE
#include <QApplication>
#include <QWebEngineView>
#include <ctime>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    QApplication app(argc, argv);
    QWebEngineView view;
    const std::string timeFile = argv[2];
    QObject::connect(&view, &QWebEngineView::loadFinished, [timeFile](bool ok) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (ok) std::ofstream(timeFile) << static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000 << '\n';
    });
    view.resize(983, 521);
    view.load(QUrl(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
