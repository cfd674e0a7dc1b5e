#pragma once

#include <string>
#include <vector>

// CPU and wall time of a whole program run, as a user would time it from the shell.
struct ProcessTime {
    bool ran = false;  // started and exited with status 0
    double cpuSeconds = 0;  // user + system, all its threads
    double wallSeconds = 0;
    long waits = 0;  // voluntary context switches: times it slept or waited for something
};

// Runs argv (argv[0] looked up in PATH) with its standard output and error thrown away.
ProcessTime timeProcess(const std::vector<std::string>& argv);
