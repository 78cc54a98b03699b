#pragma once
// The media the skip accuracy benchmark listens to: episodes made of parts
// by demo/make-series-episode.sh (with their exact edges), and sounds that
// share nothing with them (noise, silence, a steady tone, re-encodings).
// Each file's name says how it was made, so a cache folder is reused as it
// is and a changed recipe makes a new file.
#include <optional>
#include <string>
#include <vector>

#include "demo/Catalog.h"

namespace ruvo::bench {

// An episode of parts: the demo series' melodies, or those of another
// series (the same script with other notes and another tempo: the script
// gives every series the same tune, whatever its name).
struct EpisodeRecipe {
    demo::EpisodeParts parts;
    std::string bitrate = "64k";
    bool otherSeries = false;
};

struct MediaFile {
    std::string name;                         // file name in the media folder
    std::optional<demo::EpisodeParts> parts;  // the truth, for episodes of parts
    std::string what;                         // a few words for the tables
    // How to make it, run in the media folder, writing the file its last
    // argument names.
    std::vector<std::string> command;
    std::string madeFrom;  // another file of the folder it is made from
};

MediaFile Episode(const EpisodeRecipe& recipe);
// The demo catalog's episode of parts, linked from the demo media folder
// when it is there, made as the demo makes it otherwise.
MediaFile CatalogEpisode(int titleId, int episode);
// A film of the demo's kind: spoken lines over quiet music, no opening, no credits.
MediaFile Film(int seconds, int seed);
// Sound without a tune, the length of an episode: "pink" or "white" noise,
// "silence", or a steady 440 Hz "tone".
MediaFile Sound(const std::string& kind, int seconds, int seed = 1);
// `source` again, its sound re-encoded at `bitrate`, the picture copied.
MediaFile ReEncoded(const MediaFile& source, const std::string& bitrate);

// Makes the files missing from `folder`, `parallel` at a time (those made
// from another file after the rest); returns the names it could not make.
std::vector<std::string> MakeMissing(const std::string& folder, const std::vector<MediaFile>& files, int parallel);

}  // namespace ruvo::bench
