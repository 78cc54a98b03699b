#pragma once
// The demo portal's programme: invented titles with their play sources and
// episodes, and the media file each episode plays.
#include <optional>
#include <string>
#include <vector>

namespace demo {

// An episode make-series-episode.sh makes: a cold open, the series' opening,
// the episode's own spoken content and the series' closing credits, one after
// another, in whole seconds. A film has no opening and no credits.
struct EpisodeParts {
    int coldOpen = 0;
    int opening = 0;
    int content = 0;
    int credits = 0;
    int seed = 0;  // picks the spoken lines and the quiet music under them

    // Where the shared parts are, in seconds from the start: exact, as made.
    int OpeningStart() const { return coldOpen; }
    int OpeningEnd() const { return coldOpen + opening; }
    int CreditsStart() const { return OpeningEnd() + content; }
    int Seconds() const { return CreditsStart() + credits; }
};

struct Episode {
    std::string label;  // "第1集"
    std::string media;  // file name under the media folder
    int seconds = 0;    // length of the generated clip
    std::optional<EpisodeParts> parts = std::nullopt;  // only on episodes made of parts
};

struct Source {
    std::string kind;  // "qvod": the program's own player; anything else: the portal's page player
    std::string name;  // shown on the title page
    std::vector<Episode> episodes;
};

struct Title {
    int id = 0;
    std::string name;
    std::string genre;
    std::string summary;
    std::vector<Source> sources;
};

struct Channel {
    std::string name;   // television channel name
    std::string query;  // appended to "tv/eebotv.htm?"
    std::string media;
};

const std::vector<Title>& Titles();
const std::vector<Channel>& Channels();
const Title* FindTitle(int id);
const Channel* FindChannel(const std::string& query);

// One clip to generate: file name, seconds, caption drawn on it, tone in Hz.
struct MediaClip {
    std::string file;
    int seconds = 0;
    std::string caption;
    int toneHz = 0;
};
std::vector<MediaClip> MediaClips();  // every episode's but those made of parts, and the channels'

// One episode made of parts: file name, parts, the series name on its title
// card and the caption on its own parts.
struct SeriesClip {
    std::string file;
    EpisodeParts parts;
    std::string series;
    std::string caption;
};
std::vector<SeriesClip> SeriesClips();

}  // namespace demo
