#include "composition/WindowWiring.h"

#include <QStandardPaths>

#include "app/CommandLineItem.h"
#include "history/HistoryActions.h"
#include "adapters/qt/QtPlayerMenu.h"
#include "playback/KeyboardShortcuts.h"
#include "playback/PlayService.h"
#include "playback/PlayStatusMonitor.h"
#include "playback/PlayerSliders.h"
#include "playback/TransportControls.h"
#include "portal/PaneLoadEvents.h"
#include "portal/SearchBox.h"
#include "shell/FrameMouse.h"
#include "shell/NavigationButtons.h"
#include "shell/TitleButtons.h"
#include "shell/WindowLayout.h"

namespace ruvo {

ruvo::WindowActions ActionsOf(ruvo::MainWindow& window, ruvo::PlayerActions& playerActions, QWidget& widget) {
    ruvo::WindowActions actions;
    actions.search = [&window](const std::string& typed) { window.Search().Search(typed); };
    actions.searchBoxClicked = [&window](const std::string& typed) { window.Search().ClickInBox(typed); };
    actions.searchBoxLeft = [&window](const std::string& typed) { window.Search().FocusLost(typed); };
    actions.buttonClick = [&window](ruvo::WindowButton button) {
        window.Title().Click(button);
        window.Navigation().Click(button);
    };
    actions.transportClick = [&window](int index) { window.Transport().Click(index); };
    actions.transportHover = [&window](int index, int x, int y) { window.Transport().MouseMove(index, x, y); };
    actions.keyDown = [&window](ruvo::Key key) { return window.Keys().KeyDown(key); };
    actions.pictureMenu = [&window, &widget, &playerActions](int x, int y) {
        ruvo::PopUpPlayerMenu(&widget, ruvo::PlayerMenuEntries(window.PlayerControl()), QPoint(x, y),
                              [&playerActions](const ruvo::PlayerMenuEntry& entry) { playerActions.Choose(entry); });
    };
    actions.seekPress = [&window](int x) { window.Sliders().SeekPress(x); };
    actions.seekDrag = [&window](int x) { window.Sliders().SeekDrag(x); };
    actions.seekRelease = [&window](ruvo::PlayerSliders::Release where) { window.Sliders().SeekRelease(where); };
    actions.volumePress = [&window](int x) { window.Sliders().VolumePress(x); };
    actions.volumeDrag = [&window](int x) { window.Sliders().VolumeDrag(x); };
    actions.volumeWheel = [&window](int notches) { window.Keys().WheelOverPicture(notches); };
    actions.retryMainArea = [&window] { window.LoadEvents().RetryMainArea(); };
    actions.retrySidePane = [&window] { window.LoadEvents().RetrySidePane(); };
    actions.closeWebPlayer = [&window] { window.Plays().CloseWebPlayer(); };
    actions.listActionClick = [&window] { window.History().ListActionClicked(); };
    actions.compactRestoreClick = [&window] { window.Title().LeaveCompactMode(); };
    actions.resized = [&window] { window.Layout().OnResize(); };
    actions.surfaceMove = [&window](bool leftHeld, int x, int y) { window.Mouse().SurfaceMove(leftHeld, x, y); };
    actions.surfaceDown = [&window](int x, int y) { window.Mouse().SurfaceDown(x, y); };
    actions.surfaceUp = [&window] { window.Mouse().SurfaceUp(); };
    actions.surfaceDoubleClick = [&window] { window.Mouse().SurfaceDoubleClick(); };
    actions.buttonMove = [&window](ruvo::WindowButton button, int x, int y) { window.Mouse().ButtonMove(button, x, y); };
    actions.labelMove = [&window](bool restoreLabel) { window.Mouse().LabelMove(restoreLabel); };
    actions.labelReset = [&window](bool restoreLabel) { window.Mouse().ResetLabelColor(restoreLabel); };
    return actions;
}

ruvo::PlayerActionsWiring PlayerActionsWiringOf(ruvo::MainWindow& window) {
    ruvo::PlayerActionsWiring wiring;
    wiring.playerShown = [&window] { return window.View().IsVisible({ruvo::ControlName::PlayerBox}); };
    wiring.title = [&window] { return ruvo::TitleLineOf(window.Session().item); };
    wiring.showNotice = [&window](const std::string& text) { window.Monitor().ShowNotice(text); };
    wiring.notify = [&window](const std::string& text) { window.ShowTrayTip(text); };
    wiring.notificationsShown = [&window] { return window.Tray().CanShowTrayTips(); };
    wiring.playItem = [&window](const std::string& item) { window.CommandLine().Play(item); };
    wiring.pressKey = [&window](ruvo::Key key) { window.Keys().KeyDown(key); };
    wiring.openFile = [&window] { window.Transport().OpenFile(); };
    // The user's pictures folder as xdg-user-dir names it (user-dirs.dirs), else ~/Pictures.
    wiring.picturesFolder = [] { return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation).toStdString(); };
    return wiring;
}

}  // namespace ruvo
