#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "platform/gl_window.h"

// A picture drawn off-screen with a current GL context, for GL tests: no X server needed.
struct GlTestWindow {
    WindowSystem windows;
    int width = 0;
    int height = 0;

    bool open(int w, int h)
    {
        windows.backend = offscreenWindows();
        if (!startWindowing(windows)) return false;
        // The formats the tests have always drawn in: 8-bit RGB, and a stencil beside a 24-bit depth.
        GlWindowRequest request = {"gl test", w, h, 24, false, 8};
        WindowFailure failure = WindowFailure::kNone;
        GlWindow* window = createGlWindow(windows, request, failure);
        if (!window || !makeContextCurrent(windows, window)) return false;
        width = w;
        height = h;
        return true;
    }
    void close()
    {
        if (windows.window) destroyGlWindow(windows, windows.window);
        stopWindowing(windows);
    }
    // The back buffer as RGB rows, bottom row first (glReadPixels order).
    std::vector<uint8_t> readRgb() const
    {
        std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }
    const uint8_t* pixel(const std::vector<uint8_t>& rgb, int x, int y) const
    {
        return &rgb[(static_cast<size_t>(y) * width + x) * 3];
    }
};
