#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "../../support/gl_test_window.h"
#include "../../support/temp_dir.h"
#include "session/show_session.h"
#include "common/bmp_writer.h"
#include "platform/message_box.h"
#include "render/texture_loading.h"
#include "show/camera_script.h"
#include "show/frame.h"
#include "show/path_interpolation.h"
#include "show_test_support.h"

// An 800 × 600 window that the tests fill as the demo does: the test writes its scene records
// and image files into a fresh working folder, then startShow starts the show in the window as
// the demo does, with the demo clock at 0 on a counter the test sets.
struct ShowGlTest : ::testing::Test {
    GlTestWindow window;
    App app{};
    ManualTime time{};
    TestScene records;
    SceneCamera* camera = nullptr;
    TempWorkDir folder;

    void SetUp() override
    {
        // A failing texture is told on stderr instead of in a dialog nobody answers.
        useMessageBoxes(consoleMessageBoxes());
        ASSERT_TRUE(window.open(800, 600));
        initApp(app, manualTimeSource(time));
        resetShow(app);
        camera = &records.addCamera(app.scene, 45.0f);
    }
    void TearDown() override
    {
        dropOverlayMaterials(app);
        delete[] app.textureNames;
        window.close();
    }

    void startShow(int width = 800, int height = 600)
    {
        time.nowMs = 0;
        ASSERT_TRUE(startShowView(app, width, height));
    }

    // A scene material whose texture is a plain square of one colour.
    int32_t addColourMaterial(const char* mapName, uint8_t r, uint8_t g, uint8_t b)
    {
        std::vector<uint8_t> rgb;
        for (int i = 0; i < 16; ++i) rgb.insert(rgb.end(), {r, g, b});
        EXPECT_TRUE(writeBmp24(mapName, 4, 4, rgb));
        return records.addMaterial(app.scene, mapName).number;
    }

    std::vector<uint8_t> frameAt(uint32_t ms)
    {
        time.nowMs = ms;
        EXPECT_TRUE(drawFrame(app));
        return window.readRgb();
    }
};

// An overlay's colour and mask images: four columns of 16 texels, each of one colour and one
// mask value (the mask's red is the alpha).
inline void writeOverlay(const char* colourFile, const char* maskFile, const std::array<uint8_t[3], 4>& colours,
                         const std::array<uint8_t, 4>& alphas)
{
    constexpr int kColumn = 16, kRows = 4;
    std::vector<uint8_t> colour, mask;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < 4 * kColumn; ++x) {
            colour.insert(colour.end(), colours[x / kColumn], colours[x / kColumn] + 3);
            mask.insert(mask.end(), {alphas[x / kColumn], 0, 0});
        }
    EXPECT_TRUE(writeBmp24(colourFile, 4 * kColumn, kRows, colour));
    EXPECT_TRUE(writeBmp24(maskFile, 4 * kColumn, kRows, mask));
}

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
