#include "platform/mode_keeper.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
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
constexpr char kDone = 'd';
constexpr char kNoDisplay = 'n';

// A signal handler has no user pointer: the pipe ends it writes to and waits on live here.
struct Keeper {
    int commandFd = -1;  // to the keeper
    int answerFd = -1;   // from the keeper
};
Keeper gKeeper;

struct SavedCrtc {
    RRCrtc crtc;
    RRMode mode;
    int x, y;
    Rotation rotation;
    std::vector<RROutput> outputs;
};

std::vector<SavedCrtc> readCrtcs(Display* display)
{
    std::vector<SavedCrtc> saved;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) return saved;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (!info) continue;
        saved.push_back({resources->crtcs[i], info->mode, info->x, info->y, info->rotation,
                         std::vector<RROutput>(info->outputs, info->outputs + info->noutput)});
        XRRFreeCrtcInfo(info);
    }
    XRRFreeScreenResources(resources);
    return saved;
}

void restoreCrtcs(Display* display, const std::vector<SavedCrtc>& original)
{
    std::vector<SavedCrtc> now = readCrtcs(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) return;
    for (const SavedCrtc& was : original) {
        for (const SavedCrtc& is : now) {
            if (is.crtc != was.crtc) continue;
            if (is.mode == was.mode && is.x == was.x && is.y == was.y && is.rotation == was.rotation) continue;
            XRRSetCrtcConfig(display, resources, was.crtc, CurrentTime, was.x, was.y, was.mode, was.rotation,
                             const_cast<RROutput*>(was.outputs.data()), static_cast<int>(was.outputs.size()));
        }
    }
    XRRFreeScreenResources(resources);
    XSync(display, False);
}

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

// The keeper's whole life: note the modes, say so, wait for the word, act on it.
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
    std::vector<SavedCrtc> original;
    if (display) original = readCrtcs(display);
    char ready = display ? kDone : kNoDisplay;
    [[maybe_unused]] ssize_t said = write(answerFd, &ready, 1);
    if (!display) _exit(0);
    char command = readCommand(commandFd);
    if (command == kRestore) restoreCrtcs(display, original);
    char done = kDone;
    [[maybe_unused]] ssize_t answered = write(answerFd, &done, 1);
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
