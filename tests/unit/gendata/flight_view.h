#pragma once

#include <vector>

#include "scene_desc.h"

// Where the demo's scripted camera is at a demo time, and what it can see from there.

struct CameraPose {
    bool flying;  // false in the gaps between segments, which show white frames
    Vec3 eye, target;
    float fogDensity;
};
// The pose at `seconds`, as the show flies it: the last segment in the script whose open window
// holds the time decides.
CameraPose cameraAt(float seconds);
float flightSeconds();
int segmentCount();
// Start and end of segment `i`, in seconds.
float segmentStart(int i);
float segmentEnd(int i);

struct Triangle {
    Vec3 a, b, c;
    Vec3 lo, hi;  // bounding box
};
std::vector<Triangle> sceneTriangles(const SceneDesc& scene);
std::vector<Triangle> meshTriangles(const MeshData& mesh);

float distanceToTriangle(const Vec3& p, const Triangle& t);
// Distance along the ray to the nearest triangle, or `limit` when none is nearer.
float rayHit(const Vec3& origin, const Vec3& direction, const std::vector<Triangle>& triangles, float limit);
// The direction through a point of the picture, (-1, -1) at bottom left to (1, 1) at top right.
Vec3 viewRay(const CameraPose& pose, float fovyDegrees, float aspect, float px, float py);
