#include "adapters/ffmpeg/SoundDecoder.h"

#include <cmath>
#include <limits>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include "adapters/ffmpeg/ListeningGuard.h"

namespace ruvo {
namespace {

// FFmpeg 5.1's names of what an http or https address needs: "http" runs
// over "tcp", "https" over "tls" over "tcp", and "crypto" decrypts an
// encrypted HLS segment fetched under this same list. Whatever the stream
// opens on its way (a redirect, a playlist's entries) is held to it: no
// "file", "data", "pipe", "subfile", "concat", "udp", "rtmp", "gopher".
constexpr const char* kProtocols = "http,https,tcp,tls,crypto";
// Broken packets are skipped, but a stream of nothing else is given up.
constexpr int kFailuresInARow = 64;

}  // namespace

SoundDecoder::SoundDecoder(ListeningGuard& guard) : guard_(guard) {}

SoundDecoder::~SoundDecoder() {
    swr_free(&resampler_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    av_packet_free(&packet_);
    av_frame_free(&frame_);
}

bool SoundDecoder::Open(const std::string& address) {
    format_ = avformat_alloc_context();
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (!format_ || !packet_ || !frame_) return false;
    format_->interrupt_callback = {&SoundDecoder::Interrupted, this};
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", kProtocols, 0);
    av_dict_set_int(&options, "rw_timeout", guard_.Limits().networkTimeout.count() * 1000, 0);
    const int opened = avformat_open_input(&format_, address.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0 || avformat_find_stream_info(format_, nullptr) < 0) return false;
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (stream_ < 0) return false;
    for (unsigned i = 0; i < format_->nb_streams; ++i)
        if (static_cast<int>(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;
    // Times as the player shows them, from the stream's start.
    if (format_->start_time != AV_NOPTS_VALUE) originSeconds_ = static_cast<double>(format_->start_time) / AV_TIME_BASE;
    return OpenDecoder();
}

bool SoundDecoder::OpenDecoder() {
    const AVStream* stream = format_->streams[stream_];
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!decoder) return false;
    codec_ = avcodec_alloc_context3(decoder);
    if (!codec_ || avcodec_parameters_to_context(codec_, stream->codecpar) < 0) return false;
    codec_->thread_count = 1;  // on the listening thread, at its low priority
    codec_->pkt_timebase = stream->time_base;
    return avcodec_open2(codec_, decoder, nullptr) >= 0;
}

double SoundDecoder::Duration() const {
    if (!format_ || format_->duration == AV_NOPTS_VALUE || format_->duration <= 0) return 0;
    return static_cast<double>(format_->duration) / AV_TIME_BASE;
}

bool SoundDecoder::CanSeek() const { return format_ && format_->pb && (format_->pb->seekable & AVIO_SEEKABLE_NORMAL); }

std::int64_t SoundDecoder::BytesRead() const { return format_ && format_->pb ? format_->pb->bytes_read : 0; }

int SoundDecoder::Interrupted(void* self) {
    auto* decoder = static_cast<SoundDecoder*>(self);
    return decoder->guard_.ShouldStop(decoder->BytesRead()) ? 1 : 0;
}

bool SoundDecoder::SeekTo(double seconds) {
    const AVStream* stream = format_->streams[stream_];
    const auto target = static_cast<std::int64_t>(std::llround((seconds + originSeconds_) / av_q2d(stream->time_base)));
    if (avformat_seek_file(format_, stream_, std::numeric_limits<std::int64_t>::min(), target, target, 0) < 0)
        return false;
    avcodec_flush_buffers(codec_);
    swr_free(&resampler_);
    timeKnown_ = false;
    sought_ = true;
    draining_ = false;
    failures_ = 0;
    return true;
}

bool SoundDecoder::Next(std::vector<std::int16_t>& samples, double& seconds) {
    while (!guard_.ShouldStop(BytesRead()) && failures_ <= kFailuresInARow) {
        const int received = avcodec_receive_frame(codec_, frame_);
        if (received == 0) {
            failures_ = 0;
            const bool resampled = Resample(*frame_, samples, seconds);
            av_frame_unref(frame_);
            if (!resampled) return false;
            if (!samples.empty()) return true;
        } else if (received == AVERROR_EOF) {
            return FlushResampler(samples, seconds);
        } else if (received != AVERROR(EAGAIN)) {
            ++failures_;
        } else if (!Feed()) {
            return false;
        }
    }
    return false;
}

// Hands the decoder the stream's next packet of sound, or the end.
bool SoundDecoder::Feed() {
    if (draining_) return false;
    const int read = av_read_frame(format_, packet_);
    if (read < 0) {
        // A network error mid-way ends the stream as its end does; a stop
        // by the guard ends the listening.
        if (guard_.Reason() != ListeningGuard::Stop::None) return false;
        draining_ = true;
        return avcodec_send_packet(codec_, nullptr) >= 0;
    }
    if (packet_->stream_index == stream_ && avcodec_send_packet(codec_, packet_) < 0) ++failures_;
    av_packet_unref(packet_);
    return true;
}

double SoundDecoder::FrameSeconds(const AVFrame& frame) const {
    const std::int64_t stamp = frame.best_effort_timestamp != AV_NOPTS_VALUE ? frame.best_effort_timestamp : frame.pts;
    if (stamp == AV_NOPTS_VALUE) return sought_ ? std::nan("") : 0.0;
    return static_cast<double>(stamp) * av_q2d(format_->streams[stream_]->time_base) - originSeconds_;
}

// libswresample keeps its output in step with its input: output sample n
// stands for the input's moment n / 11025 s after the first input sample
// (its filter's delay is made up by padding in front), so the first
// frame's time dates every sample after it.
bool SoundDecoder::Resample(const AVFrame& frame, std::vector<std::int16_t>& samples, double& seconds) {
    if (!MatchResampler(frame)) return false;
    if (!timeKnown_) {
        firstSeconds_ = FrameSeconds(frame);
        samplesOut_ = 0;
        timeKnown_ = true;
    }
    const int room = swr_get_out_samples(resampler_, frame.nb_samples);
    if (room < 0) return false;
    samples.resize(static_cast<size_t>(room) + 1);
    auto* out = reinterpret_cast<std::uint8_t*>(samples.data());
    const int made = swr_convert(resampler_, &out, room, const_cast<const std::uint8_t**>(frame.extended_data),
                                 frame.nb_samples);
    if (made < 0) return false;
    samples.resize(static_cast<size_t>(made));
    seconds = firstSeconds_ + static_cast<double>(samplesOut_) / kSampleRate;
    samplesOut_ += made;
    return true;
}

bool SoundDecoder::FlushResampler(std::vector<std::int16_t>& samples, double& seconds) {
    if (!resampler_) return false;
    const int room = swr_get_out_samples(resampler_, 0);
    samples.resize(static_cast<size_t>(std::max(room, 0)) + 1);
    auto* out = reinterpret_cast<std::uint8_t*>(samples.data());
    const int made = room > 0 ? swr_convert(resampler_, &out, room, nullptr, 0) : 0;
    swr_free(&resampler_);
    if (made <= 0) return false;
    samples.resize(static_cast<size_t>(made));
    seconds = firstSeconds_ + static_cast<double>(samplesOut_) / kSampleRate;
    samplesOut_ += made;
    return true;
}

bool SoundDecoder::MatchResampler(const AVFrame& frame) {
    const AVChannelLayout& layout = frame.ch_layout;
    const std::uint64_t mask = layout.order == AV_CHANNEL_ORDER_NATIVE ? layout.u.mask : 0;
    if (resampler_ && frame.sample_rate == inRate_ && frame.format == inFormat_ && layout.nb_channels == inChannels_ &&
        layout.order == inOrder_ && mask == inMask_)
        return true;
    swr_free(&resampler_);
    if (frame.sample_rate <= 0 || layout.nb_channels <= 0) return false;
    // A layout that names no channels is taken as the usual one of its count.
    AVChannelLayout input{};
    if (layout.order == AV_CHANNEL_ORDER_UNSPEC) av_channel_layout_default(&input, layout.nb_channels);
    else if (av_channel_layout_copy(&input, &layout) < 0) return false;
    AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    const int made = swr_alloc_set_opts2(&resampler_, &mono, AV_SAMPLE_FMT_S16, kSampleRate, &input,
                                         static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&input);
    if (made < 0 || swr_init(resampler_) < 0) {
        swr_free(&resampler_);
        return false;
    }
    inRate_ = frame.sample_rate;
    inFormat_ = frame.format;
    inChannels_ = layout.nb_channels;
    inOrder_ = layout.order;
    inMask_ = mask;
    return true;
}

}  // namespace ruvo
