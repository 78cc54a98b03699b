#pragma once
// Files dropped anywhere on the main window, its pages included, go to the
// player (as a second start's files do), never to a page: a page would
// otherwise open the dropped file itself.
#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace ruvo {

class FileDrops final : public QObject {
public:
    // Installs itself on the application for `window` and its children.
    FileDrops(QWidget* window, std::function<void(const std::vector<std::string>&)> dropped);
    ~FileDrops() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::vector<std::string> dragged_;  // the files of the drag over the window now
    std::function<void(const std::vector<std::string>&)> dropped_;
};

}  // namespace ruvo
