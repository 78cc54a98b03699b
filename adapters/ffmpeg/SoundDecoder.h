#pragma once
// An episode's sound read from the web through FFmpeg, as 11025 Hz mono
// 16-bit samples (what Chromaprint works on): only the best audio stream is
// demuxed and decoded, every other is discarded. Every wait, read and seek
// asks the guard first, and only http and https are ever opened, also by
// what the stream opens on its way (a redirect, a playlist's segments).
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;
}

namespace ruvo {

class ListeningGuard;

class SoundDecoder {
public:
    static constexpr int kSampleRate = 11025;

    explicit SoundDecoder(ListeningGuard& guard);
    ~SoundDecoder();
    SoundDecoder(const SoundDecoder&) = delete;
    SoundDecoder& operator=(const SoundDecoder&) = delete;

    // False when it cannot be opened or holds no sound it can decode.
    bool Open(const std::string& address);
    double Duration() const;  // seconds; 0 when the stream tells none
    // The stream may be read from anywhere (over http: range requests), so
    // that the tail costs no more than itself.
    bool CanSeek() const;
    // Goes to a moment at or before `seconds` of the episode.
    bool SeekTo(double seconds);
    // The next piece of sound in `samples`, and the episode time of its
    // first sample in `seconds` (NaN when the stream tells none after a
    // seek); false at the end, on an error, or when the guard stops it.
    bool Next(std::vector<std::int16_t>& samples, double& seconds);
    // Read from the address so far (the stream's own connection; what a
    // playlist's segments read is bounded by the guard's time only).
    std::int64_t BytesRead() const;

private:
    static int Interrupted(void* self);
    bool OpenDecoder();
    bool Feed();
    double FrameSeconds(const AVFrame& frame) const;
    bool Resample(const AVFrame& frame, std::vector<std::int16_t>& samples, double& seconds);
    bool FlushResampler(std::vector<std::int16_t>& samples, double& seconds);
    bool MatchResampler(const AVFrame& frame);

    ListeningGuard& guard_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int stream_ = -1;
    double originSeconds_ = 0;  // the stream's time of the episode's start
    // What the resampler was made for; a stream may change it midway.
    int inRate_ = 0, inFormat_ = -1, inChannels_ = 0, inOrder_ = -1;
    std::uint64_t inMask_ = 0;
    // The output's clock: the time of the first sample the resampler took
    // since it started, and how many samples it gave since.
    double firstSeconds_ = 0;
    std::int64_t samplesOut_ = 0;
    bool timeKnown_ = false;
    bool sought_ = false;
    bool draining_ = false;
    int failures_ = 0;  // decoding errors in a row
};

}  // namespace ruvo
