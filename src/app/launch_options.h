#pragma once

#include <string>

#include "app/shell.h"

// zephal3d's command line. Without options the demo runs as it always has: fullscreen with
// music, its data files in the working directory.

enum class LaunchAction { kRun, kHelp, kVersion, kBadUsage };

struct LaunchOptions {
    LaunchAction action = LaunchAction::kRun;
    StartChoices start;
    DisplayChoices display;
    bool monitorGiven = false;
    bool benchmark = false;  // the flight once, timed, then a report on stdout
    std::string dataDir;  // empty: the working directory
    // kBadUsage: the argument at fault and what is wrong with it, for report().
    std::string problemWith;
    std::string problem;
};

// Reads the arguments left to right; --help and --version, and the first bad argument, end the reading.
LaunchOptions parseLaunchOptions(int argc, const char* const* argv);

// For --help on stdout: the usage lines, then the options, the keys and the data files.
std::string helpText();
// For --version on stdout.
const char* versionText();
// The usage lines printed on stderr after a bad argument.
const char* usageText();

// Enters the data folder. traj.txt stays where the user started the program, as every other
// file a program writes: trajectoryPath becomes its full name there. False after a reported line.
bool enterDataFolder(const std::string& dataDir, std::string& trajectoryPath);
