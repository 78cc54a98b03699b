#pragma once
// The demo portal's programme: invented titles with their play sources and
// episodes, and the media file each episode plays.
#include <optional>
#include <string>
#include <vector>

namespace demo {

struct Episode {
    std::string label;  // "第1集"
    std::string media;  // file name under the media folder
    int seconds = 0;    // length of the generated clip
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
std::vector<MediaClip> MediaClips();

}  // namespace demo
