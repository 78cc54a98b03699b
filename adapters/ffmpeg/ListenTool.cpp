// ruvo-listen ADDRESS: hears one episode at an http or https address as the
// program does, and prints what was heard as one line of JSON ("null" when
// nothing could be), for developers and benchmarks to look at real sound.
#include <charconv>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <iostream>
#include <mutex>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

#include "adapters/ffmpeg/FfmpegListening.h"

namespace {

std::string Number(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string StretchJson(const ruvo::HeardStretch& stretch) {
    std::string json = "{\"startSeconds\":" + Number(stretch.startSeconds) + ",\"seconds\":" + Number(stretch.seconds) +
                       ",\"printStep\":" + Number(stretch.printStep) + ",\"bandStep\":" + Number(stretch.bandStep) +
                       ",\"prints\":[";
    for (size_t i = 0; i < stretch.prints.size(); ++i) json += (i ? "," : "") + std::to_string(stretch.prints[i]);
    json += "],\"bands\":[";
    for (size_t i = 0; i < stretch.bands.size(); ++i) {
        json += i ? ",[" : "[";
        for (size_t band = 0; band < stretch.bands[i].size(); ++band)
            json += (band ? "," : "") + std::to_string(stretch.bands[i][band]);
        json += "]";
    }
    return json + "]}";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ruvo-listen http://host/episode.mp4\n");
        return 2;
    }
    av_log_set_level(AV_LOG_ERROR);
    // The program's thread is this one: it runs what the worker posts.
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<std::function<void()>> calls;
    ruvo::FfmpegListening listening([&](std::function<void()> call) {
        std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
        posted.notify_one();
    });
    std::optional<ruvo::HeardEpisode> heard;
    bool answered = false;
    listening.Listen(argv[1], [&](std::optional<ruvo::HeardEpisode> result) {
        heard = std::move(result);
        answered = true;
    });
    while (!answered) {
        std::unique_lock lock(mutex);
        posted.wait(lock, [&] { return !calls.empty(); });
        const std::function<void()> call = std::move(calls.front());
        calls.pop_front();
        lock.unlock();
        call();
    }
    if (!heard) {
        std::cout << "null\n";
        return 1;
    }
    std::cout << "{\"duration\":" << Number(heard->duration) << ",\"head\":" << StretchJson(heard->head)
              << ",\"tail\":" << StretchJson(heard->tail) << "}\n";
    return 0;
}
