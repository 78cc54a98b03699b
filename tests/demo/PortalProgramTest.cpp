#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

// The demo portal as the run command uses it: it prints its base address,
// answers, and ends cleanly on SIGTERM.
TEST(DemoPortalProgram, PrintsItsAddressAndStopsOnSigterm) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(RUVO_DEMO_PORTAL_PATH, RUVO_DEMO_PORTAL_PATH, "--port", "0", "--media", "/nonexistent", nullptr);
        _exit(127);
    }
    close(out[1]);
    FILE* stream = fdopen(out[0], "r");
    char line[256] = {};
    ASSERT_NE(fgets(line, sizeof line, stream), nullptr);
    const std::string base = line;
    EXPECT_EQ(base.rfind("http://127.0.0.1:", 0), 0u) << base;
    EXPECT_EQ(base.substr(base.size() - 6), "/box/\n");
    kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    fclose(stream);
}

}  // namespace
