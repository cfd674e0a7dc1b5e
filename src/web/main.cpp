// The demo in a web browser: the desktop's start-up and main loop, one pass after another in each
// of the browser's animation frames, on the page's canvas; the music as the page asks for it.
#include <emscripten/emscripten.h>

#include "app/shell.h"
#include "state/app.h"
#include "state/demo_clock.h"
#include "web/page_calls.h"
#include "web/web_steps.h"

namespace {

struct PageRun {
    WebSteps steps;
    TestMoments moments;
    int status = kExitOk;
};

// Global: the page calls in (the sound's click) without a record to hand over, and the run lives
// as long as the page, past main's return.
PageRun run;

void endRun(PageRun& r)
{
    emscripten_cancel_main_loop();
    endDemo(r.steps);
    pageShowEnded(r.status);
}

// One animation frame: the queued messages, then one frame, as the desktop's loop does them.
void stepFrame(void* context)
{
    auto& r = *static_cast<PageRun*>(context);
    LoopPass pass;
    while ((pass = runLoopPass(gApp, r.steps, r.status)) == LoopPass::kMessage) {
    }
    if (pass == LoopPass::kEnded || gApp.quitRequested) endRun(r);
}

}  // namespace

// What the page's "play with sound" control calls: the song decoded, then its PCM and rate for
// Web Audio, then given back; and the demo clock the music starts at.
extern "C" {
EMSCRIPTEN_KEEPALIVE int z3dDecodeSong() { return decodeSong(run.steps.song); }
EMSCRIPTEN_KEEPALIVE const uint8_t* z3dSongPcm() { return run.steps.song.pcm.data(); }
EMSCRIPTEN_KEEPALIVE int z3dSongBytes() { return static_cast<int>(run.steps.song.pcm.size()); }
EMSCRIPTEN_KEEPALIVE int z3dSongRate() { return run.steps.song.rate; }
EMSCRIPTEN_KEEPALIVE void z3dReleaseSong() { releaseSong(run.steps.song); }
EMSCRIPTEN_KEEPALIVE double z3dDemoMs() { return elapsedMs(gApp.clock); }
EMSCRIPTEN_KEEPALIVE long z3dFramesDrawn() { return run.steps.framesDrawn; }
}

int main()
{
    // The page is the desktop here: the show keeps its 4:3 shape in a canvas that fills it.
    StartChoices choices{.desktop = true};
    std::vector<double> moments = pageTestMoments();
    if (!moments.empty()) {
        startTestMoments(run.moments, moments);
        run.steps.moments = &run.moments;
        choices.clock = manualTimeSource(run.moments.time);
    }
    if (!startDemo(gApp, run.steps, choices, run.status)) {
        pageShowEnded(run.status);
        return run.status;
    }
    emscripten_set_main_loop_arg(stepFrame, &run, 0, false);
    return 0;
}
