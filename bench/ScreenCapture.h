#pragma once
// What the screen shows, as a person sees it: ffmpeg grabs an area of the X
// display 50 times a second and each frame is reduced, as it arrives, to
// what the benchmarks compare (its share of colourful pixels and a small
// picture of it), with the monotonic time it arrived at.
#include <sys/types.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace ruvo::bench {

// The monotonic clock in ms, as the program's trace and the frames' times read it.
long long MonotonicMs();

struct ScreenArea {
    int left = 0, top = 0, width = 0, height = 0;
};

struct ScreenFrame {
    long long atMs = 0;            // when it arrived (CLOCK_MONOTONIC)
    double colourfulShare = 0;     // of the sample media's saturated colours
    std::vector<unsigned char> thumbnail;  // kThumbWidth x kThumbHeight, RGB
    std::vector<unsigned char> detail;     // the detail box at full size, grey
};

inline constexpr int kThumbWidth = 48, kThumbHeight = 27;

// Mean difference of two thumbnails' channels (0-255), over the rows from
// `fromRow` down (the sample media's caption is in the top rows).
double ThumbnailDifference(const ScreenFrame& a, const ScreenFrame& b, int fromRow = 0);
// Mean difference of two frames' detail boxes (0-255).
double DetailDifference(const ScreenFrame& a, const ScreenFrame& b);

// Where the sample media's clock shows its seconds within a player area
// (the picture is 16:9, as large as fits, centred; "00:00:00.000" at its
// top left, the seconds at x 52-69, y 6-16 of 320 x 180): a detail box.
ScreenArea SampleSecondsBox(const ScreenArea& area);

class ScreenCapture {
public:
    // `detail`, inside the area (from its corner), is kept whole in each frame.
    explicit ScreenCapture(ScreenArea area, ScreenArea detail = {});
    ~ScreenCapture();
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    bool Running() const { return pid_ > 0; }
    // The frames that arrived so far.
    std::vector<ScreenFrame> Frames() const;
    // The first frame at or after `fromMs` that `wanted` accepts; its time or -1.
    long long FirstAfter(long long fromMs, const std::function<bool(const ScreenFrame&)>& wanted) const;
    // Waits until a frame has arrived after `ms`.
    bool WaitPast(long long ms, int timeoutMs = 5000) const;

    // The first picture of an episode's first second (by the sample's
    // clock) from `fromMs` on; the first one at all when `firstSecond` is
    // empty (the area was dark), which then becomes `firstSecond`.
    long long FirstSecondAfter(long long fromMs, std::optional<ScreenFrame>& firstSecond) const;

private:
    void Read(int fd);
    ScreenFrame Reduce(const std::vector<unsigned char>& rgb, long long at) const;

    ScreenArea area_;
    ScreenArea detail_;
    pid_t pid_ = -1;
    std::thread reader_;
    mutable std::mutex mutex_;
    std::vector<ScreenFrame> frames_;
};

}  // namespace ruvo::bench
