#pragma once
// The program's windows for the exit routine and the update check: the main
// window, the settings dialog, the menus' form and the promotional windows.
#include <QPointer>
#include <functional>
#include <string>

#include "platform/ProgramForms.h"

class QWebEngineProfile;

namespace ruvo {

class MainWindowWidget;
class PromoWindow;
class QtPopupMenus;
class SettingsDialogWidget;

class QtProgramForms final : public ProgramForms {
public:
    // `beforeMainWindowCloses` runs first when the main window is unloaded.
    QtProgramForms(MainWindowWidget& main, SettingsDialogWidget& settings, QtPopupMenus& menus,
                   QWebEngineProfile* profile, std::string portalBase, std::function<void()> beforeMainWindowCloses);

    void Unload(FormName form) override;
    void ShowFloatingAd() override;
    void ShowRecommendationAndEnd() override;
    void EndProcess() override;

private:
    MainWindowWidget& main_;
    SettingsDialogWidget& settings_;
    QtPopupMenus& menus_;
    QWebEngineProfile* profile_;
    std::string portalBase_;
    QPointer<PromoWindow> floatingAd_;
    bool floatingAdShown_ = false;
    std::function<void()> beforeMainWindowCloses_;
};

}  // namespace ruvo
