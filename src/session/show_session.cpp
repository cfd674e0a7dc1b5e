#include "session/show_session.h"

#include <string>

#include "platform/gl_window.h"
#include "platform/report.h"
#include "render/offscreen_target.h"
#include "render/setup_gl.h"
#include "session/resize_view.h"
#include "state/app.h"
#include "state/demo_clock.h"

void initApp(App& app, TimeSource time)
{
    app.windowActive = true;
    app.fullscreenMode = true;
    app.lightsOn = 0;
    app.clock.source = time;
    startShow(app.show);
}

bool startShowView(App& app, int width, int height)
{
    resizeView(app, width, height);
    if (!setupGL(app)) return false;
    startClock(app.clock);
    return true;
}

bool startRenderSize(OffscreenTarget& target, const WindowSystem& windows, int width, int height)
{
    const char* why = "";
    if (openOffscreenTarget(target, width, height, windows, why)) return true;
    report("--render-size", std::string(why) + "; the show is drawn directly at the window's size");
    return false;
}
