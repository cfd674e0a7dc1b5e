// capture: the show drawn frame by frame with a test clock, as PNG pictures or one YUV4MPEG2
// stream with the music beside it as a WAV file, or pictures of single moments.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "capture_options.h"
#include "frame_writer.h"
#include "music_range.h"
#include "platform/message_box.h"
#include "platform/report.h"
#include "png_file.h"
#include "ppm_file.h"
#include "progress.h"
#include "session/frame_schedule.h"
#include "session/show_window.h"
#include "state/app.h"
#include "y4m_stream.h"

namespace {

const char* const kMusicFile = "sorvel.mp3";

bool fail(const char* what, const std::string& message)
{
    report(what, message);
    return false;
}

// Output paths are taken from where the tool was started, before it enters the data folder.
void makeAbsolute(std::string& path)
{
    if (!path.empty() && path != "-") path = std::filesystem::absolute(path).string();
}

std::string framePath(const std::string& folder, int64_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%06lld.png", static_cast<long long>(index));
    return folder + name;
}

// The grid frames from 0 that come before `fromSeconds`, run unseen so that the effects that
// step once a frame stand where they stand in a capture from 0.
void runLeadIn(ShowWindow& session, App& app, double fromSeconds, FrameRate rate)
{
    int64_t count = frameCount(0.0, fromSeconds, rate);
    if (count > 0) {
        char line[96];
        std::snprintf(line, sizeof line, "running the %lld frames before %g s unseen", static_cast<long long>(count),
                      fromSeconds);
        report("progress", line);
    }
    for (int64_t i = 0; i < count; ++i) drawUnseenFrame(session, app, frameTimeMs(0.0, i, rate));
}

// Where the range's pictures go: PNG files in a folder or one Y4M stream.
struct RangeOutput {
    std::string folder;
    Y4mStream y4m;
    bool toY4m = false;
};

bool openRangeOutput(RangeOutput& output, const CaptureOptions& options, const ShowWindow& session)
{
    output.toY4m = !options.y4mPath.empty();
    if (output.toY4m) {
        if (openY4m(output.y4m, options.y4mPath, session.width, session.height, options.rate)) return true;
        return fail("output", "cannot write " + options.y4mPath);
    }
    output.folder = options.out;
    std::error_code error;
    std::filesystem::create_directories(output.folder, error);
    if (std::filesystem::is_directory(output.folder)) return true;
    return fail("output", "cannot make the folder " + output.folder);
}

WritePicture pictureWriter(RangeOutput& output, const ShowWindow& session)
{
    if (output.toY4m)
        return [&output](int64_t, const std::vector<uint8_t>& rgb) { return writeY4mFrame(output.y4m, rgb); };
    int width = session.width, height = session.height;
    return [&output, width, height](int64_t index, const std::vector<uint8_t>& rgb) {
        return writePng(framePath(output.folder, index), width, height, rgb);
    };
}

// The music of the range, decoded and written while the frames before the range run.
bool musicBesideLeadIn(ShowWindow& session, App& app, const CaptureOptions& options)
{
    MusicRange music;
    music.fromSeconds = options.fromSeconds;
    music.toSeconds = options.toSeconds;
    music.wavPath = options.wavPath;
    std::string error;
    if (!startMusicRange(music, kMusicFile, error)) return fail("music", error);
    runLeadIn(session, app, options.fromSeconds, options.rate);
    return finishMusicRange(music, error) || fail("music", error);
}

// Every frame of [from, to), written by a thread of its own while the next one is drawn. The WAV
// comes first, so that an encoder reading the pictures from a pipe finds the sound complete.
bool captureRange(ShowWindow& session, App& app, const CaptureOptions& options)
{
    if (options.wavPath.empty())
        runLeadIn(session, app, options.fromSeconds, options.rate);
    else if (!musicBesideLeadIn(session, app, options))
        return false;
    RangeOutput output;
    if (!openRangeOutput(output, options, session)) return false;
    int64_t total = frameCount(options.fromSeconds, options.toSeconds, options.rate);
    Progress progress;
    startProgress(progress, total, stderr);
    FrameWriter writer;
    startFrameWriter(writer, pictureWriter(output, session));
    int64_t done = 0;
    // The frames are read from the back buffer and never presented: a copy to the screen less.
    for (; done < total; ++done) {
        drawShowFrame(session, app, frameTimeMs(options.fromSeconds, done, options.rate));
        if (!queuePicture(writer, done, readPicture(session))) break;
        showProgress(progress, done + 1);
    }
    bool ok = stopFrameWriter(writer);
    endProgress(progress, done);
    if (!ok)
        fail("output", "cannot write " + (output.toY4m ? options.y4mPath : framePath(output.folder, writer.failedIndex)));
    if (output.toY4m && !closeY4m(output.y4m) && ok) ok = fail("output", "cannot write " + options.y4mPath);
    return ok;
}

std::string shotPath(const std::string& prefix, double seconds)
{
    char name[32];
    std::snprintf(name, sizeof name, "-%06lld.ppm", std::llround(seconds * 1000.0));
    return prefix + name;
}

// The pictures of single moments: the grid frames from 0 up to the last moment are all run,
// and only those that show a moment are drawn and written.
bool captureMoments(ShowWindow& session, App& app, const CaptureOptions& options)
{
    std::vector<int64_t> shots;
    for (double seconds : options.momentsSeconds) shots.push_back(gridFrameAtOrBefore(seconds, options.rate));
    int64_t last = *std::max_element(shots.begin(), shots.end());
    bool ok = true;
    for (int64_t k = 0; k <= last; ++k) {
        double ms = frameTimeMs(0.0, k, options.rate);
        if (std::find(shots.begin(), shots.end(), k) == shots.end()) {
            drawUnseenFrame(session, app, ms);
            continue;
        }
        drawShowFrame(session, app, ms);
        std::vector<uint8_t> rgb = readPicture(session);
        for (size_t i = 0; i < shots.size(); ++i) {
            if (shots[i] != k) continue;
            std::string path = shotPath(options.out, options.momentsSeconds[i]);
            if (writePpm(path, session.width, session.height, rgb))
                std::printf("%s\n", path.c_str());
            else
                ok = fail("output", "cannot write " + path);
        }
        present(session);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    CaptureOptions options;
    std::string error;
    switch (parseCaptureOptions(argc, argv, options, error)) {
        case ParseOutcome::help:
            printCaptureUsage(stdout);
            return 0;
        case ParseOutcome::bad:
            report("usage", error);
            printCaptureUsage(stderr);
            return 2;
        case ParseOutcome::run:
            break;
    }
    // Unattended: nobody would answer a dialog.
    useMessageBoxes(consoleMessageBoxes());
    makeAbsolute(options.out);
    makeAbsolute(options.y4mPath);
    makeAbsolute(options.wavPath);
    ShowWindow session;
    session.onDisplay = options.window;
    gApp.desktopMode = options.fit;
    gApp.stepRateHz = options.stepRateHz;
    if (!openShowWindow(session, gApp, options.dataDir, options.width, options.height)) return 1;
    if (options.renderWidth > 0) useRenderSize(session, options.renderWidth, options.renderHeight);
    bool ok = false;
    if (session.width != options.width || session.height != options.height)
        fail("display", "the window came out " + std::to_string(session.width) + "x" + std::to_string(session.height) +
             " instead of the size asked for");
    else if (options.momentsSeconds.empty())
        ok = captureRange(session, gApp, options);
    else
        ok = captureMoments(session, gApp, options);
    closeShowWindow(session);
    return ok ? 0 : 1;
}
