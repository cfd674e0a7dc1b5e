#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "platform/stop_signals.h"

namespace {

// Each case runs in a child of its own: the handlers are installed once per process.

bool readable(int fd)
{
    pollfd p = {fd, POLLIN, 0};
    return poll(&p, 1, 0) == 1;
}

// The outcome of one child, as an exit code: bit 0 the flag before, bit 1 the flag after the
// signal, bit 2 the pipe readable after it.
[[noreturn]] void raiseAndReport(int signal)
{
    installStopSignals();
    int code = stopSignalArrived() ? 1 : 0;
    raise(signal);
    code |= stopSignalArrived() ? 2 : 0;
    code |= readable(stopSignalFd()) ? 4 : 0;
    std::_Exit(code);
}

TEST(StopSignalsDeathTest, EachStopSignalIsRecordedAndWakesTheWaiter)
{
    EXPECT_EXIT(raiseAndReport(SIGINT), ::testing::ExitedWithCode(6), "");
    EXPECT_EXIT(raiseAndReport(SIGTERM), ::testing::ExitedWithCode(6), "");
    EXPECT_EXIT(raiseAndReport(SIGHUP), ::testing::ExitedWithCode(6), "");
}

TEST(StopSignalsDeathTest, ASecondStopSignalEndsTheProgramAtOnce)
{
    auto twice = [](int first, int second) {
        installStopSignals();
        raise(first);
        raise(second);
        std::_Exit(0);
    };
    EXPECT_EXIT(twice(SIGTERM, SIGTERM), ::testing::KilledBySignal(SIGTERM), "");
    EXPECT_EXIT(twice(SIGINT, SIGHUP), ::testing::KilledBySignal(SIGHUP), "");
}

TEST(StopSignalsDeathTest, ASignalIgnoredAtStartStaysIgnored)
{
    auto ignoredHangUp = [] {
        signal(SIGHUP, SIG_IGN);  // as nohup starts a program
        installStopSignals();
        raise(SIGHUP);
        std::_Exit(stopSignalArrived() ? 1 : 0);
    };
    EXPECT_EXIT(ignoredHangUp(), ::testing::ExitedWithCode(0), "");
    // The first stop signal arms the others for an immediate end, but not one that was ignored.
    auto hangUpAfterInterrupt = [] {
        signal(SIGHUP, SIG_IGN);
        installStopSignals();
        raise(SIGINT);
        raise(SIGHUP);
        std::_Exit(stopSignalArrived() ? 1 : 0);
    };
    EXPECT_EXIT(hangUpAfterInterrupt(), ::testing::ExitedWithCode(1), "");
}

TEST(StopSignals, WithoutHandlersNothingIsRecorded)
{
    EXPECT_EQ(stopSignalFd(), -1);
    EXPECT_FALSE(stopSignalArrived());
}

}  // namespace
