#pragma once
// The one owner of what plays. Every start (a portal episode clicked, looked
// up, the previous or next one, a row of either list played again, a file
// or address opened, dropped or handed over, a television channel), every
// stop with its place stored, the end of an item and the play-on into the
// next episode happen here, in one order: the item left is stopped and its
// place stored first, then a list is read, then the new item starts.
//
// It keeps what plays privately and publishes what the player area shows
// (`PlayerArea`) whenever that changes; the bar, the status line, the title
// line, the screen saver and the media remote follow the published value.
// The status monitor, the bar and the next-episode finder tell it what they
// learn and ask it to act; none of them changes what plays.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/UserOptions.h"
#include "history/HistoryLists.h"
#include "platform/Player.h"
#include "platform/Timer.h"
#include "platform/WebPane.h"
#include "playback/EpisodeLookup.h"
#include "playback/PlayRequest.h"
#include "playback/PlaySession.h"
#include "playback/PlayerArea.h"

namespace ruvo {

// The status line's text while the portal is asked for an episode.
inline constexpr const char* kSearchingText = "正在搜索资源，请稍后";

class Playback {
public:
    struct Parts {
        EpisodeLookup& lookup;
        std::string portalBase;
        WebPane& pagePlayer;
        Player& player;
        HistoryLists& lists;
        const UserOptions& options;
        Timer& statusTick;
        Timer& endOfPlay;
        // A balloon at the tray icon, when the user wants balloons.
        std::function<void(const std::string&)> showTrayTip;
        // Selects the right panel's title-page tab.
        std::function<void()> showTitlePages;
        // A line of the diagnostic trace (a reply dropped).
        std::function<void(const std::string&)> trace;
    };
    explicit Playback(Parts parts);
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Hears the area after every change, with the area before it.
    using AreaListener = std::function<void(const PlayerArea& now, const PlayerArea& before)>;
    void Subscribe(AreaListener listener) { listeners_.push_back(std::move(listener)); }
    const PlayerArea& Area() const { return area_; }
    // What plays, for reading.
    const PlaySession& Session() const { return session_; }

    // ---- Starts ----
    // Stops what plays (its place stored) and plays this instead; what plays
    // goes on when the request names nothing the player may open (the status
    // line says so, and it returns false).
    bool Start(const PlayRequest& request);
    // A row of a list played again: what plays is stopped and its place
    // stored first, then the row is read (it may be the row just stored),
    // then it starts. `readRow` gives nothing when the row plays nothing.
    bool StartFromList(const std::function<std::optional<PlayRequest>()>& readRow);
    // An episode link: the portal is asked for its play data, then it plays.
    void LookUpAndPlay(const PortalEpisode& episode);
    // The previous (-1) or next (+1) episode of the portal title that plays
    // or played last. Presses add up: two quick presses of next move two.
    void StepEpisode(int step);
    // The page player's close button.
    void CloseWebPlayer();

    // ---- The bar ----
    // Pauses or plays what the centre shows: the player's item, or the page
    // player's video. Nothing plays where the person cannot see it.
    void TogglePause();
    // The stop button: stores the place of the list item and stops.
    void Stop();
    void SetMuted(bool muted);

    // ---- What the player and the status tick report ----
    // The item shows its picture: the cover goes, the bar offers to pause,
    // and an item first shown is listed.
    void PictureShown();
    // A playing tick at `position`: the first one seeks to the resume point.
    void PlayingAt(int position);
    // The player holds its picture (paused by the user or by a key).
    void PausedShown();
    // The player shows nothing that plays (stopped, idle): the bar offers to play.
    void NothingPlays();
    // Where the play is, of how long, with how much of it at hand, as the
    // bar shows it; the place a stop stores follows it.
    void NotePosition(int position, int duration, int downloadedPerMille);
    // The user sought to `position`: played again after a pause or a stop,
    // it goes on from there.
    void SoughtTo(int position) { session_.resumeAt = position; }
    // The place a stop stores (not after the end, which stores 1).
    void NotePlace(int position) {
        if (!ended_) session_.lastPosition = position;
    }
    // The item could not be played: said where the user looks; it is not
    // listed and plays on nowhere.
    void Failed(const std::string& text);
    // Shows or hides the cover over the player (nothing to show meanwhile).
    void ShowCover(bool shown);
    // Shows or hides the player's advert panel over a paused picture.
    void ShowAdvert(bool shown);
    // The status line's text for the current item, from the player's state;
    // while an episode is looked up the line says so instead. A notice (a
    // change the user just made) shows whatever else is under way.
    void ShowStatus(const std::string& text, bool notice = false);
    // Stores where the playing list item is, and plays on.
    void StorePlace();
    // Offers to skip the opening or the credits while they play.
    void OfferSkip(SkipOffer offer);
    // The end of play comes at `seconds` (the credits), or at the end.
    void PlayOnAt(std::optional<double> seconds) { session_.playOnAt = seconds; }

    // ---- The end and what follows ----
    // The end-of-play moment: the item resumes at 1 from now on; true when
    // the next episode is about to follow (the notice shows meanwhile).
    void EndItem();
    bool HasEnded() const { return ended_; }
    // The ended item plays or was sought away from its end.
    void LeftTheEnd() { ended_ = false; }
    // Plays the next episode when the user wants it and it is known; false
    // when nothing follows.
    bool PlayOn();
    // What follows the item that plays, as the next-episode look-up and the
    // download ahead learnt it (they tell it here; it belongs to the item).
    void LearnNext(NextEpisode next) { session_.next = std::move(next); }
    // A number that changes with every item that starts.
    int ItemNumber() const { return itemNumber_; }

private:
    // The place a row keeps for the item left now.
    int PlaceToKeep() const;
    bool StartEpisode(const EpisodePlay& play, int resumeSeconds, bool fromHistory);
    bool StartLocalFile(const LocalFilePlay& play, int resumeSeconds);
    bool StartTelevision(const TelevisionPlay& play);
    // A request that names nothing playable: said; an item that did not
    // play anyway gives way to the message.
    bool Refuse(const std::string& text);
    // Stops the player's item, storing its place, before another starts.
    void StopForNewItem();
    void StopPlayer(bool storePlace);
    // What plays from now on, set whole.
    void BeginItem(PlayItem item, ItemList list, std::string listKey, bool inPagePlayer, int resumeSeconds);
    void PlayInPlayer(const std::string& address, int resumeSeconds);
    void PlayInPagePlayer(const std::string& pageAddress);
    // Lists the item that plays, once: on its first picture for the player's
    // items, at once for the page player's.
    void ListItem();
    // Asks the portal for the episode and plays its reply, unless a newer
    // request came meanwhile; a reply without play data goes to the call.
    void LookUpThenPlay(const PortalEpisode& episode, std::function<void(const EpisodeReply&)> withoutPlayData);
    void Publish();

    Parts parts_;
    PlaySession session_;
    PlayerArea area_;
    PlayerArea published_;
    std::vector<AreaListener> listeners_;
    int latestRequest_ = 0;  // a reply to an older look-up is dropped
    int itemNumber_ = 0;
    // Whether the item's line is in its list: a new item is listed once it
    // shows its picture, one that failed never.
    enum class Listing { Listed, WhenShown, Never };
    Listing listing_ = Listing::Listed;
    bool lookingUp_ = false;  // an episode look-up of the user's is under way
    bool ended_ = false;     // the end of play ran for the item
    // The episode the bar's presses aim at while its look-up is under way.
    std::optional<PortalEpisode> stepTarget_;
};

}  // namespace ruvo
