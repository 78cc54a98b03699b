#pragma once
// The pop-up menus of the hidden menu window as QMenus built from the logic's tables.
#include <QMenu>
#include <array>
#include <functional>
#include <string>

#include "platform/PopupMenus.h"

namespace ruvo {

class QtPopupMenus final : public PopupMenus {
public:
    // `window` is the main window, for positions in its coordinates;
    // `onChoose` gets the chosen entry's item name.
    QtPopupMenus(QWidget* window, std::function<void(const std::string&)> onChoose);
    ~QtPopupMenus() override;

    void PopUp(MenuName menu) override;
    void PopUpAt(MenuName menu, int x, int y) override;
    // The menu open now, or nullptr (tests and the trace look at it).
    QMenu* OpenMenu() const;

private:
    QMenu& MenuOf(MenuName menu) { return *menus_[static_cast<size_t>(menu)]; }

    QWidget* window_;
    std::array<QMenu*, 3> menus_{};
};

}  // namespace ruvo
