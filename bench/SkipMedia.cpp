#include "SkipMedia.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>
#include <utility>

namespace ruvo::bench {
namespace {

namespace fs = std::filesystem;

constexpr const char* kOtherSeriesScript = "other-series-episode.sh";
constexpr const char* kOtherSeriesName = "雾港之外";

// The other series' tune: the demo's generator with other keys, hashes
// and tempi, so that no note sequence of one turns up in the other.
const std::vector<std::pair<std::string, std::string>>& OtherTune() {
    static const std::vector<std::pair<std::string, std::string>> changes{
        {"notes 0 0.375 \"$(pentatonic 0 392 1 7)\"", "notes 0 0.3 \"$(pentatonic 0 330 41 7)\""},
        {"notes 4 1.5 \"$(pentatonic 4 98 5 4)\"", "notes 4 1.2 \"$(pentatonic 4 82 53 4)\""},
        {"notes 0 0.8 \"$(pentatonic 0 196 3 6)\"", "notes 0 0.7 \"$(pentatonic 0 247 67 6)\""},
        {"sin(PI*ld(1)/0.8)", "sin(PI*ld(1)/0.7)"},
    };
    return changes;
}

// Writes the other series' script into `folder`; false when the demo
// script no longer reads as expected (its tune has moved).
bool WriteOtherSeriesScript(const std::string& folder) {
    std::ifstream in(RUVO_MAKE_SERIES_EPISODE);
    std::stringstream text;
    text << in.rdbuf();
    std::string script = text.str();
    for (const auto& [from, to] : OtherTune()) {
        const auto at = script.find(from);
        if (at == std::string::npos) {
            std::fprintf(stderr, "the demo script's tune has changed: no other series (%s)\n", from.c_str());
            return false;
        }
        script.replace(at, from.size(), to);
    }
    std::ofstream(folder + "/" + kOtherSeriesScript) << script;
    return true;
}

std::string Stem(const std::string& name) { return name.substr(0, name.rfind('.')); }

std::vector<std::string> SeriesCommand(const demo::EpisodeParts& p, const std::string& bitrate, const std::string& script,
                                       const std::string& series, const std::string& out) {
    return {"bash",      script,
            "--cold",    std::to_string(p.coldOpen),
            "--opening", std::to_string(p.opening),
            "--content", std::to_string(p.content),
            "--credits", std::to_string(p.credits),
            "--seed",    std::to_string(p.seed),
            "--bitrate", bitrate,
            "--series",  series,
            out};
}

// An mp4 of `seconds` of the lavfi sound `audio` over a still dark picture.
std::vector<std::string> SoundCommand(const std::string& audio, int seconds, const std::string& out) {
    const std::string length = std::to_string(seconds);
    return {"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i", audio, "-f", "lavfi", "-i",
            "color=c=0x202020:s=320x180:r=10:d=" + length, "-t", length, "-map", "1:v", "-map", "0:a", "-c:v",
            "libx264", "-preset", "ultrafast", "-crf", "30", "-g", "5", "-pix_fmt", "yuv420p", "-c:a", "aac",
            "-b:a", "64k", "-movflags", "+faststart", "-f", "mp4", out};
}

// Starts `command` in `folder`, its output to the benchmark's error output.
pid_t Start(const std::string& folder, const std::vector<std::string>& command) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (chdir(folder.c_str()) != 0) _exit(127);
    std::vector<char*> argv;
    for (const auto& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    dup2(STDERR_FILENO, STDOUT_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
}

// Makes `files`, `parallel` at a time, each into a partial file renamed
// when complete: a run cut short leaves no half file in the cache.
void MakeAll(const std::string& folder, const std::vector<const MediaFile*>& files, int parallel,
             std::vector<std::string>& failed) {
    std::vector<std::pair<pid_t, const MediaFile*>> running;
    auto reap = [&](bool block) {
        for (auto it = running.begin(); it != running.end();) {
            int status = 0;
            if (waitpid(it->first, &status, block && it == running.begin() ? 0 : WNOHANG) == 0) {
                ++it;
                continue;
            }
            const MediaFile& file = *it->second;
            const std::string partial = folder + "/" + file.command.back();
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && fs::exists(partial))
                fs::rename(partial, folder + "/" + file.name);
            else
                failed.push_back(file.name);
            it = running.erase(it);
            block = false;
        }
    };
    for (const MediaFile* file : files) {
        while (static_cast<int>(running.size()) >= parallel) {
            reap(false);
            if (static_cast<int>(running.size()) >= parallel) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::fprintf(stderr, "making %s\n", file->name.c_str());
        running.emplace_back(Start(folder, file->command), file);
    }
    while (!running.empty()) reap(true);
}

}  // namespace

MediaFile Episode(const EpisodeRecipe& recipe) {
    const demo::EpisodeParts& p = recipe.parts;
    MediaFile file;
    file.name = "ep-c" + std::to_string(p.coldOpen) + "-o" + std::to_string(p.opening) + "-n" + std::to_string(p.content) +
                "-r" + std::to_string(p.credits) + "-s" + std::to_string(p.seed) + "-" + recipe.bitrate +
                (recipe.otherSeries ? "-other" : "") + ".mp4";
    file.parts = p;
    file.what = (recipe.otherSeries ? "other series c" : "c") + std::to_string(p.coldOpen) + " o" +
                std::to_string(p.opening) + " r" + std::to_string(p.credits) + " " + recipe.bitrate;
    const std::string script = recipe.otherSeries ? kOtherSeriesScript : RUVO_MAKE_SERIES_EPISODE;
    const std::string series = recipe.otherSeries ? kOtherSeriesName : "雾港灯塔";
    file.command = SeriesCommand(p, recipe.bitrate, script, series, ".partial-" + file.name);
    return file;
}

MediaFile CatalogEpisode(int titleId, int episode) {
    const demo::Title* title = demo::FindTitle(titleId);
    const demo::Episode& e = title->sources.at(0).episodes.at(static_cast<size_t>(episode - 1));
    MediaFile file{e.media, e.parts, "demo t" + std::to_string(titleId) + " e" + std::to_string(episode), {}, {}};
    const std::string made = std::string(RUVO_DEMO_MEDIA) + "/" + e.media;
    if (fs::exists(made))
        file.command = {"cp", made, ".partial-" + e.media};
    else
        file.command = SeriesCommand(*e.parts, "64k", RUVO_MAKE_SERIES_EPISODE, title->name, ".partial-" + e.media);
    return file;
}

MediaFile Film(int seconds, int seed) {
    EpisodeRecipe recipe{{0, 0, seconds, 0, seed}};
    MediaFile file = Episode(recipe);
    file.what = "film " + std::to_string(seconds) + " s";
    return file;
}

MediaFile Sound(const std::string& kind, int seconds, int seed) {
    const std::string length = std::to_string(seconds);
    std::string audio;
    if (kind == "silence") audio = "anullsrc=r=44100:cl=mono";
    else if (kind == "tone") audio = "sine=frequency=440:sample_rate=44100:duration=" + length;
    else audio = "anoisesrc=color=" + kind + ":seed=" + std::to_string(seed) + ":amplitude=0.2:r=44100:d=" + length;
    MediaFile file;
    file.name = kind + "-" + length + "-s" + std::to_string(seed) + ".mp4";
    file.what = kind + " " + length + " s";
    file.command = SoundCommand(audio, seconds, ".partial-" + file.name);
    return file;
}

MediaFile ReEncoded(const MediaFile& source, const std::string& bitrate) {
    MediaFile file = source;
    file.name = Stem(source.name) + "-at-" + bitrate + ".mp4";
    file.what = source.what + " at " + bitrate;
    file.madeFrom = source.name;
    file.command = {"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", source.name, "-c:v", "copy", "-c:a", "aac",
                    "-b:a", bitrate, "-movflags", "+faststart", "-f", "mp4", ".partial-" + file.name};
    return file;
}

std::vector<std::string> MakeMissing(const std::string& folder, const std::vector<MediaFile>& files, int parallel) {
    fs::create_directories(folder);
    std::vector<const MediaFile*> first, then;
    std::set<std::string> seen;
    bool otherSeries = false;
    for (const MediaFile& file : files) {
        if (fs::exists(folder + "/" + file.name) || !seen.insert(file.name).second) continue;
        (file.madeFrom.empty() ? first : then).push_back(&file);
        otherSeries = otherSeries || file.command.at(1) == kOtherSeriesScript;
    }
    std::vector<std::string> failed;
    if (otherSeries && !WriteOtherSeriesScript(folder)) {
        for (const MediaFile* file : first)
            if (file->command.at(1) == kOtherSeriesScript) failed.push_back(file->name);
        std::erase_if(first, [](const MediaFile* f) { return f->command.at(1) == kOtherSeriesScript; });
    }
    MakeAll(folder, first, parallel, failed);
    MakeAll(folder, then, parallel, failed);
    return failed;
}

}  // namespace ruvo::bench
