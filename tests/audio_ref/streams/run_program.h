#pragma once

#include <string>
#include <vector>

// What a program run by the tests left behind.
struct ProgramRun {
    int status = -1;     // exit status; -1 when it could not start or did not exit normally
    std::string output;  // standard output and standard error together
};

// Runs a program (looked up in PATH when the name has no slash) and waits for it.
ProgramRun runProgram(const std::vector<std::string>& argv);
