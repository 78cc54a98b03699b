#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "demo/Catalog.h"
#include "fakes/TempFolder.h"

namespace {

// The demo portal as the run command uses it: it prints its base address,
// answers, and ends cleanly on SIGTERM.
TEST(DemoPortalProgram, PrintsItsAddressAndStopsOnSigterm) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(RUVO_DEMO_PORTAL_PATH, RUVO_DEMO_PORTAL_PATH, "--port", "0", "--media", "/nonexistent", nullptr);
        _exit(127);
    }
    close(out[1]);
    FILE* stream = fdopen(out[0], "r");
    char line[256] = {};
    ASSERT_NE(fgets(line, sizeof line, stream), nullptr);
    const std::string base = line;
    EXPECT_EQ(base.rfind("http://127.0.0.1:", 0), 0u) << base;
    EXPECT_EQ(base.substr(base.size() - 6), "/box/\n");
    kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    fclose(stream);
}

// A command's whole output.
std::string Output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    char chunk[4096];
    for (size_t got; pipe && (got = fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, got);
    if (pipe) pclose(pipe);
    return text;
}

// What make-media.sh reads: every episode made of parts, as the catalog has it.
TEST(DemoPortalProgram, ListsTheEpisodesMadeOfParts) {
    std::string expected;
    for (const auto& clip : demo::SeriesClips()) {
        const demo::EpisodeParts& p = clip.parts;
        for (const std::string& field : {clip.file, std::to_string(p.coldOpen), std::to_string(p.opening),
                                         std::to_string(p.content), std::to_string(p.credits), std::to_string(p.seed),
                                         clip.series})
            expected += field + "|";
        expected += clip.caption + "\n";
    }
    EXPECT_EQ(Output(std::string(RUVO_DEMO_PORTAL_PATH) + " --list-series-media"), expected);
}

// A file's sound, mono at 44.1 kHz.
std::vector<float> Sound(const std::string& file) {
    const std::string raw = Output("ffmpeg -nostdin -loglevel error -i '" + file + "' -f f32le -ac 1 -ar 44100 -");
    std::vector<float> samples(raw.size() / sizeof(float));
    std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(float));
    return samples;
}

// How alike SECONDS of two sounds are from the given seconds: 1 when the same.
double Likeness(const std::vector<float>& a, double fromA, const std::vector<float>& b, double fromB, double seconds) {
    const size_t i = static_cast<size_t>(fromA * 44100), j = static_cast<size_t>(fromB * 44100);
    double ab = 0, aa = 0, bb = 0;
    for (size_t n = 0; n < static_cast<size_t>(seconds * 44100) && i + n < a.size() && j + n < b.size(); ++n) {
        ab += a[i + n] * b[j + n];
        aa += a[i + n] * a[i + n];
        bb += b[j + n] * b[j + n];
    }
    return ab / std::sqrt(aa * bb + 1e-12);
}

// Two episodes with cold opens of 0 and 3 s: the opening and the credits
// sound the same where the parts say, their own content does not.
TEST(DemoSeriesEpisode, OpeningAndCreditsAreWhereThePartsSay) {
    const std::string script = std::string(RUVO_DEMO_PORTAL_PATH).substr(0, std::string(RUVO_DEMO_PORTAL_PATH).rfind('/')) +
                               "/make-series-episode.sh";
    ruvo::test::TempFolder folder;
    const demo::EpisodeParts first{0, 4, 3, 3, 1}, second{3, 4, 3, 3, 2};
    std::vector<std::vector<float>> sounds;
    for (const demo::EpisodeParts& p : {first, second}) {
        const std::string file = folder.File("e" + std::to_string(p.seed) + ".mp4");
        ASSERT_EQ(std::system(("bash " + script + " --cold " + std::to_string(p.coldOpen) + " --opening 4 --content 3 "
                               "--credits 3 --seed " + std::to_string(p.seed) + " " + file).c_str()), 0);
        const std::string seconds = Output("ffprobe -v error -show_entries format=duration -of csv=p=0 " + file);
        EXPECT_NEAR(std::stod(seconds), p.Seconds(), 0.05) << file;
        sounds.push_back(Sound(file));
    }
    EXPECT_GT(Likeness(sounds[0], first.OpeningStart(), sounds[1], second.OpeningStart(), 4), 0.95);
    EXPECT_LT(Likeness(sounds[0], first.OpeningStart(), sounds[1], second.OpeningStart() + 0.1, 4), 0.7);
    EXPECT_GT(Likeness(sounds[0], first.CreditsStart(), sounds[1], second.CreditsStart(), 3), 0.95);
    EXPECT_LT(Likeness(sounds[0], first.OpeningEnd(), sounds[1], second.OpeningEnd(), 3), 0.5);
}

}  // namespace
