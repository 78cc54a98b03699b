#pragma once
// Turns portal play requests into plays: asks the portal for an episode's
// play data, builds the "eeqvod://" play link and starts it in the player or
// in the page player; finds the previous and next episodes and fetches the
// next one's data ahead of time, retrying after a failure.
#include <functional>
#include <optional>
#include <string>

#include "config/SettingsFile.h"
#include "history/HistoryLists.h"
#include "platform/Player.h"
#include "platform/Processes.h"
#include "platform/Timer.h"
#include "platform/WebPane.h"
#include "platform/WindowControls.h"
#include "playback/PlaySession.h"

namespace ruvo {

class IdleInhibition;

// The portal's reply to an episode request.
struct EpisodeReply {
    enum class Kind { Failed, PortalError, NoEpisode, PlayData, Other };
    Kind kind = Kind::Failed;
    std::string label, address, playerKind;  // for PlayData
};

// "1" = PortalError, "0" = NoEpisode, a text with "$" = PlayData (label "$"
// address "$" kind; further fields ignored), anything else = Other.
EpisodeReply ParseEpisodeReply(const std::optional<std::string>& body);

class EpisodePlayer {
public:
    // The portal it asks (its address, the wait for a reply) and the panes
    // that play, what plays and where it is listed, the timers it starts,
    // and calls into the parts around it.
    struct Parts {
        std::string portalBase;
        std::function<std::optional<std::string>(const std::string& url)> fetchText;
        WebPane& portalPane;
        WebPane& pagePlayer;
        Player& player;
        PlaySession& session;
        std::string& playerFolder;  // the outside player's; "" until read from the settings
        WindowControls& controls;
        HistoryLists& lists;
        SettingsFile& settings;
        Processes& processes;
        Timer& statusTick;
        Timer& nextEpisodeRetry;
        IdleInhibition& inhibition;
        std::function<void(const std::string&)> showTrayTip;
        std::function<void(const std::string&)> setTitleLine;
        std::function<void()> stopCurrentItem;
        std::function<void()> showTitlePages;
        // Holds a text in the status line for two seconds (an address refused).
        std::function<void(const std::string&)> showNotice;
    };
    explicit EpisodePlayer(Parts parts) : parts_(std::move(parts)) {}

    // PortalBase + "h.asp?id=" id "&v=" v "&v1=" v1.
    std::string EpisodeRequestUrl(int id, const std::string& v, const std::string& v1) const;

    // An "eebovod://" link: fetch the episode and open its play link in Web1.
    void ResolveEpisode(int id, const std::string& v, const std::string& v1, const std::string& name);
    // An "eeqvod://" link in Web1: stop what plays, play this, list it.
    void StartPortalPlay(const std::string& url);
    enum class TerminalForm { Portal, History };
    // Starts the outside player's helper program when it is there (it is not
    // on Linux: the start fails quietly and playing goes on without it).
    void StartQvodTerminal(TerminalForm form);
    // 1 = previous episode, anything else = next.
    void PlayAdjacentEpisode(int direction);
    // Fetches the next episode's play data ahead of time.
    void FetchNextEpisode();
    // The retry timer: the failed next-episode fetch is repeated on the second tick.
    void RetryTick();
    // The page player's close button "ggx".
    void CloseWebPlayer();

private:
    // The player plays the address from its start.
    void PlayInPlayer(const std::string& address);
    void PlayInPagePlayer(const std::string& kind, const std::string& address);
    // The play link "eeqvod://" kind "&&&" escaped address "&&&" name ...
    static std::string PlayLink(const std::string& kind, const std::string& address, const std::string& name,
                                const std::string& label, const std::string& id, const std::string& v,
                                const std::string& v1);

    Parts parts_;
};

}  // namespace ruvo
