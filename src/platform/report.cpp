#include "platform/report.h"

#include <errno.h>

#include <cstdio>

std::string reportLine(const char* program, const char* what, const std::string& message)
{
    std::string text = message;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    for (char& c : text)
        if (c == '\n') c = ' ';
    return std::string(program) + ": " + (what ? what : "") + ": " + text + "\n";
}

void report(const char* what, const std::string& message)
{
    std::fputs(reportLine(program_invocation_short_name, what, message).c_str(), stderr);
    std::fflush(stderr);
}
