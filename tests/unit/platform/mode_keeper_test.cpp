#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdlib>

#include "platform/mode_keeper.h"

namespace {

// A keeper that cannot reach the display (no server there, or the server's client limit reached)
// is reaped at once, and the user learns in one line that a crash would leave the mode changed.
// In a child of its own: the keeper's crash handlers are for the whole process.
TEST(ModeKeeperDeathTest, AKeeperThatCannotConnectIsReapedAndSaysSo)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto start = [] {
        setenv("DISPLAY", ":9999", 1);  // no server listens there
        bool started = startModeKeeper();
        int status = 0;
        bool childLeft = waitpid(-1, &status, WNOHANG) != -1 || errno != ECHILD;
        std::_Exit(started ? 2 : childLeft ? 3 : 0);
    };
    EXPECT_EXIT(start(), ::testing::ExitedWithCode(0), "^[^\n]*: crash protection is off: [^\n]*\n$");
}

}  // namespace
