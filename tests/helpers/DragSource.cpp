// A drag source for tests: a small window at the screen's top left corner
// that, once the left button is pressed in it, drags the files named on its
// command line as a file manager does (text/uri-list over XDND). The test
// moves the pointer with xdotool and releases it where the files go.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

class DragSource final : public QWidget {
public:
    explicit DragSource(QList<QUrl> files) : files_(std::move(files)) {
        setWindowTitle(QStringLiteral("ruvo-drag-source"));
        setGeometry(0, 0, 80, 80);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(files_);
        drag->setMimeData(data);
        const Qt::DropAction done = drag->exec(Qt::CopyAction);
        std::printf("%s\n", done == Qt::CopyAction ? "dropped" : "refused");
        std::fflush(stdout);
        QApplication::quit();
    }

private:
    QList<QUrl> files_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> files;
    for (int i = 1; i < argc; ++i) files.append(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i])));
    DragSource source(files);
    source.show();
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}
