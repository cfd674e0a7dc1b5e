#include "spark_view.h"

#include <cmath>

#include "state/app.h"
#include "show/camera_timeline.h"
#include "show/path_interpolation.h"
#include "show/vertex_sparks.h"

namespace {

constexpr uint32_t kProbeStepMs = 100;
constexpr double kMinDistance = 10.0;  // the near plane
constexpr double kMaxCosine = 0.97;    // within about 14 degrees of the view's centre

double dot(const Vec3& a, const Vec3& b)
{
    return static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y + static_cast<double>(a.z) * b.z;
}

Vec3 meshCentre(const Mesh& mesh)
{
    double x = 0, y = 0, z = 0;
    for (int k = 0; k < mesh.cornerCount; ++k) {
        x += mesh.corners[k].position.x;
        y += mesh.corners[k].position.y;
        z += mesh.corners[k].position.z;
    }
    double n = mesh.cornerCount;
    return {static_cast<float>(mesh.localFrame[3][0] + x / n), static_cast<float>(mesh.localFrame[3][1] + y / n),
            static_cast<float>(mesh.localFrame[3][2] + z / n)};
}

// The scripted eye and target at `ms`, as the timeline decides them; false in a gap.
bool scriptedView(uint32_t ms, Vec3& eye, Vec3& target)
{
    App probe{};  // its camera is the show's spare, its clock started at 0
    ManualTime time{ms};
    probe.clock.source = manualTimeSource(time);
    startShow(probe.show);
    probe.show.cameraShake = 0;
    TimelineFrame frame = playCameraTimeline(probe);
    eye = frame.lookFrom;
    target = frame.lookAt;
    return !probe.show.greetsPanelOn && (eye - target).length() > 0.0;
}

}  // namespace

SceneSize sceneSize(const Scene& scene)
{
    SceneSize size{};
    const Mesh* mesh = scene.meshes;
    for (int i = 0; i < scene.meshCount && mesh; ++i, mesh = mesh->next) {
        ++size.meshes;
        size.triangles += static_cast<int>(mesh->faceCount);
        if (mesh->cornerCount == kSparkMeshCorners) ++size.sparkMeshes;
    }
    size.sparkPoints = size.sparkMeshes * size.meshes * kSparkMeshCorners;
    size.sparkPointsSent = size.meshes > 0 ? size.sparkMeshes * kSparkMeshCorners : 0;
    const SceneLight* light = scene.lights;
    for (int i = 0; i < scene.lightCount && light; ++i, light = light->next) ++size.lights;
    return size;
}

uint32_t sparksInViewMs(const Scene& scene)
{
    const PathSegment& last = kCameraTimeline.segments[kCameraTimeline.segmentCount - 1];
    auto endMs = static_cast<uint32_t>(windowEdgeMs(last.endTime));
    uint32_t best = 0;
    double bestDistance = 0.0;
    for (uint32_t ms = kProbeStepMs; ms < endMs; ms += kProbeStepMs) {
        Vec3 eye, target;
        if (!scriptedView(ms, eye, target)) continue;
        Vec3 ahead = target - eye;
        double aheadLength = ahead.length();
        const Mesh* mesh = scene.meshes;
        for (int i = 0; i < scene.meshCount && mesh; ++i, mesh = mesh->next) {
            if (mesh->cornerCount != kSparkMeshCorners) continue;
            Vec3 toMesh = meshCentre(*mesh) - eye;
            double distance = toMesh.length();
            if (distance < kMinDistance || aheadLength == 0.0) continue;
            if (dot(ahead, toMesh) / (aheadLength * distance) < kMaxCosine) continue;
            if (best == 0 || distance < bestDistance) {
                best = ms;
                bestDistance = distance;
            }
        }
    }
    return best;
}
