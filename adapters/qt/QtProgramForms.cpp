#include "adapters/qt/QtProgramForms.h"

#include <QCoreApplication>
#include <QTimer>

#include "adapters/qt/MainWindowWidget.h"
#include "adapters/qt/PromoWindow.h"
#include "adapters/qt/QtPopupMenus.h"
#include "adapters/qt/SettingsDialogWidget.h"

namespace ruvo {

QtProgramForms::QtProgramForms(MainWindowWidget& main, SettingsDialogWidget& settings, QtPopupMenus& menus,
                               QWebEngineProfile* profile, std::string portalBase,
                               std::function<void()> beforeMainWindowCloses)
    : main_(main),
      settings_(settings),
      menus_(menus),
      profile_(profile),
      portalBase_(std::move(portalBase)),
      beforeMainWindowCloses_(std::move(beforeMainWindowCloses)) {}

void QtProgramForms::Unload(FormName form) {
    switch (form) {
        case FormName::MenuHost:
            if (QMenu* open = menus_.OpenMenu()) open->close();
            break;
        case FormName::FloatingAdvert:
            if (floatingAd_) floatingAd_->close();
            break;
        case FormName::SettingsDialog: settings_.hide(); break;
        case FormName::MainWindow:
            if (beforeMainWindowCloses_) beforeMainWindowCloses_();
            main_.Unload();
            break;
        case FormName::Recommendation: break;  // only ever loaded by the exit routine itself
    }
}

void QtProgramForms::ShowFloatingAd() {
    if (floatingAdShown_) return;  // once a run
    floatingAdShown_ = true;
    floatingAd_ = new PromoWindow(kFloatingAd, portalBase_, profile_, [] {});
    floatingAd_->show();
}

void QtProgramForms::ShowRecommendationAndEnd() {
    auto* window = new PromoWindow(kRecommendation, portalBase_, profile_, [this] { EndProcess(); });
    window->show();
}

void QtProgramForms::EndProcess() {
    // After the current handler, so it finishes what it does.
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
}

}  // namespace ruvo
