#include "progress.h"

#include <errno.h>
#include <unistd.h>

#include "platform/report.h"

namespace {

// Often enough to look alive on a terminal; rarely enough not to flood a log.
constexpr auto kTerminalInterval = std::chrono::milliseconds(250);
constexpr auto kLogInterval = std::chrono::seconds(5);

double secondsSince(Progress::Clock::time_point start)
{
    return std::chrono::duration<double>(Progress::Clock::now() - start).count();
}

// The reporter's line about the progress, without its line break.
std::string reported(const std::string& message)
{
    std::string line = reportLine(program_invocation_short_name, "progress", message);
    line.pop_back();
    return line;
}

}  // namespace

std::string progressLine(int64_t done, int64_t total, double seconds)
{
    double fps = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    char line[128];
    if (fps > 0.0) {
        double left = static_cast<double>(total - done) / fps;
        std::snprintf(line, sizeof line, "frame %lld of %lld, %.1f fps, %.0f s left", static_cast<long long>(done),
                      static_cast<long long>(total), fps, left);
    } else {
        std::snprintf(line, sizeof line, "frame %lld of %lld", static_cast<long long>(done),
                      static_cast<long long>(total));
    }
    return line;
}

void startProgress(Progress& progress, int64_t total, FILE* out)
{
    progress.total = total;
    progress.out = out;
    progress.terminal = isatty(fileno(out)) == 1;
    progress.start = progress.lastShown = Progress::Clock::now();
}

void showProgress(Progress& progress, int64_t done)
{
    auto now = Progress::Clock::now();
    if (now - progress.lastShown < (progress.terminal ? kTerminalInterval : kLogInterval)) return;
    progress.lastShown = now;
    std::string line = progressLine(done, progress.total, secondsSince(progress.start));
    // \033[K clears what a longer earlier line left behind.
    if (progress.terminal)
        std::fprintf(progress.out, "\r%s\033[K", reported(line).c_str());
    else
        std::fprintf(progress.out, "%s\n", reported(line).c_str());
    std::fflush(progress.out);
}

void endProgress(Progress& progress, int64_t done)
{
    double seconds = secondsSince(progress.start);
    double fps = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    if (progress.terminal) std::fputs("\r\033[K", progress.out);
    char line[96];
    std::snprintf(line, sizeof line, "%lld frame%s in %.1f s, %.1f fps", static_cast<long long>(done),
                  done == 1 ? "" : "s", seconds, fps);
    std::fprintf(progress.out, "%s\n", reported(line).c_str());
}
