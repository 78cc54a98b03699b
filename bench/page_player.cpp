// The second reference for CPU while playing: Chromium's own page player
// (Qt WebEngine, as the portal's page player is) playing the address in a
// view of the program's player-area size. Prints "started" once the video
// plays, then stays until killed.
// Usage: bench_page_player URL WIDTHxHEIGHT
#include <QApplication>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    QApplication app(argc, argv);
    QWebEngineView view;
    int width = 0, height = 0;
    if (std::sscanf(argv[2], "%dx%d", &width, &height) != 2) return 2;
    view.settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    // The page says when its video plays by its title.
    QObject::connect(&view, &QWebEngineView::titleChanged, [](const QString& title) {
        if (title != QLatin1String("playing")) return;
        std::printf("started\n");
        std::fflush(stdout);
    });
    const QString page = QStringLiteral(
        "<html><body style='margin:0;background:#000;overflow:hidden'><video autoplay loop "
        "style='width:100vw;height:100vh' onplaying=\"document.title='playing'\" src='%1'></video></body></html>")
                             .arg(QString::fromLocal8Bit(argv[1]));
    view.resize(width, height);
    view.setHtml(page, QUrl(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
