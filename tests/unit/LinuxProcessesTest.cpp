// Starting real programs.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "fakes/TempFolder.h"
#include "platform/Processes.h"

namespace ruvo {
namespace {

TEST(LinuxProcesses, StartedWithoutWaiting) {
    test::TempFolder folder;
    const std::string other = folder.File("updater");
    std::filesystem::copy_file("/bin/true", other);
    EXPECT_TRUE(LinuxProcesses().StartDetached(other));
    EXPECT_FALSE(LinuxProcesses().StartDetached(folder.File("missing")));
}

}  // namespace
}  // namespace ruvo
