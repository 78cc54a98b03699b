#pragma once
// Hearing episodes over loopback for the skip accuracy benchmark, with
// what it costs: the demo portal serves the media from a process of its
// own, so that the benchmark's CPU time is the listening's alone, and the
// reference, FFmpeg's command line decoding the same stretches of sound,
// is measured as a child's CPU time.
#include <sys/types.h>

#include <optional>
#include <string>

#include "adapters/ffmpeg/FfmpegListening.h"

namespace ruvo::bench {

// The demo portal serving `folder` at /media/NAME (with ranges) from a
// forked process: start it before any thread.
class PortalProcess {
public:
    explicit PortalProcess(const std::string& folder);
    ~PortalProcess();
    PortalProcess(const PortalProcess&) = delete;
    PortalProcess& operator=(const PortalProcess&) = delete;

    bool Serving() const { return port_ > 0; }
    std::string Address(const std::string& name) const;

private:
    pid_t pid_ = -1;
    int port_ = -1;
};

double ProcessCpuSeconds();
double ThreadCpuSeconds();

struct Hearing {
    std::optional<HeardEpisode> heard;
    double cpuSeconds = 0;  // the whole process's, while it was heard
};
Hearing Hear(FfmpegListening& listening, const std::string& address);

// CPU seconds the ffmpeg command line takes to decode the sound of the
// stretches an episode of `duration` seconds is heard in, head and tail
// (negative when it failed); and what the same two commands take to start,
// open the address and find their place, decoding 50 ms: the command
// line's start-up alone (its libraries) weighs as much as a short
// episode's decoding.
struct Decoding {
    double cpuSeconds = -1;
    double startCpuSeconds = 0;
};
Decoding DecodingCpu(const std::string& address, double duration);

}  // namespace ruvo::bench
