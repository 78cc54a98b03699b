// Killing the program (SIGKILL) in the middle of its writes leaves every file
// whole: the old content or the new, never half of one, never none.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <random>
#include <regex>
#include <thread>

#include "fakes/TempFolder.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

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

TEST(CrashSafety, KilledWritersLeaveWholeFiles) {
    test::TempFolder folder;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delay(0, 4000);  // microseconds after the writer started
    int settingsSeen = 0, historySeen = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        char* argv[] = {const_cast<char*>(RUVO_CRASH_WRITER), const_cast<char*>(folder.Path().c_str()), nullptr};
        pid_t pid = -1;
        ASSERT_EQ(posix_spawn(&pid, RUVO_CRASH_WRITER, nullptr, nullptr, argv, nullptr), 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        // What may be left of a temporary file does not count; the files do.
        if (const auto settings = ReadWholeFile(folder.File("config.dll"))) {
            ASSERT_TRUE(WholeSettings(*settings)) << "after kill " << kill << ":\n" << *settings;
            ++settingsSeen;
        }
        if (PathExists(folder.File("date.dat"))) {
            const auto lines = ReadTextFileLines(folder.File("date.dat"));
            ASSERT_TRUE(lines && WholeHistory(*lines))
                << "after kill " << kill << ":\n" << ReadWholeFile(folder.File("date.dat")).value_or("(unreadable)");
            ++historySeen;
        }
    }
    // Once written, a file never goes missing again.
    EXPECT_GT(settingsSeen, kKills * 9 / 10);
    EXPECT_GT(historySeen, kKills * 9 / 10);
}

}  // namespace
}  // namespace ruvo
