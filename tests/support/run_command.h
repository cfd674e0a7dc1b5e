#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

// What a command run by the tests printed, and how it ended.
struct CommandResult {
    int status;  // exit status; -1 when it did not exit normally, 124 when the time limit ended it
    std::string output;
    std::string errors;
};

inline std::string takeCommandFile(const std::string& path)
{
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::remove(path.c_str());
    return text;
}

// Runs a shell command line (arguments quoted by the caller) under a time limit, catching its
// output and errors in files of the scratch folder.
inline CommandResult runCommand(const std::string& scratchDir, const std::string& commandLine,
                                int timeoutSeconds = 120)
{
    const std::string outFile = scratchDir + "/command-stdout.txt";
    const std::string errFile = scratchDir + "/command-stderr.txt";
    const std::string line = "timeout " + std::to_string(timeoutSeconds) + " " + commandLine + " >'" + outFile +
                             "' 2>'" + errFile + "'";
    const int raw = std::system(line.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return {status, takeCommandFile(outFile), takeCommandFile(errFile)};
}
