#pragma once

#include <string>
#include <vector>

// Text of generated C++ sources.

// The first line of every generated file.
std::string generatedBanner();
// Numbers separated by ", ", `perLine` to a line, each line indented by four spaces.
std::string numberList(const std::vector<long>& values, int perLine);
// Writes text to path; prints a message and returns false on failure.
bool writeTextFile(const std::string& path, const std::string& text);
