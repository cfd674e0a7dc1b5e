#include "materials.h"
#include "scene_layout.h"
#include "shapes.h"

namespace {

struct Rect {
    float x0, y0, x1, y1;
};

struct Building {
    Rect plan;
    float height;
};

// World units per texture repeat, chosen so that one floor of windows is 40 units high.
constexpr float kPavingScale = 128, kGrassScale = 64, kBrickScale = 48, kFacadeScale = 80, kPlasterScale = 40;
constexpr float kRoofScale = 48, kStoneScale = 64, kMarbleScale = 96, kWaterScale = 96, kSteelScale = 32;

constexpr Rect kPavedAreas[] = {
    {-420, -800, 560, -40},     // the plaza and the streets east of it
    {-185, -1350, -35, -800},   // the street through the gate
};
constexpr Rect kLawns[] = {
    {-1000, -40, 1150, 450},
    {-1000, -800, -420, -40},
    {560, -800, 1150, -40},
    {-1000, -1350, -185, -800},
    {-35, -1350, 1150, -800},
};

// Terraced houses on both sides of the street that leads in through the gate.
constexpr Building kStreetHouses[] = {
    {{-265, -1180, -185, -1100}, 120}, {{-265, -1095, -185, -1000}, 160},
    {{-265, -995, -185, -905}, 120},   {{-265, -900, -185, -805}, 140},
    {{-35, -1180, 45, -1090}, 140},    {{-35, -1085, 45, -995}, 120},
    {{-35, -990, 45, -900}, 160},      {{-35, -895, 45, -805}, 120},
};
constexpr float kGableHeight = 36;

// The blocks of flats behind the arcade on the north side of the plaza.
constexpr Building kNorthFlats[] = {
    {{-400, -180, -290, -60}, 160}, {{-285, -180, -170, -60}, 200}, {{-165, -180, -60, -60}, 120},
    {{-55, -180, 50, -60}, 160},    {{55, -180, 130, -60}, 200},
};

// The new town east of the plaza: three rows of blocks across four streets.
constexpr Building kEastBlocks[] = {
    {{150, -600, 240, -500}, 160}, {{280, -600, 370, -500}, 240}, {{410, -600, 520, -500}, 200},
    {{150, -460, 240, -350}, 200}, {{280, -460, 370, -350}, 280}, {{410, -460, 520, -350}, 160},
    {{150, -310, 240, -200}, 120}, {{280, -310, 370, -200}, 200}, {{410, -310, 520, -200}, 240},
    {{150, -160, 240, -60}, 240},  {{280, -160, 370, -60}, 160},  {{410, -160, 520, -60}, 200},
};

constexpr Vec3 kRingCentre{60, -300, 122};
constexpr float kRingRadius = 50, kRingTube = 12;
constexpr int kRingSegments = 20, kRingSides = 8;  // 320 triangles: the mesh that carries the sparks

constexpr Vec3 kFountain{-250, -690, 0};
constexpr Vec3 kBellTower{-110, -255, 0};
constexpr float kTowerHalf = 20, kTowerShaft = 220;
constexpr float kBelfrySpan = 20, kBelfryPier = 10, kBelfrySpring = 22, kBelfryDepth = 6;
constexpr float kGateY = -820;

// Street lamps along the kerbs of the street through the gate.
constexpr Vec3 kLampPosts[] = {{-175, -1140, 0}, {-45, -1140, 0}, {-175, -960, 0}, {-45, -960, 0}};
constexpr float kLampHeight = 90;

// Spotlights on the rooftops around the plaza, all trained on the ring.
constexpr Vec3 kRoofSpots[] = {{325, -405, 300}, {-227, -120, 220}, {195, -110, 260}};

// One open side of the belfry, centred `offset` from the tower's axis.
ArchShape belfryArch(const Vec3& offset, bool alongX)
{
    return {add(kBellTower, add(offset, {0, 0, kTowerShaft})), alongX, kBelfrySpan, kBelfryPier, kBelfrySpring, kBelfryDepth};
}

float belfryTop() { return kTowerShaft + archTop(belfryArch({0, 0, 0}, true)); }

// The bell tower's top: an open arch on each side, then a cap for the spire to stand on.
void addBelfry(MeshData& stone, float scale)
{
    const float inner = kTowerHalf - kBelfryDepth / 2;
    for (float side : {-1.0f, 1.0f}) {
        addArch(stone, belfryArch({0, side * inner, 0}, true), scale);
        addArch(stone, belfryArch({side * inner, 0, 0}, false), scale);
    }
    addBox(stone, add(kBellTower, {-kTowerHalf - 2, -kTowerHalf - 2, belfryTop()}),
           add(kBellTower, {kTowerHalf + 2, kTowerHalf + 2, belfryTop() + 8}), scale);
}

void addFlat(MeshData& mesh, const Rect& r, float z, float scale)
{
    addPlanarQuad(mesh, {Vec3{r.x0, r.y0, z}, Vec3{r.x1, r.y0, z}, Vec3{r.x1, r.y1, z}, Vec3{r.x0, r.y1, z}}, scale,
                  {0, 0, 1});
}

void addWalls(MeshData& mesh, const Building& b, float scale)
{
    addBox(mesh, {b.plan.x0, b.plan.y0, 0}, {b.plan.x1, b.plan.y1, b.height}, scale, false);
}

MeshData makeMesh(const char* name, MaterialId material) { return MeshData{name, material, {0, 0, 0}, {}, {}, {}}; }

void addGround(SceneDesc& scene)
{
    MeshData paving = makeMesh("Plaza", kPaving), lawns = makeMesh("Lawns", kGrass);
    for (const Rect& r : kPavedAreas) addFlat(paving, r, 0, kPavingScale);
    for (const Rect& r : kLawns) addFlat(lawns, r, 0, kGrassScale);
    addMesh(scene, paving);
    addMesh(scene, lawns);
}

void addHouses(SceneDesc& scene)
{
    MeshData walls = makeMesh("Houses", kBrick), gables = makeMesh("Gables", kRoofTile);
    addBox(walls, add(kBellTower, {-kTowerHalf, -kTowerHalf, 0}), add(kBellTower, {kTowerHalf, kTowerHalf, kTowerShaft}),
           kBrickScale, false);
    for (const Building& b : kStreetHouses) {
        addWalls(walls, b, kBrickScale);
        addGableRoof(gables, {b.plan.x0 - 3, b.plan.y0, b.height}, {b.plan.x1 + 3, b.plan.y1, b.height}, kGableHeight,
                     false, kRoofScale);
    }
    MeshData flats = makeMesh("Flats", kPlaster), blocks = makeMesh("Blocks", kFacade), roofs = makeMesh("Roofs", kSlate);
    for (const Building& b : kNorthFlats) {
        addWalls(flats, b, kPlasterScale);
        addFlat(roofs, b.plan, b.height, kRoofScale);
    }
    for (const Building& b : kEastBlocks) {
        addWalls(blocks, b, kFacadeScale);
        addFlat(roofs, b.plan, b.height, kRoofScale);
    }
    addMesh(scene, walls);
    addMesh(scene, gables);
    addMesh(scene, flats);
    addMesh(scene, blocks);
    addMesh(scene, roofs);
}

// The temple on the west side of the plaza: two steps, a ring of columns, the inner hall,
// the beam they carry and a copper roof.
void addTemple(SceneDesc& scene, MeshData& marble)
{
    constexpr Rect kBase{-380, -540, -210, -400};
    constexpr float kStep = 12, kColumnTop = 106, kBeam = 16;
    addBox(marble, {kBase.x0, kBase.y0, 0}, {kBase.x1, kBase.y1, kStep}, kMarbleScale);
    addBox(marble, {kBase.x0 + 6, kBase.y0 + 6, kStep}, {kBase.x1 - 6, kBase.y1 - 6, 2 * kStep}, kMarbleScale);
    addBox(marble, {-336, -500, 2 * kStep}, {-254, -440, kColumnTop}, kMarbleScale, false);
    for (int i = 0; i < 6; ++i)
        for (float y : {-524.0f, -416.0f}) {
            float x = -364 + i * 27.6f;
            addCylinder(marble, {x, y, 2 * kStep}, 6.5f, kColumnTop - 2 * kStep, 10, kMarbleScale, false);
        }
    for (int i = 0; i < 3; ++i)
        for (float x : {-364.0f, -226.0f})
            addCylinder(marble, {x, -497.0f + i * 27, 2 * kStep}, 6.5f, kColumnTop - 2 * kStep, 10, kMarbleScale, false);
    addBox(marble, {kBase.x0, kBase.y0, kColumnTop}, {kBase.x1, kBase.y1, kColumnTop + kBeam}, kMarbleScale);
    MeshData roofs = makeMesh("Copper", kCopper);
    addGableRoof(roofs, {kBase.x0 - 4, kBase.y0 - 4, kColumnTop + kBeam}, {kBase.x1 + 4, kBase.y1 + 4, 0}, 30, false, kRoofScale);
    addPyramid(roofs, add(kBellTower, {0, 0, belfryTop() + 8}), kTowerHalf + 4, 60, kRoofScale);
    addMesh(scene, roofs);
}

// The gate over the street, the arcade along the north side, the fountain rim and the
// ring's pedestal: everything of granite.
void addStonework(SceneDesc& scene, MeshData& marble)
{
    MeshData stone = makeMesh("Stonework", kGranite);
    ArchShape gate{{-110, kGateY, 0}, true, 100, 25, 60, 30};
    addArch(stone, gate, kStoneScale);
    addBox(stone, {-185, kGateY - 18, archTop(gate)}, {-35, kGateY + 18, archTop(gate) + 30}, kStoneScale);
    for (int i = 0; i < 5; ++i) addArch(stone, {{-300.0f + i * 92, -210, 0}, true, 60, 16, 50, 20}, kStoneScale);
    addBox(stone, {-346, -222, 96}, {114, -198, 110}, kStoneScale);
    addBelfry(stone, kStoneScale);
    addCylinder(stone, kFountain, 55, 12, 20, kStoneScale, true);
    addCylinder(stone, add(kFountain, {0, 0, 40}), 16, 6, 12, kStoneScale, true);
    addCylinder(marble, add(kFountain, {0, 0, 13}), 6, 27, 8, kMarbleScale, false);
    addTaperedBlock(stone, {kRingCentre.x, kRingCentre.y, 0}, 34, 26, 40, kStoneScale);
    addBox(stone, {kRingCentre.x - 16, kRingCentre.y - 12, 40}, {kRingCentre.x + 16, kRingCentre.y + 12, 64}, kStoneScale);
    addMesh(scene, stone);
    MeshData pool = makeMesh("Pool", kWater);
    addDisc(pool, add(kFountain, {0, 0, 13}), 49, 24, kWaterScale);
    addMesh(scene, pool);
}

void addRingAndLamps(SceneDesc& scene)
{
    MeshData ring = makeMesh("Ring", kBronze);
    addTorus(ring, kRingCentre, kRingRadius, kRingTube, kRingSegments, kRingSides, 6);
    addMesh(scene, ring);
    MeshData lamps = makeMesh("Lamps", kSteel);
    for (const Vec3& post : kLampPosts) {
        addCylinder(lamps, post, 3, kLampHeight, 8, kSteelScale, false);
        addBox(lamps, add(post, {-6, -6, kLampHeight}), add(post, {6, 6, kLampHeight + 8}), kSteelScale);
    }
    addMesh(scene, lamps);
}

void addTownLights(SceneDesc& scene)
{
    const char* names[] = {"Spot01", "Spot02", "Spot03"};
    for (size_t i = 0; i < std::size(kRoofSpots); ++i)
        addLight(scene, {names[i], kRoofSpots[i], {1.0f, 0.95f, 0.8f}, true, kRingCentre, 20, 35});
    addLight(scene, {"Omni01", add(kFountain, {0, 0, 50}), {0.6f, 0.7f, 1.0f}, false, {0, 0, 0}, 0, 0});
}

}  // namespace

void buildTown(SceneDesc& scene)
{
    addGround(scene);
    addHouses(scene);
    MeshData marble = makeMesh("Temple", kMarble);
    addTemple(scene, marble);
    addStonework(scene, marble);
    addMesh(scene, marble);
    addRingAndLamps(scene);
    addTownLights(scene);
}
