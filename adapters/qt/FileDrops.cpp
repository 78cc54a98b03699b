#include "adapters/qt/FileDrops.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace ruvo {
namespace {

// The regular files among what is dragged (folders and web addresses are
// not files to play).
std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) files.push_back(url.toLocalFile().toStdString());
    return files;
}

}  // namespace

FileDrops::FileDrops(QWidget* window, std::function<void(const std::vector<std::string>&)> dropped)
    : window_(window), dropped_(std::move(dropped)) {
    window_->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

FileDrops::~FileDrops() { qApp->removeEventFilter(this); }

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::DragLeave) dragged_.clear();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    // The files are read as the drag enters: what a drag carries does not
    // change, and asking the source again at the drop can wait seconds for
    // a source that is busy finishing its drag.
    if (type == QEvent::DragEnter) dragged_ = LocalFiles(drop->mimeData());
    if (dragged_.empty()) return false;  // text and links dragged into a page stay the page's
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop && dropped_) {
        // Played once the drag has ended: the source waits for this answer.
        QMetaObject::invokeMethod(this, [this, files = dragged_] { dropped_(files); }, Qt::QueuedConnection);
        dragged_.clear();
    }
    return true;
}

}  // namespace ruvo
