// show_bench: frames per second of the show in its three phases, in an 800 × 600 picture.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <unistd.h>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name)
#endif

#include "platform/message_box.h"
#include "platform/report.h"
#include "state/app.h"
#include "session/show_window.h"
#include "show/camera_timeline.h"
#include "spark_view.h"

namespace {

constexpr int kWarmUpFrames = 30;
constexpr int kRounds = 3;  // other work on a shared machine makes single runs uneven
constexpr int kPanelFullFrames = 250;  // the panel stands at its full size from then on
constexpr uint32_t kFlightMs = 50000;  // mid-flight at the second place, sparks out of sight
constexpr uint32_t kScrollMs = 70000;
constexpr uint32_t kEndMs = 80000;

struct Phase {
    const char* name;
    uint32_t startMs;
};

struct Figures {
    double fps;         // by the wall clock, which other work on the machine slows down
    double cpuMsPerFrame;  // the process's threads together, llvmpipe's included
};

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

// Instruction counts repeat from round to round, so one does under callgrind.
int roundCount()
{
    return RUNNING_ON_VALGRIND ? 1 : kRounds;
}

// Frames drawn and presented one after another, the demo time a millisecond further each.
// Under callgrind (started with --instr-atstart=no) only the measured frames are counted, into a
// dump of their own named `label`.
Figures measure(ShowWindow& session, App& app, uint32_t startMs, int frames, const char* label)
{
    for (int i = 0; i < kWarmUpFrames; ++i) {
        drawShowFrame(session, app, startMs + i);
        present(session);
    }
    glFinish();
    CALLGRIND_START_INSTRUMENTATION;
    CALLGRIND_ZERO_STATS;
    double cpuBegin = cpuSeconds();
    auto begin = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        drawShowFrame(session, app, startMs + kWarmUpFrames + i);
        present(session);
    }
    glFinish();
    std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - begin;
    CALLGRIND_DUMP_STATS_AT(label);
    CALLGRIND_STOP_INSTRUMENTATION;
    return {frames / seconds.count(), (cpuSeconds() - cpuBegin) * 1000.0 / frames};
}

// Rounds of the phase; the best and the median round, the machine's load being what it is.
void measurePhase(ShowWindow& session, App& app, const Phase& phase, int frames)
{
    std::vector<Figures> rounds;
    for (int r = 0; r < roundCount(); ++r) rounds.push_back(measure(session, app, phase.startMs, frames, phase.name));
    std::sort(rounds.begin(), rounds.end(), [](const Figures& a, const Figures& b) { return a.fps < b.fps; });
    const Figures& median = rounds[rounds.size() / 2];
    std::printf("%-8s %10.3f s %8d %10.1f %10.1f %10.2f %14.2f\n", phase.name, phase.startMs / 1000.0, frames,
                rounds.back().fps, median.fps, 1000.0 / median.fps, median.cpuMsPerFrame);
}

void printScene(const App& app)
{
    SceneSize size = sceneSize(app.scene);
    std::printf("scene: %d meshes, %d triangles, %d lights, %d spark meshes: %d spark points per frame\n",
                size.meshes, size.triangles, size.lights, size.sparkMeshes, size.sparkPoints);
    // Blending comes on with the first overlay; before it only each mesh's last pass can show.
    std::printf("spark points sent per frame: %d before the first overlay, all %d from it on\n",
                size.sparkPointsSent, size.sparkPoints);
}

}  // namespace

int main(int argc, char** argv)
{
    ShowWindow session;
    // Off-screen unless asked: --window draws on the X display (with-xvfb gives one), swaps included.
    int first = 1;
    if (argc > 1 && std::string(argv[1]) == "--window") {
        session.onDisplay = true;
        first = 2;
    }
    std::string dataDir = argc > first ? argv[first] : ".";
    int frames = argc > first + 1 ? std::atoi(argv[first + 1]) : 300;
    if (argc > first + 2 || frames < 1) {
        report("usage", "show_bench [--window] [DATA_DIR [FRAMES]]");
        return 2;
    }
    // Unattended: nobody would answer a dialog.
    useMessageBoxes(consoleMessageBoxes());
    if (!openShowWindow(session, gApp, dataDir, 800, 600)) return 1;
    std::printf("drawn %s\n", session.onDisplay ? "in a window on the display" : "off-screen");
    printScene(gApp);
    uint32_t sparksMs = sparksInViewMs(gApp.scene);
    if (sparksMs == 0) std::printf("no spark mesh comes into view during the flight\n");

    double load = 0.0;
    if (getloadavg(&load, 1) == 1) std::printf("load average: %.2f on %ld cores\n", load, sysconf(_SC_NPROCESSORS_ONLN));
    std::printf("%d rounds a phase; fps of the best and the median round, the median's ms and cpu ms per frame\n",
                roundCount());
    std::printf("%-8s %12s %8s %10s %10s %10s %14s\n", "phase", "demo time", "frames", "best fps", "fps",
                "ms/frame", "cpu ms/frame");
    const Phase phases[] = {{"flight", kFlightMs}, {"sparks", sparksMs}, {"end", kEndMs}};
    for (const Phase& phase : phases) {
        if (phase.startMs == 0) continue;
        if (phase.startMs == kEndMs) {
            // Both overlays: the scroll comes on within the flight, then the panel grows to full size.
            drawShowFrame(session, gApp, kScrollMs);
            for (int i = 0; i < kPanelFullFrames; ++i) drawShowFrame(session, gApp, kEndMs - kPanelFullFrames + i);
        }
        measurePhase(session, gApp, phase, frames);
    }
    std::printf("overlays: scroll %s, panel %s\n", gApp.show.greetsScrollOn ? "on" : "off",
                gApp.show.greetsPanelOn ? "on" : "off");
    closeShowWindow(session);
    return 0;
}
