#include "flight_view.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "show/camera_script.h"
#include "show/frame.h"
#include "show/path_interpolation.h"

namespace {

Vec3 unit(Vec3 v)
{
    v.normalise();
    return v;
}

Vec3 minOf(const Vec3& a, const Vec3& b) { return {std::min(a.x, b.x), std::min(a.y, b.y), std::min(a.z, b.z)}; }
Vec3 maxOf(const Vec3& a, const Vec3& b) { return {std::max(a.x, b.x), std::max(a.y, b.y), std::max(a.z, b.z)}; }

}  // namespace

int segmentCount() { return kCameraTimeline.segmentCount; }

float segmentStart(int i) { return kCameraTimeline.segments[i].startTime; }

float segmentEnd(int i) { return kCameraTimeline.segments[i].endTime; }

float flightSeconds() { return segmentEnd(segmentCount() - 1); }

CameraPose cameraAt(float seconds)
{
    const CameraTimeline& s = kCameraTimeline;
    const float ms = seconds * 1000.0f;
    CameraPose pose{false, {0, 0, 0}, {0, 0, 0}, kSceneFogDensity};
    for (int i = 0; i < s.segmentCount; ++i) {
        const PathSegment& seg = s.segments[i];
        if (!inWindow(ms, seg.startTime, seg.endTime)) continue;
        pose = {true, pointOnLeg(ms, seg.startTime, seg.endTime, s.posDebSource[i], s.posFinSource[i]),
                pointOnLeg(ms, seg.startTime, seg.endTime, s.posDebTarget[i], s.posFinTarget[i]),
                seg.setsFog ? seg.fogDensity : kSceneFogDensity};
    }
    return pose;
}

std::vector<Triangle> meshTriangles(const MeshData& mesh)
{
    std::vector<Triangle> out;
    for (const auto& f : mesh.faces) {
        const Vec3 &a = mesh.positions[f[0]], &b = mesh.positions[f[1]], &c = mesh.positions[f[2]];
        out.push_back({a, b, c, minOf(a, minOf(b, c)), maxOf(a, maxOf(b, c))});
    }
    return out;
}

std::vector<Triangle> sceneTriangles(const SceneDesc& scene)
{
    std::vector<Triangle> out;
    for (const MeshData& mesh : scene.meshes) {
        std::vector<Triangle> part = meshTriangles(mesh);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// The nearest point of the triangle, by the regions of its corners, edges and face.
float distanceToTriangle(const Vec3& p, const Triangle& t)
{
    Vec3 ab = t.b - t.a, ac = t.c - t.a, ap = p - t.a;
    float d1 = dot(ab, ap), d2 = dot(ac, ap);
    if (d1 <= 0 && d2 <= 0) return float((p - t.a).length());
    Vec3 bp = p - t.b;
    float d3 = dot(ab, bp), d4 = dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return float((p - t.b).length());
    Vec3 cp = p - t.c;
    float d5 = dot(ab, cp), d6 = dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return float((p - t.c).length());
    float vc = d1 * d4 - d3 * d2, vb = d5 * d2 - d1 * d6, va = d3 * d6 - d5 * d4;
    Vec3 nearest;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) nearest = add(t.a, times(ab, d1 / (d1 - d3)));
    else if (vb <= 0 && d2 >= 0 && d6 <= 0) nearest = add(t.a, times(ac, d2 / (d2 - d6)));
    else if (va <= 0 && d4 - d3 >= 0 && d5 - d6 >= 0)
        nearest = add(t.b, times(t.c - t.b, (d4 - d3) / ((d4 - d3) + (d5 - d6))));
    else {
        float denom = 1 / (va + vb + vc);
        nearest = add(t.a, add(times(ab, vb * denom), times(ac, vc * denom)));
    }
    return float((p - nearest).length());
}

float rayHit(const Vec3& origin, const Vec3& direction, const std::vector<Triangle>& triangles, float limit)
{
    float best = limit;
    for (const Triangle& t : triangles) {
        Vec3 e1 = t.b - t.a, e2 = t.c - t.a, h = cross(direction, e2);
        float det = dot(e1, h);
        if (std::fabs(det) < 1e-9f) continue;
        Vec3 s = origin - t.a;
        float u = dot(s, h) / det;
        if (u < 0 || u > 1) continue;
        Vec3 q = cross(s, e1);
        float v = dot(direction, q) / det;
        if (v < 0 || u + v > 1) continue;
        float d = dot(e2, q) / det;
        if (d > 0 && d < best) best = d;
    }
    return best;
}

Vec3 viewRay(const CameraPose& pose, float fovyDegrees, float aspect, float px, float py)
{
    Vec3 forward = unit(pose.target - pose.eye);
    Vec3 right = unit(cross(forward, {0, 0, 1}));
    Vec3 up = cross(right, forward);
    float h = std::tan(fovyDegrees * std::numbers::pi_v<float> / 360);
    return unit(add(forward, add(times(right, px * h * aspect), times(up, py * h))));
}
