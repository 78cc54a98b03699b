#pragma once
// A test of the real program that starts it and waits for the portal's home
// page before acting in it.
#include <gtest/gtest.h>

#include <optional>

#include "e2e/ProgramUnderTest.h"

namespace ruvo::test {

class HomePageTest : public testing::Test {
protected:
    ProgramUnderTest program;
    std::optional<DevToolsTarget> home;

    void StartProgram() {
        program.Start();
        home = program.WaitForHomePage();
        ASSERT_TRUE(home) << "the portal pane never showed the home page";
    }
};

}  // namespace ruvo::test
