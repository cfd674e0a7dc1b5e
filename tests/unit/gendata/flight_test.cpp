#include <gtest/gtest.h>

#include <cmath>

#include "flight_view.h"
#include "scene_layout.h"

namespace {

constexpr float kFrame = 1.0f / 60;
constexpr float kAspect = 800.0f / 600;
// The near plane is 10 units from the eye and the shake moves it up to 4 more.
constexpr float kClearance = 16;

const SceneDesc& scene()
{
    static const SceneDesc built = buildScene();
    return built;
}

const std::vector<Triangle>& triangles()
{
    static const std::vector<Triangle> all = sceneTriangles(scene());
    return all;
}

float lens() { return scene().cameras.front().lens; }

bool near(const Vec3& p, const Triangle& t, float reach)
{
    return p.x > t.lo.x - reach && p.x < t.hi.x + reach && p.y > t.lo.y - reach && p.y < t.hi.y + reach &&
           p.z > t.lo.z - reach && p.z < t.hi.z + reach;
}

TEST(Flight, EyeNeverComesCloseToAWall)
{
    for (float t = 0; t < flightSeconds(); t += kFrame) {
        CameraPose pose = cameraAt(t);
        if (!pose.flying) continue;
        for (const Triangle& tri : triangles())
            if (near(pose.eye, tri, kClearance)) {
                ASSERT_GE(distanceToTriangle(pose.eye, tri), kClearance)
                    << "at " << t << " s, eye (" << pose.eye.x << ", " << pose.eye.y << ", " << pose.eye.z << ")";
            }
    }
}

// The fog leaves little of anything further away than this.
float visibleDistance(const CameraPose& pose) { return std::log(1 / 0.15f) / pose.fogDensity; }

// At least a third of the picture shows the scene rather than the white background, in every
// segment (the script looks up into the sky in some).
TEST(Flight, EverySegmentShowsTheScene)
{
    constexpr int kColumns = 8, kRows = 6;
    for (int i = 0; i < segmentCount(); ++i) {
        float mid = (segmentStart(i) + segmentEnd(i)) / 2;
        CameraPose pose = cameraAt(mid);
        ASSERT_TRUE(pose.flying) << "segment " << i + 1;
        int hits = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                Vec3 ray = viewRay(pose, lens(), kAspect, (c + 0.5f) / kColumns * 2 - 1, (r + 0.5f) / kRows * 2 - 1);
                float limit = visibleDistance(pose);
                hits += rayHit(pose.eye, ray, triangles(), limit) < limit;
            }
        EXPECT_GE(hits, kColumns * kRows / 3) << "segment " << i + 1 << " at " << mid << " s";
    }
}

// The sparks sit on the ring: it must be in the picture, near enough to see, for a good while.
TEST(Flight, TheSparkRingIsInViewForAWhile)
{
    const MeshData* ring = nullptr;
    for (const MeshData& mesh : scene().meshes)
        if (mesh.faces.size() * 3 == 960) ring = &mesh;
    ASSERT_TRUE(ring);
    Vec3 centre{0, 0, 0};
    for (const Vec3& p : ring->positions) centre = add(centre, times(p, 1.0f / ring->positions.size()));
    const float halfFovy = lens() * 3.14159265f / 360;
    float seen = 0;
    for (float t = 0; t < flightSeconds(); t += kFrame) {
        CameraPose pose = cameraAt(t);
        if (!pose.flying) continue;
        Vec3 toRing = centre - pose.eye, forward = pose.target - pose.eye;
        float distance = float(toRing.length());
        float angle = std::acos(dot(toRing, forward) / (distance * float(forward.length())));
        if (distance < visibleDistance(pose) && angle < halfFovy) seen += kFrame;
    }
    EXPECT_GT(seen, 10.0f);
}

}  // namespace
