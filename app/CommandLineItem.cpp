#include "app/CommandLineItem.h"

#include <algorithm>

#include "base/PathText.h"
#include "config/PlayableAddress.h"
#include "playback/Playback.h"

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
    Play(text);
}

void CommandLineItems::Play(const std::string& text) {
    const std::string item = ItemOf(text);
    parts_.playback.Start({LocalFilePlay{item, FileNameOfPath(item)}});
}

std::string CommandLineItems::ItemOf(const std::string& text) {
    std::string item = text;
    item.erase(std::remove(item.begin(), item.end(), '"'), item.end());
    if (!item.empty() && item.back() == '/') item.pop_back();
    return LocalPathOf(item);
}

}  // namespace ruvo
