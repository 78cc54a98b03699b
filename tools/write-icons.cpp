// write-icons OUT_DIR: the program's icon as PNG files in the hicolor theme's
// sizes (OUT_DIR/hicolor/NxN/apps/ruvo-box.png), for the package. The same
// drawing as the window's and the tray's icon.
#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include "adapters/qt/ProgramIcon.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write-icons OUT_DIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QIcon icon = ruvo::ProgramIcon();
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !icon.pixmap(size, size).save(folder + QStringLiteral("/ruvo-box.png"))) {
            std::fprintf(stderr, "write-icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
