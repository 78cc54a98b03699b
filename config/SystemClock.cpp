#include <chrono>
#include <ctime>
#include <random>

#include "config/Clock.h"

namespace ruvo {
namespace {

class RealClock final : public Clock {
public:
    LocalDateTime LocalNow() override {
        const std::time_t now = std::time(nullptr);
        std::tm parts{};
        localtime_r(&now, &parts);
        return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
    }
    double Random() override { return std::uniform_real_distribution<double>(0.0, 1.0)(generator_); }

private:
    std::mt19937_64 generator_{static_cast<unsigned long long>(
        std::chrono::system_clock::now().time_since_epoch().count())};
};

}  // namespace

Clock& SystemClock() {
    static RealClock clock;
    return clock;
}

}  // namespace ruvo
