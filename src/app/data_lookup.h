#pragma once

#include <string>

// Where the demo's data files are when the command line names no folder: the working directory
// when it holds the scene, else the folder installed beside the program (../share/zephal3d
// from the executable), so an install moved to another prefix still finds its data.

// The data folder of an install whose executable is exePath.
std::string installedDataFolder(const std::string& exePath);

// Leaves a given dataDir as it is; otherwise keeps it empty for the working directory or sets
// the installed folder. False after one reported line naming the places tried.
bool findDataFolder(std::string& dataDir);
