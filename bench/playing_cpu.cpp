// CPU of the whole program (with its web-engine processes) while it plays a
// 1080p sample, against libmpv alone (vo=gpu, presenting its own window)
// playing the same address in its own process, in a window the size of the
// program's player area, so both scale the picture to the same output size.
// Target: at most 1.15 x.
// Both play at the same time and are measured over the same windows, so a
// load elsewhere on a shared machine weighs on both alike; the figure is the
// median of the windows' ratios.
#include <mpv/client.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
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

struct Cores {
    double program = 0;
    double alone = 0;
};

// Cores each tree kept busy in each window.
std::vector<Cores> MeasureSideBySide(pid_t program, pid_t alone) {
    std::this_thread::sleep_for(kWarmUp);
    std::vector<Cores> windows;
    for (int i = 0; i < kWindows; ++i) {
        const Cores before{ruvo::bench::TreeCpuSeconds(program), ruvo::bench::TreeCpuSeconds(alone)};
        std::this_thread::sleep_for(kWindow);
        const double seconds = std::chrono::duration<double>(kWindow).count();
        windows.push_back({(ruvo::bench::TreeCpuSeconds(program) - before.program) / seconds,
                           (ruvo::bench::TreeCpuSeconds(alone) - before.alone) / seconds});
    }
    return windows;
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

    // libmpv alone, in a child process of its own, playing beside the program.
    int out[2];
    if (pipe(out) != 0) return 1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        execl("/proc/self/exe", argv[0], "--mpv-alone", url.c_str(), size.c_str(), nullptr);
        _exit(127);
    }
    close(out[1]);
    char line[64] = {};
    FILE* stream = fdopen(out[0], "r");
    const bool started = fgets(line, sizeof line, stream) != nullptr;
    const std::vector<Cores> windows = started ? MeasureSideBySide(program.Pid(), child) : std::vector<Cores>{};
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    fclose(stream);
    if (windows.empty()) return 1;

    std::vector<double> whole, alone, ratios;
    for (const Cores& window : windows) {
        whole.push_back(window.program);
        alone.push_back(window.alone);
        if (window.alone > 0) ratios.push_back(window.program / window.alone);
    }
    const double ratio = ratios.empty() ? 0 : ruvo::bench::Median(ratios);
    std::printf("| CPU while playing 1080p at %s, side by side (cores busy, median of %d windows) | %.2f | mpv alone %.2f | %.2f x | <= 1.15 x: %s |\n",
                size.c_str(), kWindows, ruvo::bench::Median(whole), ruvo::bench::Median(alone), ratio,
                ratio > 0 && ratio <= 1.15 ? "met" : "missed");
    std::filesystem::remove_all(media);
    return 0;
}
