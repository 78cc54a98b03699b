#pragma once
// What is asked to play, typed where the request enters the program (a
// link, a list row, a hand-off, a button): nothing inside the program
// passes a play on as a link text.
#include <string>
#include <variant>

namespace ruvo {

// A portal title's episode, as the episode request names it.
struct PortalEpisode {
    std::string titleId;
    std::string source;  // the title's source list ("v")
    std::string number;  // the episode's number in that source ("v1"), from 0
    std::string name;    // the title's name, plain text

    bool operator==(const PortalEpisode&) const = default;
};

// A portal episode with its play data: clicked in a portal page, looked up
// for a link, the previous or next one.
struct EpisodePlay {
    PortalEpisode episode;
    std::string label;           // "第1集", plain text
    std::string escapedAddress;  // as the portal's links carry it and the watch history keeps it
    std::string kind;            // "qvod": the player; any other: the portal's page player

    bool InPlayer() const { return kind == "qvod"; }
};

// A row of the watch history played again: the episode where it stopped.
struct HistoryPlay {
    EpisodePlay play;
};

// A file of this computer, or a web address, the user opened, dropped or
// handed over, or a row of the local files played again.
struct LocalFilePlay {
    std::string path;  // a path or a web address
    std::string name;  // as the list and the title line show it
    bool listed = false;  // replayed from its row: the row is kept as it is
};

// A portal television channel, shown by the page player.
struct TelevisionPlay {
    std::string name;
    std::string channel;  // the query of the portal's television page
};

struct PlayRequest {
    std::variant<EpisodePlay, HistoryPlay, LocalFilePlay, TelevisionPlay> what;
    int resumeSeconds = 0;  // where it starts; 0 from the start
};

}  // namespace ruvo
