#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "../../support/gl_test_window.h"
#include "show/camera_script.h"
#include "show/frame.h"
#include "show/path_interpolation.h"
#include "show_test_support.h"

// An 800 × 600 window in the state the GL set-up and the window's resize leave: texturing and
// depth test on, blue clear colour, the camera's perspective and an identity model-view.
struct ShowGlTest : ::testing::Test {
    GlTestWindow window;
    App app{};
    TestScene records;
    SceneCamera* camera = nullptr;
    std::vector<uint32_t> textures;

    void SetUp() override
    {
        ASSERT_TRUE(window.open(800, 600));
        resetShow(app);
        camera = &records.addCamera(app.scene, 45.0f);
        glViewport(0, 0, 800, 600);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(camera->lens, 800.0 / 600.0, 10.0, 10000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        glShadeModel(GL_SMOOTH);
        glClearColor(0.0f, 0.0f, 1.0f, 0.5f);
        glClearDepth(1.0);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_DEPTH_TEST);
        startFakeClock(app);
    }
    void TearDown() override
    {
        setTimeSource(nullptr);
        window.close();
    }

    // An RGBA texture of `width` texels in one row, sampled without filtering.
    uint32_t makeTexture(const std::vector<uint8_t>& rgba)
    {
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(rgba.size() / 4), 1, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, rgba.data());
        return name;
    }
    // Scene textures by material number, as the texture loader leaves them.
    void setMaterialTextures(std::vector<uint32_t> names)
    {
        textures = std::move(names);
        app.textureNames = textures.data();
        app.scene.materialCount = static_cast<float>(textures.size());
    }

    std::vector<uint8_t> frameAt(uint32_t ms)
    {
        fakeNowMs = ms;
        EXPECT_TRUE(drawFrame(app));
        return window.readRgb();
    }
};

// Where the script has the camera at `ms` (a time inside segment `number`).
inline void scriptView(int number, uint32_t ms, Vec3& eye, Vec3& target)
{
    const CameraTimeline& t = kCameraTimeline;
    const PathSegment& s = t.segments[number - 1];
    float u = static_cast<float>((ms - windowEdgeMs(s.startTime)) / ((s.endTime - s.startTime) * 1000.0));
    eye = lerp(t.posDebSource[number - 1], t.posFinSource[number - 1], u);
    target = lerp(t.posDebTarget[number - 1], t.posFinTarget[number - 1], u);
}

// Two triangles making a square of side 2 × half around the origin, facing along `facing`.
inline std::vector<MeshCorner> squareFacing(const Vec3& facing, float half)
{
    Vec3 n = facing;
    n.normalise();
    Vec3 side = cross(n, Vec3{0.0f, 0.0f, 1.0f});
    side.normalise();
    Vec3 up = cross(side, n);
    auto corner = [&](float a, float b) {
        MeshCorner c{};
        c.position = {half * (a * side.x + b * up.x), half * (a * side.y + b * up.y), half * (a * side.z + b * up.z)};
        c.normal = n;
        return c;
    };
    return {corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, -1), corner(1, 1), corner(-1, 1)};
}

inline float distance(const Vec3& a, const Vec3& b)
{
    return static_cast<float>((a - b).length());
}

inline bool allPixels(const std::vector<uint8_t>& rgb, uint8_t r, uint8_t g, uint8_t b)
{
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        if (rgb[i] != r || rgb[i + 1] != g || rgb[i + 2] != b) return false;
    return true;
}

inline ::testing::AssertionResult pixelNear(const uint8_t* p, float r, float g, float b, float tolerance)
{
    if (std::fabs(p[0] - r) <= tolerance && std::fabs(p[1] - g) <= tolerance && std::fabs(p[2] - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << int(p[0]) << ", " << int(p[1]) << ", " << int(p[2])
                                         << ") is not within " << tolerance << " of (" << r << ", " << g << ", " << b << ")";
}
