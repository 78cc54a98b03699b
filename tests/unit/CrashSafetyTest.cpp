// Killing the program (SIGKILL) in the middle of its writes leaves every file
// whole: the old content or the new, never half of one, never none.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <random>
#include <regex>
#include <thread>

#include "config/FileSystem.h"
#include "config/TextFile.h"
#include "fakes/TempFolder.h"

namespace ruvo {
namespace {

constexpr int kKills = 1000;

// The settings file as a write leaves it: one key, numbered.
bool WholeSettings(const std::string& text) {
    static const std::regex whole("\\[S_q\\]\r\nn=[0-9]+\r\n");
    return std::regex_match(text, whole);
}

// The watch history as an add leaves it: each line a complete record, the
// numbers going down from the newest (each run of the writer goes on from
// the last one's).
bool WholeHistory(const std::vector<std::string>& lines) {
    // Start-up's empty line may stay below the records for a while.
    if (lines.empty() || lines.size() > 102) return false;
    int expected = -1;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        std::smatch match;
        static const std::regex record("([0-9]+)\\|标题\\1\\|第1集\\|qvod\\|http%3A//h/\\1\\|0\\|0\\|\\1");
        if (!std::regex_match(line, match, record)) return false;
        const int id = std::stoi(match[1].str());
        if (expected >= 0 && id > expected) return false;
        expected = id - 1;
    }
    return true;
}

// Starts the writer on the folder; the caller kills it.
pid_t StartWriter(const test::TempFolder& folder) {
    char* argv[] = {const_cast<char*>(RUVO_CRASH_WRITER), const_cast<char*>(folder.Path().c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, RUVO_CRASH_WRITER, nullptr, nullptr, argv, nullptr) != 0) return -1;
    return pid;
}

void KillWriter(pid_t pid) {
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

TEST(CrashSafety, KilledWritersLeaveWholeFiles) {
    test::TempFolder folder;
    // A first run writes both files (however slowly the machine starts it),
    // so from then on every kill must leave them there and whole.
    const pid_t first = StartWriter(folder);
    ASSERT_GT(first, 0);
    for (int wait = 0; wait < 1000 && !(PathExists(folder.File("config.dll")) && PathExists(folder.File("date.dat")));
         ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    KillWriter(first);

    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, 4000);  // microseconds after the writer started
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t pid = StartWriter(folder);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        KillWriter(pid);
        // What may be left of a temporary file does not count; the files do.
        const auto settings = ReadWholeFile(folder.File("config.dll"));
        ASSERT_TRUE(settings) << "settings file gone after kill " << kill;
        ASSERT_TRUE(WholeSettings(*settings)) << "after kill " << kill << ":\n" << *settings;
        const auto lines = ReadTextFileLines(folder.File("date.dat"));
        ASSERT_TRUE(lines && WholeHistory(*lines))
            << "after kill " << kill << ":\n" << ReadWholeFile(folder.File("date.dat")).value_or("(missing)");
    }
}

}  // namespace
}  // namespace ruvo
