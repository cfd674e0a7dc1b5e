#include "encode_mp3.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

std::string findOnPath(const char* name)
{
    const char* path = std::getenv("PATH");
    if (!path) return "";
    std::string dirs = path;
    size_t from = 0;
    while (from <= dirs.size()) {
        size_t colon = dirs.find(':', from);
        if (colon == std::string::npos) colon = dirs.size();
        std::string dir = dirs.substr(from, colon - from);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        from = colon + 1;
    }
    return "";
}

bool encodeMp3(const std::string& encoder, const std::string& wavPath, const std::string& mp3Path, std::string& error)
{
    std::string bitrate = std::to_string(kMusicBitrate);
    std::vector<std::string> args{encoder, "-q", "-b", bitrate, wavPath, mp3Path};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    int spawned = posix_spawn(&pid, encoder.c_str(), nullptr, nullptr, argv.data(), environ);
    if (spawned != 0) {
        error = std::string("cannot start ") + encoder + ": " + std::strerror(spawned);
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        error = std::string("lost track of ") + encoder + ": " + std::strerror(errno);
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = encoder + " failed" + (WIFEXITED(status) ? " with status " + std::to_string(WEXITSTATUS(status)) : " (killed by a signal)");
        return false;
    }
    return true;
}
