#include "app/CommandLineItem.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "base/PathText.h"
#include "base/TextWidth.h"
#include "playback/TransportControls.h"
#include "shell/NavigationButtons.h"
#include "shell/TitleButtons.h"

namespace ruvo {
namespace {

void BringToFront(MainWindowHost& host) {
    host.Hide();
    host.Show();
    if (host.IsMinimized()) host.ShowNormal();
}

}  // namespace

void ReceiveCommandLine(MainWindow& window, const std::string& text) {
    window.TimerOf(WindowTimer::PlayerStartCheck).SetEnabled(true);
    BringToFront(window.Host());
    if (text.empty()) return;
    if (window.Frame().compact) window.Title().LeaveCompactMode();
    PlayInsteadOfCurrent(window, text);
}

void PlayInsteadOfCurrent(MainWindow& window, const std::string& text) {
    if (window.PlayerControl().PlayState() == kPlayPlaying) window.Transport().Stop();
    PlayCommandLineItem(window, text);
}

void PlayCommandLineItem(MainWindow& window, const std::string& text) {
    std::string item = text;
    item.erase(std::remove(item.begin(), item.end(), '"'), item.end());
    if (!item.empty() && item.back() == '/') item.pop_back();
    Player& player = window.PlayerControl();
    player.SetPlayUrl(item);
    player.Play();
    window.TimerOf(WindowTimer::StatusTick).SetEnabled(true);
    const std::string name = FileNameOfPath(item);
    window.SetTitleLine(TruncateToWidth(name, kTitleLineWidth));
    window.Session().BeginLocalFile(item, 0);
    window.Lists().AddLocalFileRecord({name, item, 0});
}

}  // namespace ruvo
