#include "session/test_clock.h"

#include <GL/gl.h>

#include <cmath>

#include "show/frame.h"
#include "show/framed_frame.h"
#include "state/app.h"

void setShowTime(ManualTime& time, App& app, double ms)
{
    // The counter counts whole milliseconds; the fraction goes into the clock's start, so that
    // counter minus start is the time asked for, rounded once to the clock's float.
    double whole = std::floor(ms);
    time.nowMs = static_cast<uint32_t>(whole);
    app.clock.clockStartMs = static_cast<float>(whole - ms);
    app.clock.exactStartMs = whole - ms;
}

void drawShowFrame(ManualTime& time, App& app, double ms)
{
    setShowTime(time, app, ms);
    drawFramedFrame(app);
}

void drawUnseenFrame(ManualTime& time, App& app, double ms)
{
    // An empty scissor box lets no fragment through, the frame's clear included; all the rest of
    // the frame, its effects' steps and the GL state it leaves, happens as in a drawn frame.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);
    setShowTime(time, app, ms);
    drawFrame(app);
    glDisable(GL_SCISSOR_TEST);
}
