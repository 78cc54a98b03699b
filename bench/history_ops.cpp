// The list operations on a full watch history (101 records), each with its
// page rendered where the rows change: add (a title played again), store a
// position, remove a line. Against rewriting the same file once without
// any list logic (read it, replace it atomically). Target: under 2 ms each.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "fakes/TempFolder.h"
#include "history/HistoryLists.h"
#include "history/HistoryRecords.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 300;

ruvo::HistoryRecord Record(int id) {
    return {id, "星河漫游记第" + std::to_string(id) + "部", "第" + std::to_string(id % 40 + 1) + "集", "qvod",
            "http%3A//127.0.0.1%3A8790/media/t" + std::to_string(id) + "-s0-e1.mp4", 0, id % 40, id * 7};
}

// Median time of `operation`; `prepare` runs before each, untimed.
double Milliseconds(const std::function<void(int)>& operation, const std::function<void(int)>& prepare = {}) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        if (prepare) prepare(i);
        const auto start = Clock::now();
        operation(i);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return ruvo::bench::Median(times);
}

}  // namespace

int main() {
    using namespace ruvo;
    test::TempFolder folder;
    HistoryLists lists(folder.Path());
    int pages = 0;
    lists.SetPageWritten([&pages](std::string_view, const std::string&) { ++pages; });
    for (int id = 1; id <= 101; ++id) lists.AddHistoryRecord(Record(id));
    const std::string path = folder.File(kWatchListFile);

    const double rewrite = Milliseconds([&](int) {
        const auto bytes = ReadWholeFile(path);
        ReplaceFileAtomically(path, bytes.value_or(""));
    });
    const double add = Milliseconds([&](int i) { lists.AddHistoryRecord(Record(50 + i % 50)); });
    const double store = Milliseconds([&](int i) { lists.SaveHistoryPosition(50 + i % 50, i); });
    const double remove = Milliseconds([&](int) { lists.RemoveListLine(kWatchListFile, 101); },
                                       [&](int i) { lists.AddHistoryRecord(Record(1000 + i)); });  // 101 again
    const auto lines = ReadTextFileLines(path).value_or(std::vector<std::string>{});
    auto row = [&](const char* what, double ms) {
        std::printf("| history %s, 101 records | %.3f ms | %.3f ms (one plain rewrite) | %.2fx | < 2 ms |\n", what, ms,
                    rewrite, rewrite > 0 ? ms / rewrite : 0.0);
    };
    row("add with page", add);
    row("store position", store);
    row("remove with page", remove);
    std::fprintf(stderr, "%zu lines, %d pages written\n", lines.size(), pages);
    return 0;
}
