#include "app/benchmark.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "state/app.h"

namespace {

// The flight's end in demo ms: the last camera leg ends at 78.2 s.
constexpr double kFlightEndMs = 78200.0;
// The stretches by the camera script: the leg round the ring of sparks, and the greets scroll
// from its start to the flight's end; the first that holds a frame takes it.
const Stretch kStretches[] = {
    {"sparks in view", 20000.0, 24000.0},
    {"greets scroll", 60200.0, kFlightEndMs + 1.0},
    {"flight", 0.0, kFlightEndMs + 1.0},
};

std::string glString(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "(unknown)";
}

std::string line(const char* format, double a, double b = 0.0)
{
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string drawnAt(const BenchmarkRun& run)
{
    if (run.renderWidth <= 0) return "";
    return ", drawn at " + std::to_string(run.renderWidth) + "x" + std::to_string(run.renderHeight);
}

}  // namespace

double benchmarkClockMs()
{
    using Ms = std::chrono::duration<double, std::milli>;
    return std::chrono::duration_cast<Ms>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void recordBenchmarkFrame(BenchmarkRun& run, App& app, double demoMs, double wallMs)
{
    if (run.lastFrameStartMs < 0.0) {
        run.renderer = glString(GL_RENDERER);
        run.version = glString(GL_VERSION);
    } else {
        run.frames.push_back({run.lastDemoMs, wallMs - run.lastFrameStartMs});
    }
    run.pictureWidth = app.picture.framebufferWidth;
    run.pictureHeight = app.picture.framebufferHeight;
    run.showWidth = app.picture.width;
    run.showHeight = app.picture.height;
    run.lastFrameStartMs = wallMs;
    run.lastDemoMs = demoMs;
    if (demoMs < kFlightEndMs) return;
    run.flightDone = true;
    app.quitRequested = 1;
}

std::string benchmarkReport(const BenchmarkRun& run)
{
    FrameStats stats = frameStats(run.frames, kStretches);
    std::string text = "renderer: " + run.renderer + "\nversion: " + run.version + "\n";
    text += "picture: " + std::to_string(run.pictureWidth) + "x" + std::to_string(run.pictureHeight) + " (the show " +
            std::to_string(run.showWidth) + "x" + std::to_string(run.showHeight) + drawnAt(run) + ")\n";
    text += "frames: " + std::to_string(stats.frames) + "\n";
    text += line("average: %.1f fps\n", stats.averageFps);
    text += line("1%% low: %.1f fps\n", stats.onePercentLowFps);
    text += line("slowest frame: %.1f ms\n", stats.slowestMs);
    // The flight, which takes the frames the others leave, comes first, as the show plays.
    std::rotate(stats.stretches.rbegin(), stats.stretches.rbegin() + 1, stats.stretches.rend());
    for (const StretchRate& s : stats.stretches)
        text += s.name + line(": %.1f fps (%.0f frames)\n", s.fps, s.frames);
    return text;
}
