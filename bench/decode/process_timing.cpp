#include "process_timing.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>

extern char** environ;

namespace {

double seconds(const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; }

}  // namespace

ProcessTime timeProcess(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    ProcessTime t;
    auto start = std::chrono::steady_clock::now();
    pid_t pid;
    int status = 0;
    rusage usage{};
    if (posix_spawnp(&pid, args[0], &quiet, nullptr, args.data(), environ) == 0 && wait4(pid, &status, 0, &usage) == pid) {
        t.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        t.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
        t.waits = usage.ru_nvcsw;
        t.ran = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    posix_spawn_file_actions_destroy(&quiet);
    return t;
}
