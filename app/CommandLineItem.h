#pragma once
// Playing what the command line names: at a first start with an argument and
// when a second start hands its command line over to the running instance.
#include <functional>
#include <string>

#include "history/HistoryLists.h"
#include "platform/MainWindowHost.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "platform/WindowControls.h"
#include "playback/PlaySession.h"

namespace ruvo {

class CommandLineItems {
public:
    // The window it brings to the front (and out of compact mode), the
    // player and what plays, the list that keeps the item, the timers it
    // starts, and calls to stop what plays and to set the title line.
    struct Parts {
        MainWindowHost& host;
        WindowControls& controls;
        const bool& compact;
        Player& player;
        PlaySession& session;
        HistoryLists& lists;
        Timer& statusTick;
        Timer& playerStartCheck;
        std::function<void()> leaveCompactMode;
        std::function<void()> stop;
        std::function<void(const std::string&)> setTitleLine;
    };
    explicit CommandLineItems(Parts parts) : parts_(std::move(parts)) {}

    // The running instance received a second start's command line: the
    // window comes to the front, and a non-empty text replaces what plays.
    void Receive(const std::string& text);
    // Stops what plays (its place is kept, as at any stop) and plays a path
    // or address instead: a second start's item, a dropped file, a typed
    // address.
    void PlayInsteadOfCurrent(const std::string& text);
    // Plays a path or address and lists it among the local files. Quotes are
    // removed and one trailing "/" dropped.
    void Play(const std::string& text);

private:
    Parts parts_;
};

}  // namespace ruvo
