#include "platform/mode_keeper.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/crtc_changes.h"
#include "platform/report.h"
#include "platform/standard_descriptors.h"

namespace {

const int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
const int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
// Long enough for a mode change on a busy X server, short enough not to hold a crash up.
constexpr int kRestoreWaitMs = 3000;
constexpr int kReadyWaitMs = 3000;
// A stack of its own, so that a stack overflow can still run the handler.
constexpr size_t kAltStackBytes = 64 * 1024;

constexpr char kRestore = 'r';
constexpr char kLeave = 'q';
constexpr char kChangeComing = 'b';
constexpr char kChangeDone = 'a';
constexpr char kDone = 'd';
constexpr char kNoDisplay = 'n';

// A signal handler has no user pointer: the socket it writes to and the pipe it waits on live here.
struct Keeper {
    int commandFd = -1;  // to the keeper
    int answerFd = -1;   // from the keeper
};
Keeper gKeeper;

char readCommand(int fd)
{
    char command = 0;
    for (;;) {
        ssize_t got = read(fd, &command, 1);
        if (got == 1) return command;
        if (got == 0) return kRestore;  // the program died
        if (errno != EINTR) return kRestore;
    }
}

void answer(int fd, char word)
{
    [[maybe_unused]] ssize_t said = write(fd, &word, 1);
}

// The keeper's whole life: connect, say so, note the program's mode changes until the last word,
// act on it.
[[noreturn]] void runKeeper(int commandFd, int answerFd)
{
    // The terminal's Ctrl-C and hang-up are the program's to handle, not the keeper's.
    for (int s : kStopSignals) signal(s, SIG_IGN);
    // Its own descriptors lie above 2 (holdStandardDescriptors), so these cannot take their place.
    int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
        dup2(devNull, STDIN_FILENO);
        dup2(devNull, STDOUT_FILENO);
    }
    Display* display = XOpenDisplay(nullptr);
    answer(answerFd, display ? kDone : kNoDisplay);
    if (!display) _exit(0);
    CrtcChanges changes;
    char command;
    while ((command = readCommand(commandFd)) == kChangeComing || command == kChangeDone) {
        if (command == kChangeComing) noteChangeComing(display, changes);
        else noteChangeDone(display, changes);
        answer(answerFd, kDone);
    }
    if (command == kRestore) undoChanges(display, changes);
    answer(answerFd, kDone);
    _exit(0);
}

bool waitForAnswer(int fd, int timeoutMs)
{
    pollfd wait{fd, POLLIN, 0};
    if (poll(&wait, 1, timeoutMs) != 1) return false;
    char answer = 0;
    return read(fd, &answer, 1) == 1 && answer == kDone;
}

// One command to the keeper; false when it is gone. send is async-signal-safe.
bool tell(char command)
{
    return send(gKeeper.commandFd, &command, 1, MSG_NOSIGNAL) == 1;
}

void onCrash(int signal)
{
    // SA_RESETHAND has already put the default action back.
    if (gKeeper.commandFd >= 0) {
        if (tell(kRestore)) {
            pollfd wait{gKeeper.answerFd, POLLIN, 0};
            poll(&wait, 1, kRestoreWaitMs);
        }
    }
    // Blocked until the handler returns, then the default action: status and core as without us.
    raise(signal);
}

void installCrashHandlers()
{
    // Static: the handlers may run on it at any time until the program ends.
    static std::vector<char> altStack(kAltStackBytes);
    stack_t stack{};
    stack.ss_sp = altStack.data();
    stack.ss_size = altStack.size();
    sigaltstack(&stack, nullptr);
    struct sigaction request {};
    request.sa_handler = onCrash;
    request.sa_flags = SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&request.sa_mask);
    for (int s : kCrashSignals) sigaction(s, &request, nullptr);
}

// Says why a crash would now leave the mode changed; false, for the caller to return.
bool keeperOff(const std::string& why)
{
    report("crash protection is off", "the display mode keeper " + why);
    return false;
}

std::string cannotStart(int error)
{
    return std::string("cannot start (") + std::strerror(error) + ")";
}

}  // namespace

bool startModeKeeper()
{
    if (gKeeper.commandFd >= 0) return true;
    // Without a display there is no mode to keep; the window says so itself.
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return false;
    holdStandardDescriptors();
    int command[2], answer[2];
    // A socket, not a pipe: a keeper that is gone must not end the demo by SIGPIPE (see tell).
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, command) != 0) return keeperOff(cannotStart(errno));
    if (pipe2(answer, O_CLOEXEC) != 0) {
        int error = errno;
        close(command[0]);
        close(command[1]);
        return keeperOff(cannotStart(error));
    }
    pid_t pid = fork();
    if (pid == 0) {
        close(command[1]);
        close(answer[0]);
        runKeeper(command[0], answer[1]);
    }
    int forkError = errno;
    close(command[0]);
    close(answer[1]);
    if (pid > 0 && waitForAnswer(answer[0], kReadyWaitMs)) {
        gKeeper = Keeper{command[1], answer[0]};
        installCrashHandlers();
        return true;
    }
    close(command[1]);
    close(answer[0]);
    if (pid < 0) return keeperOff(cannotStart(forkError));
    // Gone by itself when it could not connect; one still connecting after the wait is ended.
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    return keeperOff("cannot connect to the display");
}

void stopModeKeeper()
{
    if (gKeeper.commandFd < 0) return;
    if (tell(kLeave)) waitForAnswer(gKeeper.answerFd, kRestoreWaitMs);
    close(gKeeper.commandFd);
    close(gKeeper.answerFd);
    gKeeper = Keeper{};
}

namespace {

// Waits for the keeper to have noted the settings, so that what follows is seen as after.
void ask(char command)
{
    if (gKeeper.commandFd >= 0 && tell(command)) waitForAnswer(gKeeper.answerFd, kRestoreWaitMs);
}

}  // namespace

void noteModeChangeComing()
{
    ask(kChangeComing);
}

void noteModeChangeDone()
{
    ask(kChangeDone);
}
