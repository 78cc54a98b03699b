// Start-up, process start to the home page shown in Web1, against the
// smallest Qt WebEngine program showing the same portal page in one view
// (bench_minimal_webengine). Ten rounds, each starting the reference, the
// program on a daily start, the same with a 1 MB settings file, and a first
// run, in an order that turns with each round so no kind always goes first.
// Prints the table's rows.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "StartupRuns.h"

namespace {

constexpr int kRounds = 10;
constexpr size_t kLargeSettingsBytes = 1000000;

enum class Kind { Reference, Daily, LargeSettings, FirstRun };

// An earlier run's settings file grown to 1 MB by a section of notes a user
// or another tool left before the program's own sections (so every key is
// looked up past it), in GBK as the rest of the file.
void GrowSettings(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string own((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string text = "[notes]\r\n";
    for (int line = 0; text.size() + own.size() < kLargeSettingsBytes; ++line) {
        char key[32];
        std::snprintf(key, sizeof key, "note%06d=", line);
        text += key;
        for (int i = 0; i < 40; ++i) text += "\xBA\xA3";  // 海
        text += "\r\n";
    }
    text.resize(kLargeSettingsBytes - own.size(), ' ');
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text << own;
}

double ProgramStart(Kind kind) {
    ruvo::test::ProgramUnderTest program;
    if (kind != Kind::FirstRun) {
        program.StartAsUser();
        ruvo::bench::HomePageShownAt(program);
        program.Stop();
        std::remove(program.Home().File("trace.log").c_str());
        if (kind == Kind::LargeSettings) GrowSettings(program.ProgramFile("config.dll"));
    }
    const long long start = ruvo::bench::MonotonicMs();
    program.StartAsUser();
    const long long shown = ruvo::bench::HomePageShownAt(program);
    return shown < 0 ? -1 : static_cast<double>(shown - start);
}

double ReferenceStart() {
    ruvo::test::ProgramUnderTest portalOnly;  // the same portal, started just for it
    auto run = ruvo::bench::StartReference(portalOnly.PortalBase(), portalOnly.Home().File("shown.txt"));
    ruvo::bench::EndReference(run);
    return run.startMs;
}

}  // namespace

int main() {
    std::vector<double> reference, daily, large, firstRun;
    int dailyWithin = 0, firstWithin = 0, rounds = 0;
    const Kind kinds[] = {Kind::Reference, Kind::Daily, Kind::LargeSettings, Kind::FirstRun};
    for (int round = 0; round < kRounds; ++round) {
        double times[4] = {-1, -1, -1, -1};
        for (int i = 0; i < 4; ++i) {
            const Kind kind = kinds[(i + round) % 4];
            times[static_cast<int>(kind)] = kind == Kind::Reference ? ReferenceStart() : ProgramStart(kind);
        }
        if (std::any_of(std::begin(times), std::end(times), [](double t) { return t < 0; })) continue;
        ++rounds;
        reference.push_back(times[0]);
        daily.push_back(times[1]);
        large.push_back(times[2]);
        firstRun.push_back(times[3]);
        dailyWithin += times[1] <= 1.2 * times[0];
        firstWithin += times[3] <= 1.4 * times[0];
        if (std::getenv("RUVO_BENCH_DETAIL"))
            std::fprintf(stderr, "round %d: reference %.0f daily %.0f large %.0f first %.0f\n", round, times[0], times[1],
                         times[2], times[3]);
    }
    using ruvo::bench::Median;
    const double ref = Median(reference), day = Median(daily), big = Median(large), first = Median(firstRun);
    std::printf("| start-up to the home page shown, daily start (median of %d interleaved rounds) | %.0f ms | minimal "
                "WebEngine program, one view: %.0f ms | %.2f x; within 1.2 x in %d of %d rounds | <= 1.2 x in 8 of 10: %s |\n",
                rounds, day, ref, ref > 0 ? day / ref : 0, dailyWithin, rounds, dailyWithin >= 8 ? "met" : "missed");
    std::printf("| the same, first run (settings and lists written) | %.0f ms | the same | %.2f x; within 1.4 x in %d of %d "
                "rounds | <= 1.4 x: %s |\n",
                first, ref > 0 ? first / ref : 0, firstWithin, rounds, ref > 0 && first <= 1.4 * ref ? "met" : "missed");
    std::printf("| the same, daily start with a 1 MB config.dll | %.0f ms | daily start, usual config.dll: %.0f ms | %.2f x | "
                "<= 1.05 x: %s |\n",
                big, day, day > 0 ? big / day : 0, day > 0 && big <= 1.05 * day ? "met" : "missed");
    return 0;
}
