// Running the desktop's database tools: the exit status, or -1 for a tool
// that is not installed.

#include "ProcessRunner.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

TEST(RunProgram, GivesTheExitStatusOrMinusOne) {
    EXPECT_EQ(RunProgram({"sh", "-c", "exit 3"}), 3);
    EXPECT_EQ(RunProgram({"sh", "-c", "echo to /dev/null; exit 0"}), 0);
    EXPECT_EQ(RunProgram({"zarosim-no-such-tool"}), -1);
    EXPECT_EQ(RunProgram({}), -1);
    EXPECT_EQ(RunProgram({"sh", "-c", "kill -9 $$"}), -1);
}

} // namespace
} // namespace zaro::test
