#include "app/CommandLineItem.h"

#include <algorithm>

#include "base/PathText.h"
#include "config/PlayableAddress.h"

namespace ruvo {
namespace {

void BringToFront(MainWindowHost& host) {
    host.Hide();
    host.Show();
    if (host.IsMinimized()) host.ShowNormal();
}

}  // namespace

void CommandLineItems::Receive(const std::string& text) {
    parts_.playerStartCheck.SetEnabled(true);
    BringToFront(parts_.host);
    if (text.empty()) return;
    if (parts_.compact) parts_.leaveCompactMode();
    PlayInsteadOfCurrent(text);
}

void CommandLineItems::PlayInsteadOfCurrent(const std::string& text) {
    // What plays goes on when the item cannot play.
    const std::string item = ItemOf(text);
    if (!Playable(item)) return;
    if (parts_.player.PlayState() == kPlayPlaying) parts_.stop();
    PlayItem(item);
}

void CommandLineItems::Play(const std::string& text) {
    const std::string item = ItemOf(text);
    if (Playable(item)) PlayItem(item);
}

std::string CommandLineItems::ItemOf(const std::string& text) {
    std::string item = text;
    item.erase(std::remove(item.begin(), item.end(), '"'), item.end());
    if (!item.empty() && item.back() == '/') item.pop_back();
    return LocalPathOf(item);
}

// Neither played nor listed: a folder, a device, a file that is gone, an
// address of any other kind than the web's. The status line says so.
bool CommandLineItems::Playable(const std::string& item) {
    if (IsPlayableAddress(item, AddressOrigin::User)) return true;
    parts_.showNotice(RefusalTextOf(item, AddressOrigin::User));
    return false;
}

void CommandLineItems::PlayItem(const std::string& item) {
    Player& player = parts_.player;
    player.SetPlayUrl(item);
    player.Play();
    parts_.statusTick.SetEnabled(true);
    const std::string name = FileNameOfPath(item);
    parts_.session.BeginLocalFile(item, name, 0);
    parts_.setTitleLine(TitleLineOf(parts_.session.item));
    parts_.lists.AddLocalFileRecord({name, item, 0});
}

}  // namespace ruvo
