#pragma once
// A borderless window with one web pane showing a portal page and a small
// close image: the floating advertisement or the recommendation window.
#include <QWidget>
#include <functional>

#include "promo/PromoWindowDesign.h"

class QLabel;
class QWebEngineProfile;

namespace ruvo {

class QtWebPane;

class PromoWindow final : public QWidget {
public:
    // `onClosed` runs once the window has closed, however it closed.
    PromoWindow(const PromoDesign& design, const std::string& portalBase, QWebEngineProfile* profile,
                std::function<void()> onClosed);
    ~PromoWindow() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const PromoDesign& design_;
    QWidget* box_ = nullptr;    // Pc1
    QtWebPane* pane_ = nullptr;
    QLabel* closeImage_ = nullptr;  // Picture1
    std::function<void()> onClosed_;
};

}  // namespace ruvo
