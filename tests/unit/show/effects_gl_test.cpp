#include <array>

#include "show/light_markers.h"
#include "show/vertex_sparks.h"
#include "show_gl_support.h"

namespace {

// What the GL would draw, caught in feedback mode in window coordinates with colours, under
// a projection that makes window and world x, y the same.
struct FeedbackVertex {
    float x, y;
    float r, g, b, a;
};

struct EffectsGlTest : ShowGlTest {
    std::vector<GLfloat> buffer = std::vector<GLfloat>(1 << 20);

    void SetUp() override
    {
        ShowGlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 800.0, 0.0, 600.0, -1000.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
    }
    // The points and the polygon corners that `draw` sends.
    template <typename Draw>
    void capture(Draw draw, std::vector<FeedbackVertex>& points, std::vector<FeedbackVertex>& corners)
    {
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw();
        GLint used = glRenderMode(GL_RENDER);
        ASSERT_GE(used, 0) << "feedback buffer too small";
        auto vertexAt = [&](GLint at) {
            return FeedbackVertex{buffer[at], buffer[at + 1], buffer[at + 3], buffer[at + 4], buffer[at + 5], buffer[at + 6]};
        };
        constexpr GLint kVertexFloats = 7;  // x, y, z, r, g, b, a
        for (GLint at = 0; at < used;) {
            GLint token = static_cast<GLint>(buffer[at++]);
            if (token == GL_POINT_TOKEN) {
                points.push_back(vertexAt(at));
                at += kVertexFloats;
            } else if (token == GL_POLYGON_TOKEN) {
                GLint count = static_cast<GLint>(buffer[at++]);
                for (GLint v = 0; v < count; ++v, at += kVertexFloats) corners.push_back(vertexAt(at));
            } else {
                FAIL() << "unexpected feedback token " << token;
            }
        }
    }
    std::array<float, 4> currentColour()
    {
        std::array<float, 4> c{};
        glGetFloatv(GL_CURRENT_COLOR, c.data());
        return c;
    }
};

std::vector<MeshCorner> sparkCorners()
{
    std::vector<MeshCorner> corners = gridCorners(960, 12.0f);
    for (size_t k = 0; k < corners.size(); ++k) corners[k].normal = {0.5f, -0.25f * static_cast<float>(k % 3), 1.0f};
    return corners;
}

// The colour that a spark drawn with the next three randoms gets: blue, green, red in turn.
std::array<float, 3> nextSparkColour(RandomState& replay)
{
    float blue = demoRand(replay) / 32767.0f;
    float green = demoRand(replay) / 32767.0f;
    float red = demoRand(replay) / 32767.0f;
    return {red, green, blue};
}

TEST_F(EffectsGlTest, WhileBlendingSparksSitOffEveryCornerInFreshColoursPerPass)
{
    std::vector<MeshCorner> corners = sparkCorners();
    const Vec3 origin = {100.0f, 50.0f, 0.0f};
    records.addMesh(app.scene, origin, corners);
    records.addMesh(app.scene, {0.0f, 0.0f, 0.0f}, gridCorners(6, 1.0f));
    glEnable(GL_BLEND);  // the passes then mix, so each one shows
    app.show.random.state = 12345;
    RandomState replay = app.show.random;

    std::vector<FeedbackVertex> points, polygons;
    capture([&] { drawVertexSparks(app, 1); }, points, polygons);
    // Two meshes: the 960-corner one is visited twice, the other gives nothing.
    ASSERT_EQ(points.size(), 2u * 960u);
    EXPECT_TRUE(polygons.empty());
    for (size_t i = 0; i < points.size(); ++i) {
        const MeshCorner& c = corners[i % 960];
        std::array<float, 3> colour = nextSparkColour(replay);
        const FeedbackVertex& p = points[i];
        ASSERT_NEAR(p.x, origin.x + c.position.x + c.normal.x + 1.0f, 1e-3) << i;
        ASSERT_NEAR(p.y, origin.y + c.position.y + c.normal.y + 1.0f, 1e-3) << i;
        ASSERT_NEAR(p.r, colour[0], 1e-6) << i;
        ASSERT_NEAR(p.g, colour[1], 1e-6) << i;
        ASSERT_NEAR(p.b, colour[2], 1e-6) << i;
        ASSERT_EQ(p.a, 0.5f) << i;
    }
    EXPECT_EQ(app.show.random.state, replay.state);
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
    GLfloat size = 0.0f;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 10.0f);
}

TEST_F(EffectsGlTest, OverwrittenPassesAreNotSentYetDrawTheirRandoms)
{
    std::vector<MeshCorner> corners = sparkCorners();
    records.addMesh(app.scene, {100.0f, 50.0f, 0.0f}, corners);
    records.addMesh(app.scene, {0.0f, 0.0f, 0.0f}, gridCorners(6, 1.0f));
    records.addMesh(app.scene, {0.0f, 0.0f, 0.0f}, gridCorners(6, 1.0f));
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);  // as the show draws: a pass at the same depth replaces the one before
    RandomState replay = app.show.random;
    for (int skipped = 0; skipped < 2 * 960; ++skipped) nextSparkColour(replay);

    std::vector<FeedbackVertex> points, polygons;
    capture([&] { drawVertexSparks(app, 1); }, points, polygons);
    ASSERT_EQ(points.size(), 960u);  // the third pass only, in its own colours
    for (size_t i = 0; i < points.size(); ++i) {
        std::array<float, 3> colour = nextSparkColour(replay);
        ASSERT_NEAR(points[i].x, 100.0f + corners[i].position.x + corners[i].normal.x + 1.0f, 1e-3) << i;
        ASSERT_NEAR(points[i].r, colour[0], 1e-6) << i;
        ASSERT_NEAR(points[i].b, colour[2], 1e-6) << i;
    }
    EXPECT_EQ(app.show.random.state, replay.state);
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));

    // A strict depth test keeps the first pass, so every pass goes out again.
    glDepthFunc(GL_LESS);
    points.clear();
    capture([&] { drawVertexSparks(app, 1); }, points, polygons);
    EXPECT_EQ(points.size(), 3u * 960u);
}

TEST_F(EffectsGlTest, EverySparkMeshSparklesOncePerMeshOfTheScene)
{
    records.addMesh(app.scene, {100.0f, 50.0f, 0.0f}, sparkCorners());
    records.addMesh(app.scene, {150.0f, 60.0f, 0.0f}, sparkCorners());
    records.addMesh(app.scene, {0.0f, 0.0f, 0.0f}, gridCorners(963, 0.5f));
    glEnable(GL_BLEND);
    std::vector<FeedbackVertex> points, polygons;
    capture([&] { drawVertexSparks(app, 1); }, points, polygons);
    ASSERT_EQ(points.size(), 2u * 3u * 960u);
    EXPECT_NEAR(points[0].x, 101.5f, 1e-3);
    EXPECT_NEAR(points[3 * 960].x, 151.5f, 1e-3);
}

TEST_F(EffectsGlTest, NoSparkMeshNoSparksAndTheColourIsLeftWhite)
{
    records.addMesh(app.scene, {0.0f, 0.0f, 0.0f}, gridCorners(957, 0.5f));
    glColor4f(1.0f, 0.0f, 0.0f, 0.25f);
    std::vector<FeedbackVertex> points, polygons;
    capture([&] { drawVertexSparks(app, 1); }, points, polygons);
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(app.show.random.state, 1u);
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
}

bool hasCorner(const std::vector<FeedbackVertex>& corners, float x, float y)
{
    for (const FeedbackVertex& v : corners)
        if (std::fabs(v.x - x) < 1e-3f && std::fabs(v.y - y) < 1e-3f) return true;
    return false;
}

TEST_F(EffectsGlTest, SpotlightMarkerSpansFromTheLightToItsTargetInCyan)
{
    records.addLight(app.scene, {100.0f, 100.0f, 0.0f}, kSpotLight, {400.0f, 300.0f, 0.0f});
    records.addLight(app.scene, {600.0f, 500.0f, 0.0f}, kOtherLight, {std::nanf(""), 0.0f, 0.0f});
    std::vector<FeedbackVertex> points, corners;
    capture([&] { drawLightMarkers(app); }, points, corners);
    ASSERT_FALSE(corners.empty());
    EXPECT_TRUE(hasCorner(corners, 100.0f, 100.0f));
    EXPECT_TRUE(hasCorner(corners, 120.0f, 120.0f));
    EXPECT_TRUE(hasCorner(corners, 400.0f, 300.0f));
    EXPECT_TRUE(hasCorner(corners, 402.0f, 305.0f));
    for (const FeedbackVertex& v : corners) {
        EXPECT_LT(v.x, 500.0f) << "the light without a target drew a marker";
        EXPECT_EQ(v.r, 0.0f);
        EXPECT_EQ(v.g, 1.0f);
        EXPECT_EQ(v.b, 1.0f);
    }
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
}

TEST_F(EffectsGlTest, NoLightsNoMarkersAndTheColourIsLeftWhite)
{
    glColor3f(0.0f, 1.0f, 0.0f);
    std::vector<FeedbackVertex> points, corners;
    capture([&] { drawLightMarkers(app); }, points, corners);
    EXPECT_TRUE(corners.empty());
    EXPECT_EQ(currentColour(), (std::array<float, 4>{1.0f, 1.0f, 1.0f, 1.0f}));
}

}  // namespace
