#pragma once

#include <GLFW/glfw3.h>

#include <cstdint>
#include <vector>

// A visible GLFW window with a current GL context, for GL tests run under with-xvfb.
struct GlTestWindow {
    GLFWwindow* window = nullptr;
    int width = 0;
    int height = 0;

    bool open(int w, int h, int depthBits = 16)
    {
        if (!glfwInit()) return false;
        glfwWindowHint(GLFW_DEPTH_BITS, depthBits);
        glfwWindowHint(GLFW_DOUBLEBUFFER, GLFW_TRUE);
        window = glfwCreateWindow(w, h, "gl test", nullptr, nullptr);
        if (!window) return false;
        glfwMakeContextCurrent(window);
        width = w;
        height = h;
        return true;
    }
    void close()
    {
        if (window) glfwDestroyWindow(window);
        window = nullptr;
        glfwTerminate();
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
