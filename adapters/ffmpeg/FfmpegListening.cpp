#include "adapters/ffmpeg/FfmpegListening.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>

#include "adapters/ffmpeg/EpisodeHearing.h"
#include "config/PlayableAddress.h"

namespace ruvo {
namespace {

// On Linux a nice value set by thread id holds for that thread only: the
// listening yields the cores to the window and the player, and the
// decoders FFmpeg might start from it inherit the same.
void LowerThisThreadsPriority() { setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19); }

}  // namespace

FfmpegListening::FfmpegListening(Post post, ListeningLimits limits)
    : post_(std::move(post)), limits_(limits), worker_([this] { Work(); }) {}

FfmpegListening::~FfmpegListening() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
        for (auto& [number, weak] : tickets_)
            if (const auto ticket = weak.lock()) ticket->settled = true;
    }
    wake_.notify_all();
    worker_.join();
}

int FfmpegListening::Listen(const std::string& address, std::function<void(std::optional<HeardEpisode>)> done) {
    Job job{0, address, std::move(done), std::make_shared<Ticket>()};
    {
        std::lock_guard lock(mutex_);
        std::erase_if(tickets_, [](const auto& entry) { return entry.second.expired(); });
        job.number = ++lastTicket_;
        tickets_[job.number] = job.ticket;
        // Another protocol is refused at once, without waiting its turn.
        if (IsWebAddress(address)) {
            queue_.push_back(job);
            wake_.notify_one();
            return job.number;
        }
    }
    const int number = job.number;
    Deliver(std::move(job), std::nullopt);
    return number;
}

int FfmpegListening::Aside(std::function<void()> work, std::function<void()> done) {
    Job job{0, {}, [done = std::move(done)](std::optional<HeardEpisode>) { done(); }, std::make_shared<Ticket>(),
            std::move(work)};
    std::lock_guard lock(mutex_);
    job.number = ++lastTicket_;
    tickets_[job.number] = job.ticket;
    queue_.push_back(job);
    wake_.notify_one();
    return job.number;
}

void FfmpegListening::Cancel(int ticket) {
    std::lock_guard lock(mutex_);
    const auto found = tickets_.find(ticket);
    if (found == tickets_.end()) return;
    if (const auto settled = found->second.lock()) settled->settled = true;  // also stops the one under way
    tickets_.erase(found);
    std::erase_if(queue_, [ticket](const Job& job) { return job.number == ticket; });
}

void FfmpegListening::Work() {
    LowerThisThreadsPriority();
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        if (job.work) {
            job.work();
            if (!job.ticket->settled) Deliver(std::move(job), std::nullopt);
            continue;
        }
        ListeningGuard guard(job.ticket->settled, limits_);
        std::optional<HeardEpisode> heard = HearEpisode(job.address, guard);
        if (!job.ticket->settled) Deliver(std::move(job), std::move(heard));
    }
}

// The answer runs on the program's thread, and only when no Cancel came
// first: Cancel and the posted call both run there.
void FfmpegListening::Deliver(Job job, std::optional<HeardEpisode> heard) {
    post_([ticket = std::move(job.ticket), done = std::move(job.done), heard = std::move(heard)]() mutable {
        if (!ticket->settled.exchange(true)) done(std::move(heard));
    });
}

}  // namespace ruvo
