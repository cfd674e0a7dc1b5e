#include "show_session.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "state/app.h"
#include "app/resize_view.h"
#include "app/scene_loading.h"
#include "app/shell.h"
#include "platform/report.h"
#include "platform/time_source.h"
#include "render/setup_gl.h"
#include "show/frame.h"
#include "show/framed_frame.h"

namespace {

// The counter behind the demo clock, in whole milliseconds.
uint32_t sessionNowMs;
uint32_t sessionCounter() { return sessionNowMs; }

constexpr int kDepthBits = 16;

bool fail(const char* what, const std::string& message)
{
    report(what, message);
    return false;
}

}  // namespace

bool openShowSession(ShowSession& session, App& app, const std::string& dataDir, int width, int height)
{
    if (chdir(dataDir.c_str()) != 0) return fail("data", "cannot enter the data folder " + dataDir);
    initApp(app);
    if (!loadScene(app)) return false;
    if (!glfwInit()) return fail("display", "none (run it under with-xvfb)");
    glfwWindowHint(GLFW_DEPTH_BITS, kDepthBits);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    session.window = glfwCreateWindow(width, height, "Zephal3D capture", nullptr, nullptr);
    if (!session.window) return fail("display", "cannot open a GL window");
    glfwMakeContextCurrent(session.window);
    glfwGetFramebufferSize(session.window, &session.width, &session.height);
    app.windowActive = true;
    setTimeSource(sessionCounter);
    sessionNowMs = 0;
    resizeView(app, session.width, session.height);
    if (!setupGL(app)) return fail("data", "the scene's textures could not be loaded");
    return true;
}

void closeShowSession(ShowSession& session)
{
    if (session.window) glfwDestroyWindow(session.window);
    session.window = nullptr;
    glfwTerminate();
    setTimeSource(nullptr);
}

void setShowTime(App& app, double ms)
{
    // The counter counts whole milliseconds; the fraction goes into the clock's start, so that
    // counter minus start is the time asked for, rounded once to the clock's float.
    double whole = std::floor(ms);
    sessionNowMs = static_cast<uint32_t>(whole);
    app.clockStartMs = static_cast<float>(whole - ms);
}

void drawShowFrame(App& app, double ms)
{
    setShowTime(app, ms);
    drawFramedFrame(app);
}

void drawUnseenFrame(App& app, double ms)
{
    // An empty scissor box lets no fragment through, the frame's clear included; all the rest of
    // the frame, its effects' steps and the GL state it leaves, happens as in a drawn frame.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);
    setShowTime(app, ms);
    drawFrame(app);
    glDisable(GL_SCISSOR_TEST);
}

void present(const ShowSession& session)
{
    glfwSwapBuffers(session.window);
}

std::vector<uint8_t> readPicture(const ShowSession& session)
{
    size_t rowBytes = static_cast<size_t>(session.width) * 3;
    std::vector<uint8_t> bottomUp(rowBytes * session.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, session.width, session.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> rgb(bottomUp.size());
    for (int y = 0; y < session.height; ++y)
        std::copy_n(&bottomUp[(session.height - 1 - y) * rowBytes], rowBytes, &rgb[y * rowBytes]);
    return rgb;
}
