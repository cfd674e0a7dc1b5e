#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gl_test_window.h"
#include "render/draw_mesh.h"
#include "scene_bytes.h"

// The matrix calls drawMesh makes are wrapped at link time (-Wl,--wrap), logged, and passed on.
namespace {
std::vector<std::string> gCalls;

void logCall(const char* name, std::initializer_list<float> args = {})
{
    std::string call = name;
    for (float a : args) {
        char text[32];
        std::snprintf(text, sizeof text, " %.2f", static_cast<double>(a));
        call += text;
    }
    gCalls.push_back(call);
}
}  // namespace

extern "C" {
void __real_glPushMatrix();
void __real_glPopMatrix();
void __real_glTranslatef(GLfloat, GLfloat, GLfloat);
void __wrap_glPushMatrix() { logCall("push"); __real_glPushMatrix(); }
void __wrap_glPopMatrix() { logCall("pop"); __real_glPopMatrix(); }
void __wrap_glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    logCall("translate", {x, y, z});
    __real_glTranslatef(x, y, z);
}
}

namespace {

constexpr int kSize = 64;
constexpr int kFloatsPerVertex = 3 + 4 + 4;  // GL_3D_COLOR_TEXTURE: window xyz, RGBA, STRQ

struct DrawMeshTest : SceneBytesTest {
    GlTestWindow window;

    void SetUp() override
    {
        ASSERT_TRUE(window.open(kSize, kSize));
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kSize, 0, kSize, -100, 100);  // world x, y land on the same window x, y
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gCalls.clear();
    }
    void TearDown() override { window.close(); }

    // Draws the mesh in feedback mode and returns the feedback values.
    std::vector<GLfloat> drawForFeedback(const Mesh& mesh)
    {
        std::vector<GLfloat> buffer(1024);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        drawMesh(mesh);
        buffer.resize(static_cast<size_t>(glRenderMode(GL_RENDER)));
        return buffer;
    }
};

TEST_F(DrawMeshTest, MeshWithoutFacesDrawsNothing)
{
    Mesh mesh{};
    mesh.localFrame[3][0] = 5.0f;
    GLint depthBefore = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    EXPECT_TRUE(drawForFeedback(mesh).empty());
    EXPECT_EQ(gCalls, (std::vector<std::string>{"push", "translate 5.00 0.00 0.00", "pop"}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint depthAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
}

TEST_F(DrawMeshTest, MeshIsDrawnWhereTheFilePutIt)
{
    ChunkWriter w;
    w.beginScene();
    w.begin(0x4000);
    w.str("tri");
    w.begin(0x4100);
    writeVertices(w, {{12, 3, 4}, {14, 3, 4}, {12, 5, 4}});
    writeMapping(w, {{0.25f, 0.5f}, {1, 0}, {0, 1}});
    writeFaces(w, {{{0, 1, 2}}});
    writeLocalAxes(w, {10, 0, 0});
    w.end();
    w.end();
    w.endScene();
    load(w);
    ASSERT_EQ(scene.meshCount, 1.0f);

    glNormal3f(1.0f, 0.0f, 0.0f);
    glTexCoord2f(0.75f, 0.75f);
    const std::vector<GLfloat> fb = drawForFeedback(*scene.meshes);
    // the corners are sent relative to the origin (10, 0, 0), under a translation by it
    EXPECT_EQ(gCalls, (std::vector<std::string>{"push", "translate 10.00 0.00 0.00", "pop"}));
    // the last corner's normal and texture coordinate stay current, as for the sparks after it
    GLfloat normal[3] = {}, texcoord[4] = {};
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texcoord);
    EXPECT_EQ(std::vector<GLfloat>(normal, normal + 3), (std::vector<GLfloat>{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(std::vector<GLfloat>(texcoord, texcoord + 2), (std::vector<GLfloat>{0.0f, 1.0f}));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY) || glIsEnabled(GL_NORMAL_ARRAY) || glIsEnabled(GL_TEXTURE_COORD_ARRAY));

    ASSERT_EQ(fb.size(), 2 + 3u * kFloatsPerVertex);
    EXPECT_EQ(fb[0], static_cast<GLfloat>(GL_POLYGON_TOKEN));
    EXPECT_EQ(fb[1], 3.0f);
    const GLfloat* first = &fb[2];
    EXPECT_FLOAT_EQ(first[0], 12.0f);  // window x of world x 12
    EXPECT_FLOAT_EQ(first[1], 3.0f);
    EXPECT_FLOAT_EQ(first[7], 0.25f);  // its own texture coordinate
    EXPECT_FLOAT_EQ(first[8], 0.5f);
    const GLfloat* third = &fb[2 + 2 * kFloatsPerVertex];
    EXPECT_FLOAT_EQ(third[0], 12.0f);
    EXPECT_FLOAT_EQ(third[1], 5.0f);
    EXPECT_FLOAT_EQ(third[8], 1.0f);
}

}  // namespace
