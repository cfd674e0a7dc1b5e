#pragma once

#include <string>

// The one way the program and its tools tell the user something on stderr: one line
// "<program>: <what>: <message>", the program being the name it was started by. Line breaks
// inside the message become spaces, so that every line carries the prefix.
void report(const char* what, const std::string& message);
// The same line as report prints it, without the program's name (for tests and message boxes).
std::string reportLine(const char* program, const char* what, const std::string& message);
