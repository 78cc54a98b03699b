#pragma once
// Hears episodes with FFmpeg and Chromaprint on a worker thread of its own,
// at the lowest priority, one at a time in the order asked; each answer is
// handed to the program's thread through `post`. Holds no Qt: the
// composition passes a post that queues onto the window's event loop.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "adapters/ffmpeg/ListeningGuard.h"
#include "platform/EpisodeListening.h"

namespace ruvo {

class FfmpegListening : public EpisodeListening {
public:
    // Runs a call on the program's thread, later; callable from any thread.
    using Post = std::function<void(std::function<void()>)>;

    explicit FfmpegListening(Post post, ListeningLimits limits = {});
    // Stops the listening under way and waits for the worker; no `done`
    // is called afterwards, not even one already posted.
    ~FfmpegListening() override;

    int Listen(const std::string& address, std::function<void(std::optional<HeardEpisode>)> done) override;
    int Aside(std::function<void()> work, std::function<void()> done) override;
    void Cancel(int ticket) override;

private:
    struct Ticket {
        std::atomic<bool> settled{false};  // cancelled, or `done` was called
    };
    struct Job {
        int number = 0;
        std::string address;
        std::function<void(std::optional<HeardEpisode>)> done;
        std::shared_ptr<Ticket> ticket;
        std::function<void()> work;  // set instead of an address: work aside, then `done`
    };

    void Work();
    void Deliver(Job job, std::optional<HeardEpisode> heard);

    Post post_;
    const ListeningLimits limits_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> queue_;
    std::map<int, std::weak_ptr<Ticket>> tickets_;  // those whose `done` may still come
    int lastTicket_ = 0;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace ruvo
