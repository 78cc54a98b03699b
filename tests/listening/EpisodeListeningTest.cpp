// The listening adapter against a local web server, on media made by the
// ffmpeg command line: where the head and the tail fall, that the same sound
// gives the same prints and bands wherever it is, and what it refuses.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <netinet/in.h>

#include <bit>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <limits>
#include <random>

#include "adapters/ffmpeg/FfmpegListening.h"
#include "fakes/TempFolder.h"
#include "listening/MediaServer.h"

namespace ruvo {
namespace {

// ffmpeg's arguments for a tune of 0.2 s notes whose pitches never repeat
// in a pattern, so that it matches itself at one shift only.
std::string Tune(int seconds) {
    return "-f lavfi -i 'aevalsrc=0.4*sin(2*PI*t*(250+400*abs(sin(floor(t*5)*12.9898)))):s=44100:d=" +
           std::to_string(seconds) + "' ";
}

// The program's thread, as the tests play it: what the worker posts waits
// here until the test runs it.
class ProgramThread {
public:
    FfmpegListening::Post Post() {
        return [this](std::function<void()> call) {
            std::lock_guard lock(mutex_);
            calls_.push_back(std::move(call));
            posted_.notify_all();
        };
    }
    // Runs what is posted until `enough` holds; false after a minute without.
    bool RunUntil(const std::function<bool()>& enough) {
        while (!enough()) {
            std::unique_lock lock(mutex_);
            if (!posted_.wait_for(lock, std::chrono::minutes(1), [this] { return !calls_.empty(); })) return false;
            auto call = std::move(calls_.front());
            calls_.pop_front();
            lock.unlock();
            call();
        }
        return true;
    }
    void RunWhatIsPosted() { RunUntil([this] { return std::lock_guard(mutex_), calls_.empty(); }); }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> calls_;
};

class Listening : public testing::Test {
protected:
    // Makes `name` in the media folder with ffmpeg's `arguments`.
    std::string Make(const std::string& name, const std::string& arguments) {
        const std::string command = "ffmpeg -v error -nostdin -y " + arguments + " '" + folder.File(name) + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return server.Address("/media/" + name);
    }
    std::optional<HeardEpisode> Hear(const std::string& address, ListeningLimits limits = {}) {
        FfmpegListening listening(program.Post(), limits);
        std::optional<std::optional<HeardEpisode>> heard;
        listening.Listen(address, [&](std::optional<HeardEpisode> episode) { heard = std::move(episode); });
        EXPECT_TRUE(program.RunUntil([&] { return heard.has_value(); })) << address;
        return heard.value_or(std::nullopt);
    }

    test::TempFolder folder;
    test::MediaServer server{folder.Path()};
    ProgramThread program;
};

// Waits for what another thread does, a minute at most.
bool Eventually(const std::function<bool()>& holds) {
    for (int i = 0; i < 1200 && !holds(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return holds();
}

// The shift s at which a[i] best matches b[i + s].
template <class Item, class Distance>
int BestShift(const std::vector<Item>& a, const std::vector<Item>& b, int around, int reach, Distance distance) {
    double best = std::numeric_limits<double>::max();
    int shift = 0;
    for (int s = around - reach; s <= around + reach; ++s) {
        double sum = 0;
        int count = 0;
        for (int i = std::max(0, -s); i < std::ssize(a) && i + s < std::ssize(b); ++i, ++count)
            sum += distance(a[static_cast<size_t>(i)], b[static_cast<size_t>(i + s)]);
        if (count >= 20 && sum / count < best) best = sum / count, shift = s;
    }
    return shift;
}
double BitErrors(std::uint32_t a, std::uint32_t b) { return std::popcount(a ^ b) / 32.0; }
double LevelGap(const SoundBands& a, const SoundBands& b) {
    double gap = 0;
    for (size_t i = 0; i < a.size(); ++i) gap += std::abs(a[i] - b[i]);
    return gap;
}

TEST_F(Listening, HearsTheHeadFromTheStartAndReachesTheTailByRange) {
    const auto short_ = Hear(Make("short.m4a", Tune(20) + "-c:a aac -b:a 64k"));
    ASSERT_TRUE(short_);
    EXPECT_NEAR(short_->duration, 20, 0.1);
    EXPECT_NEAR(short_->head.startSeconds, 0, 0.03);
    EXPECT_NEAR(short_->head.seconds, 10, 0.05);  // half of a short one
    EXPECT_NEAR(short_->tail.startSeconds, 10, 0.05);  // the first sample decoded, within a frame of the asked
    EXPECT_NEAR(short_->tail.startSeconds + short_->tail.seconds, 20, 0.1);
    for (const HeardStretch* stretch : {&short_->head, &short_->tail}) {
        EXPECT_NEAR(stretch->printStep, 1365.0 / 11025, 1e-9);
        EXPECT_NEAR(stretch->bandStep, 220.0 / 11025, 1e-9);
        EXPECT_NEAR(stretch->prints.size(), (stretch->seconds - 30031.0 / 11025) / stretch->printStep + 1, 1);
        EXPECT_NEAR(stretch->bands.size(), stretch->seconds / stretch->bandStep, 1);
    }

    // Two hours: 10 minutes of head, 5 of tail, and the rest never fetched.
    const auto long_ = Hear(Make("long.wav", "-f lavfi -i sine=f=440:r=8000:d=7200 -c:a pcm_u8"));
    ASSERT_TRUE(long_);
    EXPECT_NEAR(long_->head.seconds, 600, 0.01);
    EXPECT_NEAR(long_->tail.startSeconds, 6900, 0.1);
    EXPECT_NEAR(long_->tail.seconds, 300, 0.1);
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(folder.File("long.wav")));
    bool rangeToTheTail = false;
    for (const std::string& request : server.Requests())
        if (request.starts_with("/media/long.wav bytes="))
            rangeToTheTail |= std::atoll(request.c_str() + 22) > size * 9 / 10;
    EXPECT_TRUE(rangeToTheTail);
    EXPECT_LT(server.BytesSent(), size / 2);
}

TEST_F(Listening, TheSameSoundAfterLongerSilenceGivesTheSamePrintsAndBandsLater) {
    const std::string tune = Tune(38) + "-c:a aac -b:a 96k -af adelay=";
    const auto early = Hear(Make("early.m4a", tune + "1000:all=1"));
    const auto late = Hear(Make("late.m4a", tune + "2500:all=1"));
    ASSERT_TRUE(early && late);
    const double step = early->head.printStep, bandStep = early->head.bandStep;
    EXPECT_NEAR(BestShift(early->head.prints, late->head.prints, 0, 40, BitErrors), 1.5 / step, 1);
    EXPECT_NEAR(BestShift(early->head.bands, late->head.bands, 0, 100, LevelGap), 1.5 / bandStep, 1);
    // The tails start where each says: the tune's moment is the same.
    const double tailShift = early->tail.startSeconds - late->tail.startSeconds + 1.5;
    EXPECT_NEAR(BestShift(early->tail.prints, late->tail.prints, 0, 40, BitErrors), tailShift / step, 1);
    EXPECT_NEAR(BestShift(early->tail.bands, late->tail.bands, 0, 100, LevelGap), tailShift / bandStep, 1);
}

TEST_F(Listening, RefusesEveryOtherProtocolWithoutConnecting) {
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 8), 0);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const std::string hostAndPort = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    const std::string media = Make("sound.wav", Tune(12));
    const std::string local = folder.File("sound.wav");
    Make("segment.aac", Tune(12) + "-f adts");
    folder.Write("local.m3u8", "#EXTM3U\n#EXT-X-TARGETDURATION:12\n#EXTINF:12,\nfile://" + folder.File("segment.aac") +
                                   "\n#EXT-X-ENDLIST\n");
    const std::vector<std::string> refused = {
        "file://" + local, local, "gopher://" + hostAndPort + "/", "rtsp://" + hostAndPort + "/a",
        "tcp://" + hostAndPort, "data:audio/wav;base64,UklGRg==", "async:" + media,
        // On the way: a redirect's target, a playlist's segment.
        server.Address("/moved?to=file://" + local), server.Address("/moved?to=gopher://" + hostAndPort + "/"),
        server.Address("/media/local.m3u8")};
    for (const std::string& address : refused) EXPECT_FALSE(Hear(address)) << address;
    EXPECT_LT(accept(listener, nullptr, nullptr), 0);  // nobody came
    close(listener);
    EXPECT_TRUE(Hear(server.Address("/moved?to=" + media)));  // a redirect on the web is followed
}

TEST_F(Listening, AStreamWithoutEndGivesABoundedHeadAndNoTail) {
    Make("loop.aac", Tune(5) + "-ar 11025 -c:a aac -b:a 32k");
    const auto endless = Hear(server.Address("/endless/loop.aac"));
    ASSERT_TRUE(endless);
    EXPECT_EQ(endless->duration, 0);
    EXPECT_NEAR(endless->head.seconds, 600, 0.01);
    EXPECT_TRUE(endless->tail.Empty());
    EXPECT_FALSE(Hear(server.Address("/endless/loop.aac"), {.bytes = 512 << 10}));  // past the byte cap: too large
}

TEST_F(Listening, GarbageAndSilentVideoGiveNothing) {
    std::string garbage(1 << 20, 0);
    std::mt19937 random(7);
    for (char& byte : garbage) byte = static_cast<char>(random());
    folder.Write("garbage.mp4", garbage);
    folder.Write("empty.mp4", "");
    Make("picture.mp4", "-f lavfi -i testsrc=d=2:s=64x64 -c:v mpeg4");
    for (const std::string name : {"garbage.mp4", "empty.mp4", "picture.mp4", "missing.mp4"})
        EXPECT_FALSE(Hear(server.Address("/media/" + name))) << name;
}

TEST_F(Listening, CancelStopsATrickleSilentlyAndTheNextListeningRuns) {
    Make("slow.wav", Tune(30));
    const std::string quick = Make("quick.wav", Tune(12));
    int trickleAnswers = 0, quickAnswers = 0;
    {
        FfmpegListening listening(program.Post());
        const int trickle = listening.Listen(server.Address("/trickle/slow.wav"), [&](auto) { ++trickleAnswers; });
        listening.Listen(quick, [&](std::optional<HeardEpisode> heard) { quickAnswers += heard ? 1 : 100; });
        ASSERT_TRUE(Eventually([&] { return server.Streaming() > 0; }));
        listening.Cancel(trickle);
        EXPECT_TRUE(program.RunUntil([&] { return quickAnswers > 0; }));
        EXPECT_TRUE(Eventually([&] { return server.Streaming() == 0; }));  // the trickle's connection was dropped
        // Gone while a trickle runs: it stops, and nothing answers later.
        listening.Listen(server.Address("/trickle/slow.wav"), [&](auto) { ++trickleAnswers; });
        ASSERT_TRUE(Eventually([&] { return server.Streaming() > 0; }));
    }
    program.RunWhatIsPosted();
    EXPECT_EQ(trickleAnswers, 0);
    EXPECT_EQ(quickAnswers, 1);
    EXPECT_FALSE(Hear(server.Address("/trickle/slow.wav"), {.wallTime = std::chrono::seconds(1)}));  // too slow
}

}  // namespace
}  // namespace ruvo
