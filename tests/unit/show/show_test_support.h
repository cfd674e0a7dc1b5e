#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <vector>

#include "state/app.h"
#include "state/demo_clock.h"
#include "platform/time_source.h"
#include "scene/scene.h"
#include "show/camera_timeline.h"
#include "show/demo_random.h"
#include "show/greets_overlays.h"

// The demo clock on a counter the test sets by hand, started at 0: the demo time is time.nowMs.
inline void startManualClock(App& app, ManualTime& time)
{
    time.nowMs = 0;
    app.clock.source = manualTimeSource(time);
    startClock(app.clock);
}

// Program-wide show state as at program start, in an 800 × 600 window.
inline void resetShow(App& app, int width = 800, int height = 600)
{
    startShow(app.show);
    app.viewWidth = width;
    app.viewHeight = height;
    app.show.panel.panelCentreX = width / 2;
}

inline Vec3 lerp(const Vec3& a, const Vec3& b, float u)
{
    return {a.x + u * (b.x - a.x), a.y + u * (b.y - a.y), a.z + u * (b.z - a.z)};
}

// Scene records built by hand and linked into a Scene as the loader links them; the builder
// owns their storage.
struct TestScene {
    std::deque<Mesh> meshes;
    std::deque<std::vector<MeshCorner>> corners;
    std::deque<std::vector<int32_t>> faceMaterials;
    std::deque<SceneLight> lights;
    std::deque<SceneCamera> cameras;
    std::deque<Material> materials;

    template <typename Record>
    static void link(Record*& head, float& count, Record& record)
    {
        Record** at = &head;
        Record* prev = nullptr;
        while (*at) {
            prev = *at;
            at = &(*at)->next;
        }
        record.prev = prev;
        record.next = nullptr;
        *at = &record;
        count += 1.0f;
    }

    Mesh& addMesh(Scene& scene, const Vec3& origin, std::vector<MeshCorner> meshCorners, int32_t material = 0)
    {
        Mesh& mesh = meshes.emplace_back();
        corners.push_back(std::move(meshCorners));
        mesh.cornerCount = static_cast<float>(corners.back().size());
        mesh.faceCount = mesh.cornerCount / 3;
        faceMaterials.emplace_back(corners.back().size() / 3, material);
        mesh.faceMaterials = faceMaterials.back().data();
        mesh.corners = corners.back().data();
        mesh.localFrame[0][0] = mesh.localFrame[1][1] = mesh.localFrame[2][2] = mesh.localFrame[3][3] = 1.0f;
        mesh.localFrame[3][0] = origin.x;
        mesh.localFrame[3][1] = origin.y;
        mesh.localFrame[3][2] = origin.z;
        link(scene.meshes, scene.meshCount, mesh);
        return mesh;
    }

    SceneLight& addLight(Scene& scene, const Vec3& position, int32_t kind, const Vec3& spotTarget)
    {
        SceneLight& light = lights.emplace_back();
        light.position = position;
        light.kind = kind;
        light.spotTarget = spotTarget;
        link(scene.lights, scene.lightCount, light);
        return light;
    }

    Material& addMaterial(Scene& scene, const char* mapName)
    {
        Material& material = materials.emplace_back();
        material.number = static_cast<int32_t>(materials.size()) - 1;
        std::snprintf(material.name, kNameSize, "%s", mapName);
        std::snprintf(material.mapName, kNameSize, "%s", mapName);
        link(scene.materials, scene.materialCount, material);
        return material;
    }

    SceneCamera& addCamera(Scene& scene, float lens = 45.0f)
    {
        SceneCamera& camera = cameras.emplace_back();
        camera.lens = lens;
        link(scene.cameras, scene.cameraCount, camera);
        if (!scene.selectedCamera) {
            scene.selectedCamera = &camera;
            scene.selectedCameraNumber = 1;
        }
        return camera;
    }
};

// A mesh of `count` corners spread over a small grid, each with a unit normal along +z.
inline std::vector<MeshCorner> gridCorners(int count, float spacing)
{
    std::vector<MeshCorner> corners(count);
    for (int k = 0; k < count; ++k) {
        corners[k].position = {spacing * static_cast<float>(k % 40), spacing * static_cast<float>(k / 40), 0.0f};
        corners[k].normal = {0.0f, 0.0f, 1.0f};
    }
    return corners;
}
