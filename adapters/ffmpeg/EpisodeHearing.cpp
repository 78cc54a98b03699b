#include "adapters/ffmpeg/EpisodeHearing.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

#include "adapters/ffmpeg/BandMeter.h"
#include "adapters/ffmpeg/ListeningGuard.h"
#include "adapters/ffmpeg/SoundDecoder.h"
#include "adapters/ffmpeg/SoundPrints.h"
#include "config/PlayableAddress.h"

namespace ruvo {
namespace {

// The tail is decoded to the stream's end, and a little past the duration
// it told, should that be short; never on without end.
constexpr double kTailRoom = 30;
constexpr int kRate = SoundDecoder::kSampleRate;

// Decodes up to `seconds` of sound from where the decoder stands, skipping
// what ends before `fromSeconds` (a seek lands at or before its moment).
// The stretch starts at its first sample kept: prints and bands count
// from there.
HeardStretch HearStretch(SoundDecoder& decoder, ListeningGuard& guard, double fromSeconds, double seconds) {
    SoundPrints prints(kRate);
    BandMeter bands(kRate);
    HeardStretch stretch;
    const auto wanted = static_cast<std::size_t>(std::llround(seconds * kRate));
    std::size_t taken = 0;
    std::vector<std::int16_t> samples;
    double at = 0;
    while (taken < wanted && decoder.Next(samples, at)) {
        if (taken == 0) {
            if (std::isnan(at)) return {};  // after a seek, a stream without times cannot place its tail
            if (at + static_cast<double>(samples.size()) / kRate <= fromSeconds) continue;
            stretch.startSeconds = at;
            guard.EndSeek();
        }
        const std::size_t count = std::min(samples.size(), wanted - taken);
        prints.Feed(samples.data(), count);
        bands.Feed(samples.data(), count);
        taken += count;
    }
    stretch.seconds = static_cast<double>(taken) / kRate;
    stretch.prints = prints.Finish();
    stretch.printStep = prints.StepSeconds();
    stretch.bands = bands.Finish();
    stretch.bandStep = bands.StepSeconds();
    return stretch;
}

// FFmpeg knows its protocols by their lower-case names only ("HTTP" is none).
std::string WithLowerCaseScheme(std::string address) {
    for (char& c : address) {
        if (c == ':') break;
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return address;
}

HeardStretch HearTail(SoundDecoder& decoder, ListeningGuard& guard, double duration) {
    const double seconds = TailSecondsOf(duration);
    const double from = duration - seconds;
    guard.BeginSeek(decoder.BytesRead());
    if (!decoder.SeekTo(from)) return {};
    HeardStretch tail = HearStretch(decoder, guard, from, seconds + kTailRoom);
    return tail.Empty() ? HeardStretch{} : tail;
}

}  // namespace

std::optional<HeardEpisode> HearEpisode(const std::string& address, ListeningGuard& guard) {
    if (!IsWebAddress(address)) return std::nullopt;
    SoundDecoder decoder(guard);
    if (!decoder.Open(WithLowerCaseScheme(address))) return std::nullopt;
    HeardEpisode episode;
    episode.duration = decoder.Duration();
    const double headSeconds = HeadSecondsOf(episode.duration);
    episode.head = HearStretch(decoder, guard, -std::numeric_limits<double>::infinity(), headSeconds);
    if (guard.Failed() || episode.head.Empty()) return std::nullopt;
    // Read on from the head, a stream that cannot seek would be fetched
    // whole to reach its end: it has no tail.
    if (episode.duration > 0 && decoder.CanSeek()) episode.tail = HearTail(decoder, guard, episode.duration);
    if (guard.Failed()) return std::nullopt;
    return episode;
}

}  // namespace ruvo
