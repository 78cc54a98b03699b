// ruvo-demo-portal: serves the demo portal on loopback until SIGINT/SIGTERM.
//   --port N            port to listen on (0 or absent: a free one)
//   --media DIR         folder of the generated sample media
//   --rate BYTES        media throughput cap in bytes a second
//   --fault TARGET=F    a fault for paths ending with TARGET (slow:MS, one, zero, malformed, 500, drop)
//   --wen TEXT          the update file's text
//   --log FILE          append every request line to FILE
//   --list-media        print the clips to generate ("file|seconds|caption|tone") and exit
//   --list-series-media print the episodes made of parts to generate
//                       ("file|cold open|opening|content|credits|seed|series|caption") and exit
// The "/control" requests answer only with key=$RUVO_DEMO_CONTROL_KEY (an
// environment variable: other users can read a command line), and not at
// all without it.
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "demo/Catalog.h"
#include "demo/PortalServer.h"

namespace {

int ListMedia() {
    for (const auto& clip : demo::MediaClips())
        std::printf("%s|%d|%s|%d\n", clip.file.c_str(), clip.seconds, clip.caption.c_str(), clip.toneHz);
    return 0;
}

int ListSeriesMedia() {
    for (const auto& clip : demo::SeriesClips()) {
        const demo::EpisodeParts& p = clip.parts;
        std::printf("%s|%d|%d|%d|%d|%d|%s|%s\n", clip.file.c_str(), p.coldOpen, p.opening, p.content, p.credits, p.seed,
                    clip.series.c_str(), clip.caption.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    int port = 0;
    std::string media = "media";
    std::vector<std::pair<std::string, std::string>> settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--list-media") return ListMedia();
        if (arg == "--list-series-media") return ListSeriesMedia();
        if (!hasValue) {
            std::fprintf(stderr, "unknown or incomplete option: %s\n", arg.c_str());
            return 2;
        }
        const std::string value = argv[++i];
        if (arg == "--port") port = std::atoi(value.c_str());
        else if (arg == "--media") media = value;
        else settings.emplace_back(arg, value);
    }

    demo::PortalServer server(media);
    if (const char* key = std::getenv("RUVO_DEMO_CONTROL_KEY")) server.SetControlKey(key);
    for (const auto& [option, value] : settings) {
        if (option == "--rate") {
            server.FaultSwitches().SetRate(std::atol(value.c_str()));
        } else if (option == "--wen") {
            server.FaultSwitches().SetUpdateText(value);
        } else if (option == "--log") {
            server.SetLogFile(value);
        } else if (option == "--fault") {
            const size_t equals = value.find('=');
            const auto fault = demo::ParseFault(equals == std::string::npos ? "" : value.substr(equals + 1));
            if (!fault) {
                std::fprintf(stderr, "bad fault: %s\n", value.c_str());
                return 2;
            }
            server.FaultSwitches().Set(value.substr(0, equals), *fault);
        } else {
            std::fprintf(stderr, "unknown option: %s\n", option.c_str());
            return 2;
        }
    }

    // Signals are taken by one thread that stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const int bound = server.Bind(port);
    if (bound < 0) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("http://127.0.0.1:%d/box/\n", bound);
    std::fflush(stdout);

    std::thread stopper([&server, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        server.Stop();
    });
    stopper.detach();
    server.Run();
    return 0;
}
