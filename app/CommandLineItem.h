#pragma once
// Playing what the command line names: at a first start with an argument and
// when a second start hands its command line over to the running instance.
#include <functional>
#include <string>

#include "platform/MainWindowHost.h"
#include "platform/Timer.h"

namespace ruvo {

class Playback;

class CommandLineItems {
public:
    // The window it brings to the front (and out of compact mode), what
    // plays the item, and the timer it starts.
    struct Parts {
        MainWindowHost& host;
        const bool& compact;
        Playback& playback;
        Timer& playerStartCheck;
        std::function<void()> leaveCompactMode;
    };
    explicit CommandLineItems(Parts parts) : parts_(std::move(parts)) {}

    // The running instance received a second start's command line: the
    // window comes to the front, and a non-empty text replaces what plays.
    void Receive(const std::string& text);
    // Stops what plays (its place is kept, as at any stop) and plays a path
    // or address instead, listed among the local files: a second start's
    // item, a dropped file, a typed address, the first start's argument.
    // Quotes are removed, one trailing "/" dropped and a "file://" address
    // made a path; what is neither a web address nor an existing file is
    // refused, and what plays goes on.
    void Play(const std::string& text);

private:
    static std::string ItemOf(const std::string& text);  // unquoted, one "/" less, a path for "file://"
    Parts parts_;
};

}  // namespace ruvo
