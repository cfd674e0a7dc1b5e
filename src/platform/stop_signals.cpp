#include "platform/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <iterator>

namespace {

const int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A signal handler has no user pointer: what it and the waiters share lives here, in one record.
struct StopSignals {
    volatile sig_atomic_t arrived = 0;
    int pipeEnds[2] = {-1, -1};
    bool installed = false;
    bool handled[std::size(kStopSignals)] = {};  // which of kStopSignals have our handler
};
StopSignals gStop;

void onStopSignal(int)
{
    gStop.arrived = 1;
    // The next stop signal takes its default action: the program ends at once. One ignored at
    // start (nohup) stays ignored.
    struct sigaction fallBack {};
    fallBack.sa_handler = SIG_DFL;
    for (size_t i = 0; i < std::size(kStopSignals); ++i)
        if (gStop.handled[i]) sigaction(kStopSignals[i], &fallBack, nullptr);
    if (gStop.pipeEnds[1] >= 0) {
        char byte = 1;
        [[maybe_unused]] ssize_t written = write(gStop.pipeEnds[1], &byte, 1);  // a full pipe is readable already
    }
}

bool startedIgnored(int signal)
{
    struct sigaction current {};
    return sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void installStopSignals()
{
    if (gStop.installed) return;
    gStop.installed = true;
    // Non-blocking so that the handler never waits; close-on-exec so no child inherits it.
    if (pipe2(gStop.pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0) gStop.pipeEnds[0] = gStop.pipeEnds[1] = -1;
    struct sigaction request {};
    request.sa_handler = onStopSignal;
    request.sa_flags = SA_RESTART;
    sigemptyset(&request.sa_mask);
    for (int s : kStopSignals) sigaddset(&request.sa_mask, s);
    for (size_t i = 0; i < std::size(kStopSignals); ++i) {
        if (startedIgnored(kStopSignals[i])) continue;
        gStop.handled[i] = true;  // before the handler can run
        if (sigaction(kStopSignals[i], &request, nullptr) != 0) gStop.handled[i] = false;
    }
}

bool stopSignalArrived()
{
    return gStop.arrived != 0;
}

int stopSignalFd()
{
    return gStop.pipeEnds[0];
}
