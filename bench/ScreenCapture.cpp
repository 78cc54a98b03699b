#include "ScreenCapture.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>


extern char** environ;

namespace ruvo::bench {
namespace {

bool Colourful(const unsigned char* p) {
    const int high = std::max({p[0], p[1], p[2]}), low = std::min({p[0], p[1], p[2]});
    return high - low > 90;
}

}  // namespace

long long MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

double ThumbnailDifference(const ScreenFrame& a, const ScreenFrame& b, int fromRow) {
    if (a.thumbnail.size() != b.thumbnail.size() || a.thumbnail.empty()) return 255;
    double sum = 0;
    const size_t from = static_cast<size_t>(fromRow) * kThumbWidth * 3;
    for (size_t i = from; i < a.thumbnail.size(); ++i) sum += std::abs(a.thumbnail[i] - b.thumbnail[i]);
    return sum / static_cast<double>(a.thumbnail.size() - from);
}

double DetailDifference(const ScreenFrame& a, const ScreenFrame& b) {
    if (a.detail.size() != b.detail.size() || a.detail.empty()) return 255;
    double sum = 0;
    for (size_t i = 0; i < a.detail.size(); ++i) sum += std::abs(a.detail[i] - b.detail[i]);
    return sum / static_cast<double>(a.detail.size());
}

ScreenArea SampleSecondsBox(const ScreenArea& area) {
    int width = area.width, height = area.height;
    if (width * 9 > height * 16) width = height * 16 / 9;
    else height = width * 9 / 16;
    const int left = (area.width - width) / 2, top = (area.height - height) / 2;
    return {left + width * 52 / 320, top + height * 6 / 180, width * 18 / 320, height * 11 / 180};
}

long long ScreenCapture::FirstSecondAfter(long long fromMs, std::optional<ScreenFrame>& firstSecond) const {
    // A picture shows once most of the area is the sample's colours; an
    // episode's first second differs from its first picture by less than
    // kSameSecond in the seconds box, any later second by far more.
    constexpr double kPicture = 0.5, kSameSecond = 12;
    if (!firstSecond) {
        std::lock_guard lock(mutex_);
        for (const ScreenFrame& f : frames_)
            if (f.atMs >= fromMs && f.colourfulShare >= kPicture) {
                firstSecond = f;
                return f.atMs;
            }
        return -1;
    }
    return FirstAfter(fromMs, [&](const ScreenFrame& f) {
        return f.colourfulShare >= kPicture && DetailDifference(f, *firstSecond) < kSameSecond;
    });
}

ScreenCapture::ScreenCapture(ScreenArea area, ScreenArea detail) : area_(area), detail_(detail) {
    const char* display = std::getenv("DISPLAY");
    if (!display || area.width <= 0 || area.height <= 0) return;
    area_.width &= ~1;  // ffmpeg's raw frames of odd sizes are padded
    area_.height &= ~1;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    const std::string size = std::to_string(area_.width) + "x" + std::to_string(area_.height);
    const std::string input = std::string(display) + "+" + std::to_string(area_.left) + "," + std::to_string(area_.top);
    std::vector<std::string> words{"ffmpeg", "-nostdin", "-loglevel", "error", "-f", "x11grab", "-draw_mouse", "0",
                                   "-framerate", "50", "-video_size", size, "-i", input, "-f", "rawvideo",
                                   "-pix_fmt", "rgb24", "-flush_packets", "1", "pipe:1"};
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    if (posix_spawnp(&pid_, "ffmpeg", &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (pid_ <= 0) {
        close(pipeFds[0]);
        return;
    }
    reader_ = std::thread([this, fd = pipeFds[0]] { Read(fd); });
}

ScreenCapture::~ScreenCapture() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    if (reader_.joinable()) reader_.join();
}

void ScreenCapture::Read(int fd) {
    const size_t frameBytes = static_cast<size_t>(area_.width) * area_.height * 3;
    std::vector<unsigned char> frame(frameBytes);
    size_t filled = 0;
    for (;;) {
        const ssize_t got = read(fd, frame.data() + filled, frameBytes - filled);
        if (got <= 0) break;
        filled += static_cast<size_t>(got);
        if (filled < frameBytes) continue;
        ScreenFrame reduced = Reduce(frame, MonotonicMs());
        std::lock_guard lock(mutex_);
        frames_.push_back(std::move(reduced));
        filled = 0;
    }
    close(fd);
}

ScreenFrame ScreenCapture::Reduce(const std::vector<unsigned char>& rgb, long long at) const {
    ScreenFrame frame;
    frame.atMs = at;
    long colourful = 0;
    const long pixels = static_cast<long>(area_.width) * area_.height;
    for (long i = 0; i < pixels; ++i) colourful += Colourful(&rgb[static_cast<size_t>(i) * 3]);
    frame.colourfulShare = static_cast<double>(colourful) / static_cast<double>(pixels);
    for (int y = detail_.top; y < std::min(area_.height, detail_.top + detail_.height); ++y)
        for (int x = detail_.left; x < std::min(area_.width, detail_.left + detail_.width); ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * area_.width + x) * 3];
            frame.detail.push_back(static_cast<unsigned char>((p[0] + p[1] + p[2]) / 3));
        }
    frame.thumbnail.resize(static_cast<size_t>(kThumbWidth) * kThumbHeight * 3);
    for (int ty = 0; ty < kThumbHeight; ++ty)
        for (int tx = 0; tx < kThumbWidth; ++tx) {
            // The mean of the block of pixels the thumbnail's pixel stands for.
            const int x0 = tx * area_.width / kThumbWidth, x1 = (tx + 1) * area_.width / kThumbWidth;
            const int y0 = ty * area_.height / kThumbHeight, y1 = (ty + 1) * area_.height / kThumbHeight;
            long sum[3] = {0, 0, 0}, count = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x, ++count)
                    for (int c = 0; c < 3; ++c) sum[c] += rgb[(static_cast<size_t>(y) * area_.width + x) * 3 + c];
            for (int c = 0; c < 3; ++c)
                frame.thumbnail[(static_cast<size_t>(ty) * kThumbWidth + tx) * 3 + c] =
                    static_cast<unsigned char>(count ? sum[c] / count : 0);
        }
    return frame;
}

std::vector<ScreenFrame> ScreenCapture::Frames() const {
    std::lock_guard lock(mutex_);
    return frames_;
}

long long ScreenCapture::FirstAfter(long long fromMs, const std::function<bool(const ScreenFrame&)>& wanted) const {
    std::lock_guard lock(mutex_);
    for (const ScreenFrame& frame : frames_)
        if (frame.atMs >= fromMs && wanted(frame)) return frame.atMs;
    return -1;
}

bool ScreenCapture::WaitPast(long long ms, int timeoutMs) const {
    const long long until = MonotonicMs() + timeoutMs;
    while (MonotonicMs() < until) {
        {
            std::lock_guard lock(mutex_);
            if (!frames_.empty() && frames_.back().atMs > ms) return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace ruvo::bench
