#pragma once
// Every start of a play goes through here: a portal episode (clicked, looked
// up, the previous or next one), a row of either list played again, a file or
// address the user opened, dropped or handed over, a television channel. It
// sets what plays in the play session, writes the list's line once, picks the
// surface (the player or the portal's page player) and starts it. Episode
// look-ups for a link or the bar never wait: a newer request supersedes an
// older one, whose late reply is dropped.
#include <functional>
#include <string>

#include "config/SettingsFile.h"
#include "history/HistoryLists.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "platform/WebPane.h"
#include "view/WindowView.h"
#include "playback/EpisodeLookup.h"
#include "playback/PlayRequest.h"
#include "playback/PlaySession.h"

namespace ruvo {

class IdleInhibition;

// The status line's text while the portal is asked for an episode.
inline constexpr const char* kSearchingText = "正在搜索资源，请稍后";

class PlayService {
public:
    // The portal it asks and shows pages of, the player, the page player and
    // the window's controls, what plays and the lists that keep it, and calls
    // into the parts around it.
    struct Parts {
        EpisodeLookup& lookup;
        std::string portalBase;
        WebPane& pagePlayer;
        Player& player;
        PlaySession& session;
        WindowView& controls;
        HistoryLists& lists;
        Timer& statusTick;
        IdleInhibition& inhibition;
        std::function<void(const std::string&)> showTrayTip;
        std::function<void(const std::string&)> setTitleLine;
        // Stops what plays; its place is stored when `keepPlace`.
        std::function<void(bool keepPlace)> stopCurrentItem;
        std::function<void()> showTitlePages;
        // Holds a text in the status line for two seconds (an address refused).
        std::function<void(const std::string&)> showNotice;
        // What the status line says is awaited ("" once nothing is).
        std::function<void(const std::string&)> showWaiting;
        // A line of the diagnostic trace (a reply dropped).
        std::function<void(const std::string&)> trace;
    };
    explicit PlayService(Parts parts) : parts_(std::move(parts)) {}

    // Stops what plays and plays this instead; what plays goes on when the
    // request names nothing the player may open (the status line says so,
    // and it returns false).
    bool Start(const PlayRequest& request);
    // An episode link: the portal is asked for its play data, then it plays.
    void LookUpAndPlay(const PortalEpisode& episode);
    // The bar's previous (-1) or next (+1) episode of the portal title that
    // plays or played last.
    void PlayAdjacentEpisode(int step);
    // The page player's close button "ggx".
    void CloseWebPlayer();

private:
    bool StartEpisode(const EpisodePlay& play, int resumeSeconds, bool fromHistory);
    bool StartLocalFile(const LocalFilePlay& play, int resumeSeconds);
    bool StartTelevision(const TelevisionPlay& play);
    // Ends the item that plays in the player before another starts; its
    // place is not stored when the new item's line replaces its line.
    void StopForNewItem(const std::string& newHistoryKey);
    // What plays from now on, set whole.
    void BeginItem(PlayItem item, ItemList list, std::string listKey, bool inPagePlayer, int resumeSeconds);
    // The player plays the address; the page player, when it showed, goes.
    void PlayInPlayer(const std::string& address, int resumeSeconds, bool fromPagePlayer);
    void PlayInPagePlayer(const std::string& pageAddress);
    void ShowPlayerSurface(bool fromPagePlayer);
    // Asks the portal for the episode and plays its reply, unless a newer
    // request came meanwhile; a reply without play data goes to the call.
    void LookUpThenPlay(const PortalEpisode& episode, std::function<void(const EpisodeReply&)> withoutPlayData);

    Parts parts_;
    int latestRequest_ = 0;  // a reply to an older look-up is dropped
};

}  // namespace ruvo
