#pragma once
// Playing what the command line names: at a first start with an argument and
// when a second start hands its command line over to the running instance.
#include <functional>
#include <string>

#include "history/HistoryLists.h"
#include "platform/MainWindowHost.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "playback/PlaySession.h"

namespace ruvo {

class CommandLineItems {
public:
    // The window it brings to the front (and out of compact mode), the
    // player and what plays, the list that keeps the item, the timers it
    // starts, and calls to stop what plays and to set the title line.
    struct Parts {
        MainWindowHost& host;
        const bool& compact;
        Player& player;
        PlaySession& session;
        HistoryLists& lists;
        Timer& statusTick;
        Timer& playerStartCheck;
        std::function<void()> leaveCompactMode;
        std::function<void()> stop;
        std::function<void(const std::string&)> setTitleLine;
        // Holds a text in the status line for two seconds (an address refused).
        std::function<void(const std::string&)> showNotice;
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
    // removed, one trailing "/" dropped and a "file://" address made a path;
    // what is neither a web address nor an existing file is refused.
    void Play(const std::string& text);

private:
    static std::string ItemOf(const std::string& text);  // unquoted, one "/" less, a path for "file://"
    bool Playable(const std::string& item);             // says why when it is not
    void PlayItem(const std::string& item);             // a playable item: plays and lists it
    Parts parts_;
};

}  // namespace ruvo
