#include "platform/web/gl_matrix.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "gl_test_window.h"

namespace {

// Float rounding of the two ways of working the products out, and no more.
constexpr float kTolerance = 2e-5f;

struct MatrixCase {
    const char* name;
    std::function<void()> glCalls;  // on an identity model-view
    std::function<Matrix4()> ours;
};

const double kEye[3] = {120.0, -340.5, 55.25}, kCentre[3] = {-10.0, 20.0, 5.0}, kUp[3] = {0.0, 0.0, 1.0};

const MatrixCase kCases[] = {
    {"ortho", [] { glOrtho(0.0, 800.0, 0.0, 600.0, -1.0, 1.0); },
     [] { return orthographic(0.0, 800.0, 0.0, 600.0, -1.0, 1.0); }},
    {"perspective", [] { gluPerspective(45.0, 4.0 / 3.0, 10.0, 10000.0); },
     [] { return perspective(45.0, 4.0 / 3.0, 10.0, 10000.0); }},
    {"look at", [] { gluLookAt(120.0, -340.5, 55.25, -10.0, 20.0, 5.0, 0.0, 0.0, 1.0); },
     [] { return lookAt(kEye, kCentre, kUp); }},
    // The eye on its target, as between the camera's legs: GLU's view of zero rows.
    {"look at the eye", [] { gluLookAt(120.0, -340.5, 55.25, 120.0, -340.5, 55.25, 0.0, 0.0, 1.0); },
     [] { return lookAt(kEye, kEye, kUp); }},
    {"look at, then a mesh's place",
     [] {
         gluLookAt(120.0, -340.5, 55.25, -10.0, 20.0, 5.0, 0.0, 0.0, 1.0);
         glTranslatef(30.0f, -7.5f, 2.0f);
     },
     [] { return multiply(lookAt(kEye, kCentre, kUp), translation(30.0f, -7.5f, 2.0f)); }},
};

TEST(WebGlMatrix, EachCallGivesMesasMatrix)
{
    GlTestWindow window;
    ASSERT_TRUE(window.open(64, 64)) << "no off-screen GL context";
    glMatrixMode(GL_MODELVIEW);
    for (const MatrixCase& c : kCases) {
        glLoadIdentity();
        c.glCalls();
        float mesa[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, mesa);
        Matrix4 ours = c.ours();
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(ours.m[i], mesa[i], kTolerance * std::max(1.0f, std::fabs(mesa[i]))) << c.name << ", element " << i;
    }
    window.close();
}

// Normals go by the inverse transpose: a scale of 2, 4 and 1/2 shrinks them by 1/2, 1/4 and 2.
TEST(WebGlMatrix, NormalsGoByTheInverseTranspose)
{
    Matrix4 scaled = identityMatrix();
    scaled.m[0] = 2.0f, scaled.m[5] = 4.0f, scaled.m[10] = 0.5f;
    float normals[9];
    normalMatrix(multiply(translation(5.0f, 6.0f, 7.0f), scaled), normals);
    const float expected[9] = {0.5f, 0.0f, 0.0f, 0.0f, 0.25f, 0.0f, 0.0f, 0.0f, 2.0f};
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(normals[i], expected[i]) << "element " << i;
}

}  // namespace
