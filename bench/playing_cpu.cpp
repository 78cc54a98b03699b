// CPU of the whole program (with its web-engine processes) while it plays a
// 1080p sample, against libmpv alone (vo=gpu, presenting its own window)
// playing the same address in its own process, in a window the size of the
// program's player area, so both scale the picture to the same output size.
// Target: at most 1.05 x. Chromium's own page player (Qt WebEngine, as the
// portal's page player) on the same address at the same size is the second
// reference; the goal is at or below it.
// All play at the same time and are measured over the same windows, so a
// load elsewhere on a shared machine weighs on all alike; the figures are the
// medians of the windows' ratios.
#include <mpv/client.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "e2e/ProgramUnderTest.h"

namespace {

using namespace std::chrono_literals;
constexpr auto kWarmUp = 2s;
constexpr auto kWindow = 4s;
constexpr int kWindows = 5;

// Child mode: play the address with libmpv in a window of `size` ("WxH")
// until killed; say "started" at the first frame.
int MpvAlone(const char* url, const char* size) {
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* mpv = mpv_create();
    for (const auto& [name, value] : {std::pair{"config", "no"}, {"vo", "gpu"}, {"gpu-sw", "yes"},
                                      {"audio-fallback-to-null", "yes"}, {"ytdl", "no"}, {"terminal", "no"},
                                      {"keep-open", "yes"}, {"force-window", "yes"}, {"geometry", size},
                                      {"autofit-larger", "100%x100%"}})
        mpv_set_option_string(mpv, name, value);
    mpv_initialize(mpv);
    const char* command[] = {"loadfile", url, nullptr};
    mpv_command(mpv, command);
    for (;;) {
        const mpv_event* event = mpv_wait_event(mpv, 60);
        if (event->event_id == MPV_EVENT_PLAYBACK_RESTART) {
            std::printf("started\n");
            std::fflush(stdout);
        }
        if (event->event_id == MPV_EVENT_SHUTDOWN) break;
    }
    mpv_terminate_destroy(mpv);
    return 0;
}

// Cores each process tree kept busy in each window: one row a window, one
// column a tree.
std::vector<std::vector<double>> MeasureSideBySide(const std::vector<pid_t>& trees) {
    std::this_thread::sleep_for(kWarmUp);
    std::vector<std::vector<double>> windows;
    const double seconds = std::chrono::duration<double>(kWindow).count();
    for (int i = 0; i < kWindows; ++i) {
        std::vector<double> before;
        for (const pid_t tree : trees) before.push_back(ruvo::bench::TreeCpuSeconds(tree));
        std::this_thread::sleep_for(kWindow);
        std::vector<double> busy;
        for (size_t t = 0; t < trees.size(); ++t)
            busy.push_back((ruvo::bench::TreeCpuSeconds(trees[t]) - before[t]) / seconds);
        windows.push_back(busy);
    }
    return windows;
}

// A reference player in a child process of its own, started with `argv`;
// waits for its "started" line. -1 when it does not start.
pid_t StartReference(std::vector<std::string> argv) {
    int out[2];
    if (pipe(out) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        // As for the program under test: the web engine refuses root otherwise.
        if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
        std::vector<char*> words;
        for (std::string& word : argv) words.push_back(word.data());
        words.push_back(nullptr);
        execv(words[0], words.data());
        _exit(127);
    }
    close(out[1]);
    char line[64] = {};
    FILE* stream = fdopen(out[0], "r");
    const bool started = stream && fgets(line, sizeof line, stream) != nullptr;
    // The pipe stays open while the child plays: a later line of it must
    // not end it with SIGPIPE. It goes with this process.
    if (started) return child;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

void Stop(pid_t child) {
    if (child <= 0) return;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// The median over the windows of column `a` over column `b`.
double MedianRatio(const std::vector<std::vector<double>>& windows, size_t a, size_t b) {
    std::vector<double> ratios;
    for (const auto& window : windows)
        if (window[b] > 0) ratios.push_back(window[a] / window[b]);
    return ratios.empty() ? 0 : ruvo::bench::Median(ratios);
}

double MedianOf(const std::vector<std::vector<double>>& windows, size_t column) {
    std::vector<double> values;
    for (const auto& window : windows) values.push_back(window[column]);
    return ruvo::bench::Median(values);
}

bool MakeSample(const std::string& folder) {
    std::filesystem::create_directories(folder);
    const std::string command = "ffmpeg -nostdin -loglevel error -y -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=40 "
                                "-f lavfi -i sine=frequency=440:duration=40 -c:v libx264 -preset ultrafast -crf 23 -g 15 "
                                "-pix_fmt yuv420p -c:a aac -movflags +faststart " + folder + "/t23-s0-e1.mp4";
    return std::system(command.c_str()) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "--mpv-alone") == 0) return MpvAlone(argv[2], argv[3]);
    const std::string media = std::filesystem::temp_directory_path() / "ruvo-bench-1080p";
    if (!MakeSample(media)) return 1;
    ruvo::test::ProgramUnderTest program(media);
    const std::string url = program.PortalBase().substr(0, program.PortalBase().size() - 5) + "/media/t23-s0-e1.mp4";
    program.Start();
    auto home = program.WaitForHomePage();
    if (!home) return 1;
    program.Pages().ClickLink(*home, "a[href^='eebovod://23-0-0-']");
    program.WaitFor([&] { return !ruvo::bench::PlayerEvents(program.Home().File("trace.log"), "started").empty(); }, 30s);
    const auto area = program.TracedPlace("video");
    if (!area) return 1;
    const std::string size = std::to_string((*area)[2]) + "x" + std::to_string((*area)[3]);

    // libmpv alone and Chromium's page player, each in a process of its
    // own, playing beside the program.
    const pid_t alone = StartReference({"/proc/self/exe", "--mpv-alone", url, size});
    const pid_t page = StartReference({RUVO_PAGE_PLAYER, url, size});
    const auto windows = alone > 0 && page > 0 ? MeasureSideBySide({program.Pid(), alone, page})
                                               : std::vector<std::vector<double>>{};
    Stop(alone);
    Stop(page);
    if (windows.empty()) return 1;

    const double ratio = MedianRatio(windows, 0, 1), pageRatio = MedianRatio(windows, 0, 2);
    std::printf("| CPU while playing 1080p at %s, side by side (cores busy, median of %d windows) | %.2f | mpv alone %.2f | %.2f x | <= 1.05 x: %s |\n",
                size.c_str(), kWindows, MedianOf(windows, 0), MedianOf(windows, 1), ratio,
                ratio > 0 && ratio <= 1.05 ? "met" : "missed");
    std::printf("| the same against Chromium's page player at %s | %.2f | page player %.2f | %.2f x | <= 1.0 x (goal): %s |\n",
                size.c_str(), MedianOf(windows, 0), MedianOf(windows, 2), pageRatio,
                pageRatio > 0 && pageRatio <= 1.0 ? "met" : "missed");
    std::filesystem::remove_all(media);
    return 0;
}
