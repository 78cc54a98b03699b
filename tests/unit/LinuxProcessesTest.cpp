// The process functions against real processes this test starts.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "fakes/TempFolder.h"
#include "platform/Processes.h"

namespace ruvo {
namespace {

// A copy of sleep named like the outside player's download service.
class RealProcess : public testing::Test {
protected:
    test::TempFolder folder;
    std::string program = folder.File("QvodTerminal.exe");
    pid_t child = -1;

    void SetUp() override {
        std::filesystem::copy_file("/bin/sleep", program);
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        child = fork();
        if (child == 0) {
            execl(program.c_str(), program.c_str(), "30", nullptr);
            _exit(127);
        }
        // The kernel shows the new executable once exec has happened.
        for (int i = 0; i < 200 && LinuxProcesses().FindProcess("QvodTerminal.exe") == 0; ++i) usleep(10000);
    }
    void TearDown() override {
        if (child > 0) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
    }
};

TEST_F(RealProcess, FoundByExactCasePartOfItsName) {
    EXPECT_EQ(LinuxProcesses().FindProcess("QvodTerminal.exe"), child);
    EXPECT_EQ(LinuxProcesses().FindProcess("Qvod"), child);
    EXPECT_EQ(LinuxProcesses().FindProcess("qvodterminal"), 0);
    EXPECT_TRUE(LinuxProcesses().IsProcessRunning("Terminal.exe"));
}

TEST_F(RealProcess, KilledByName) {
    KillProcessByName(LinuxProcesses(), "QvodTerminal.exe");
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    child = -1;
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_FALSE(LinuxProcesses().TerminateProcessById(0));
}

TEST_F(RealProcess, StartedWithoutWaiting) {
    const std::string other = folder.File("QvodPlayer.exe");
    std::filesystem::copy_file("/bin/true", other);
    EXPECT_TRUE(LinuxProcesses().StartDetached(other));
    EXPECT_FALSE(LinuxProcesses().StartDetached(folder.File("missing.exe")));
}

}  // namespace
}  // namespace ruvo
