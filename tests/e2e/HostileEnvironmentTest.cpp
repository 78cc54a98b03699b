// The real program where the machine or the portal works against it: a
// read-only or full program folder, a portal that takes a minute to answer,
// and a page that loads itself again and again. The program stays
// responsive, says what it always says, and loses nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <thread>

#include "config/FileSystem.h"
#include "config/SettingsFile.h"
#include "demo/Faults.h"
#include "e2e/ProgramUnderTest.h"

namespace ruvo {
namespace {

using namespace std::chrono_literals;

bool Succeeds(const std::string& command) { return std::system((command + " > /dev/null 2>&1").c_str()) == 0; }

class HostileEnvironment : public testing::Test {
protected:
    test::ProgramUnderTest program;
    bool mounted = false;

    void TearDown() override {
        program.Stop();
        if (mounted) Succeeds("umount " + program.ProgramFolder());
    }
    // The program folder becomes a file system of its own, `size` big (root
    // only; elsewhere the test is skipped).
    bool MountProgramFolder(const std::string& size) {
        // mode=0700: a tmpfs is world-writable (1777) unless told, and the
        // program keeps no files in a folder others may change.
        mounted = Succeeds("mount -t tmpfs -o size=" + size + ",mode=0700 ruvo-test " + program.ProgramFolder());
        return mounted;
    }
    void FirstRun() {
        program.Start();
        ASSERT_TRUE(program.WaitForHomePage());
        program.Stop();
    }
    std::map<std::string, std::string> ProgramFiles() {
        std::map<std::string, std::string> files;
        for (const auto& name : ListFolderFiles(program.ProgramFolder()))
            files[name] = ReadWholeFile(program.ProgramFile(name)).value_or("(unreadable)");
        return files;
    }
    // Plays the title's first episode from the home page.
    void Play(const std::optional<test::DevToolsTarget>& home, const std::string& title) {
        const size_t from = program.Trace().size();
        ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='eebovod://" + title + "-0-0-']"));
        ASSERT_TRUE(program.WaitForTracePrefix("player started", from, 60s));
    }
};

TEST_F(HostileEnvironment, ReadOnlyProgramFolderPlaysAndChangesNothing) {
    if (geteuid() == 0) {
        if (!MountProgramFolder("8m")) GTEST_SKIP() << "cannot mount a file system here";
        FirstRun();
        ASSERT_TRUE(Succeeds("mount -o remount,ro " + program.ProgramFolder()));
    } else {
        FirstRun();
        ASSERT_TRUE(Succeeds("chmod -R a-w " + program.ProgramFolder()));
    }
    const auto before = ProgramFiles();
    ASSERT_TRUE(before.count("config.dll") && before.count("date.dat") && before.count("c.htm"));
    program.Start();
    const auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    Play(home, "15");
    EXPECT_TRUE(program.WaitForTrace("text bo_name=山城往事-第1集"));
    EXPECT_TRUE(program.Running());
    program.Stop();
    EXPECT_EQ(ProgramFiles(), before);
    if (geteuid() != 0) Succeeds("chmod -R u+w " + program.ProgramFolder());
}

TEST_F(HostileEnvironment, FullDiskKeepsEveryListWhole) {
    if (geteuid() != 0 || !MountProgramFolder("2m")) GTEST_SKIP() << "cannot mount a small file system here";
    program.Start();
    auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    Play(home, "18");
    ASSERT_TRUE(program.WaitFor([&] { return ReadWholeFile(program.ProgramFile("date.dat")).value_or("").rfind("18|", 0) == 0; }, 30s));
    // Fill what is left of the disk.
    {
        std::ofstream filler(program.ProgramFile("filler"), std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size())) {}
    }
    const auto before = ProgramFiles();
    Play(home, "31");
    EXPECT_TRUE(program.WaitForTrace("text bo_name=快乐厨房-第1集"));
    std::this_thread::sleep_for(2s);  // the list writes have been tried
    EXPECT_TRUE(program.Running());
    program.Stop();
    auto after = ProgramFiles();
    after.erase("filler");
    auto expected = before;
    expected.erase("filler");
    EXPECT_EQ(after, expected);  // the old content, whole: nothing cut short, nothing lost
}

TEST_F(HostileEnvironment, PortalTakingAMinuteLeavesTheWindowResponsive) {
    // No look-up of the next episode: a click that came during one would be dropped.
    MakeFolders(program.ProgramFolder());
    WriteSetting(program.ProgramFile("config.dll"), "S_q", "s_h", "1");
    program.Start();
    const auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    Play(home, "18");
    program.Portal().FaultSwitches().Set("h.asp", *demo::ParseFault("slow:61000"));
    const size_t from = program.Trace().size();
    ASSERT_TRUE(program.Pages().ClickLink(*home, "a[href^='eebovod://12-0-1-']"));
    // The episode reply is waited for up to 60 s, with the window's events going on.
    std::this_thread::sleep_for(10s);
    EXPECT_LT(program.LongestStallSince(from), 500);
    EXPECT_TRUE(program.WaitForTracePrefix("text zhun=读取数据出错，请返回重试", from, 80s));
    EXPECT_LT(program.LongestStallSince(from), 500);
    EXPECT_EQ(ReadWholeFile(program.ProgramFile("date.dat")).value_or("").substr(0, 3), "18|");
    EXPECT_TRUE(program.Running());
}

TEST_F(HostileEnvironment, PageLoadingItselfForeverLeavesTheRestWorking) {
    program.Portal().FaultSwitches().Set("right.asp", *demo::ParseFault("loop"));
    program.Start();
    const auto home = program.WaitForHomePage();
    ASSERT_TRUE(home);
    const auto loops = [&] {
        int count = 0;
        for (const auto& line : program.Portal().Requests()) count += line.find("right.asp") != std::string::npos;
        return count;
    };
    ASSERT_TRUE(program.WaitFor([&] { return loops() > 20; }, 30s)) << "the side page did not loop";
    const int loopsBefore = loops();
    const size_t from = program.Trace().size();
    Play(home, "15");
    EXPECT_TRUE(program.WaitForTrace("text bo_name=山城往事-第1集"));
    std::this_thread::sleep_for(3s);
    EXPECT_LT(program.LongestStallSince(from), 500);
    EXPECT_GT(loops(), loopsBefore + 3);  // still looping while the video plays, and the program with it
    EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace ruvo
