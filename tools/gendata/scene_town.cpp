#include <iterator>

#include "land.h"
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

constexpr float kStreetWest = -185, kStreetEast = -35;  // the street that leads in through the gate

constexpr Rect kPavedAreas[] = {
    {-420, -800, 560, -40},                       // the plaza and the streets east of it
    {kStreetWest, kTownSouthY, kStreetEast, -800},  // the street through the gate
};
// Lawns round the town, as far as the meadows that begin at its south and east edges.
constexpr Rect kLawns[] = {
    {-1000, -40, kTownEastX, 450},
    {-1000, -800, -420, -40},
    {560, -800, kTownEastX, -40},
    {-1000, kTownSouthY, kStreetWest, -800},
    {kStreetEast, kTownSouthY, kTownEastX, -800},
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

constexpr Vec3 kPedestal{kRingCentre.x, kRingCentre.y, 0};
constexpr float kPedestalHeight = 40, kCradleTop = 64;

// The temple: two steps, a ring of columns round the inner hall, the beam they carry.
constexpr Rect kTempleBase{-380, -540, -210, -400};
constexpr float kTempleStep = 12, kColumnTop = 106, kTempleBeam = 16, kColumnInset = 16, kColumnRadius = 6.5f;
constexpr int kColumnsAcross = 6, kColumnsAlong = 5;  // on the front and on each side, corners included
constexpr float kHallInsetX = 44, kHallInsetY = 40;
constexpr float kTempleRoofHeight = 30;

constexpr Vec3 kFountain{-250, -690, 0};
constexpr float kRimRadius = 55, kRimHeight = 12, kWaterRadius = 49, kWaterLevel = 13;
constexpr float kBowlRadius = 16, kBowlHeight = 40, kBowlDepth = 6, kSpoutRadius = 6;

constexpr Vec3 kBellTower{-110, -255, 0};
constexpr float kTowerHalf = 20, kTowerShaft = 220, kSpireHeight = 60, kTowerCap = 8;
constexpr float kBelfrySpan = 20, kBelfryPier = 10, kBelfrySpring = 22, kBelfryDepth = 6;

constexpr ArchShape kGate{{-110, -820, 0}, true, 100, 25, 60, 30};
constexpr float kGateAttic = 30;

// The arcade along the north side of the plaza, arch beside arch, under one beam.
constexpr ArchShape kArcadeArch{{-300, -210, 0}, true, 60, 16, 50, 20};
constexpr int kArcadeArches = 5;
constexpr float kArcadeBeam = 14;

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
           add(kBellTower, {kTowerHalf + 2, kTowerHalf + 2, belfryTop() + kTowerCap}), scale);
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

void addGround(SceneDesc& scene)
{
    MeshData paving = newMesh("Plaza", kPaving), lawns = newMesh("Lawns", kGrass);
    for (const Rect& r : kPavedAreas) addFlat(paving, r, 0, kPavingScale);
    for (const Rect& r : kLawns) addFlat(lawns, r, 0, kGrassScale);
    addMesh(scene, paving);
    addMesh(scene, lawns);
}

void addHouses(SceneDesc& scene)
{
    MeshData walls = newMesh("Houses", kBrick), gables = newMesh("Gables", kRoofTile);
    addBox(walls, add(kBellTower, {-kTowerHalf, -kTowerHalf, 0}), add(kBellTower, {kTowerHalf, kTowerHalf, kTowerShaft}),
           kBrickScale, false);
    for (const Building& b : kStreetHouses) {
        addWalls(walls, b, kBrickScale);
        addGableRoof(gables, {b.plan.x0 - 3, b.plan.y0, b.height}, {b.plan.x1 + 3, b.plan.y1, b.height}, kGableHeight,
                     false, kRoofScale);
    }
    MeshData flats = newMesh("Flats", kPlaster), blocks = newMesh("Blocks", kFacade), roofs = newMesh("Roofs", kSlate);
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

void addColumn(MeshData& marble, float x, float y)
{
    addCylinder(marble, {x, y, 2 * kTempleStep}, kColumnRadius, kColumnTop - 2 * kTempleStep, 10, kMarbleScale, false);
}

// The temple on the west side of the plaza, with its copper roof; the bell tower's spire is
// of copper too.
void addTemple(SceneDesc& scene, MeshData& marble)
{
    const Rect& b = kTempleBase;
    addBox(marble, {b.x0, b.y0, 0}, {b.x1, b.y1, kTempleStep}, kMarbleScale);
    addBox(marble, {b.x0 + 6, b.y0 + 6, kTempleStep}, {b.x1 - 6, b.y1 - 6, 2 * kTempleStep}, kMarbleScale);
    addBox(marble, {b.x0 + kHallInsetX, b.y0 + kHallInsetY, 2 * kTempleStep},
           {b.x1 - kHallInsetX, b.y1 - kHallInsetY, kColumnTop}, kMarbleScale, false);
    const float x0 = b.x0 + kColumnInset, x1 = b.x1 - kColumnInset, y0 = b.y0 + kColumnInset, y1 = b.y1 - kColumnInset;
    for (int i = 0; i < kColumnsAcross; ++i) {
        float x = x0 + (x1 - x0) * i / (kColumnsAcross - 1);
        addColumn(marble, x, y0);
        addColumn(marble, x, y1);
    }
    for (int i = 1; i < kColumnsAlong - 1; ++i) {
        float y = y0 + (y1 - y0) * i / (kColumnsAlong - 1);
        addColumn(marble, x0, y);
        addColumn(marble, x1, y);
    }
    addBox(marble, {b.x0, b.y0, kColumnTop}, {b.x1, b.y1, kColumnTop + kTempleBeam}, kMarbleScale);
    MeshData copper = newMesh("Copper", kCopper);
    addGableRoof(copper, {b.x0 - 4, b.y0 - 4, kColumnTop + kTempleBeam}, {b.x1 + 4, b.y1 + 4, 0}, kTempleRoofHeight, false,
                 kRoofScale);
    addPyramid(copper, add(kBellTower, {0, 0, belfryTop() + kTowerCap}), kTowerHalf + 4, kSpireHeight, kRoofScale);
    addMesh(scene, copper);
}

void addFountain(SceneDesc& scene, MeshData& stone, MeshData& marble)
{
    addCylinder(stone, kFountain, kRimRadius, kRimHeight, 20, kStoneScale, true);
    addCylinder(stone, add(kFountain, {0, 0, kBowlHeight}), kBowlRadius, kBowlDepth, 12, kStoneScale, true);
    addCylinder(marble, add(kFountain, {0, 0, kWaterLevel}), kSpoutRadius, kBowlHeight - kWaterLevel, 8, kMarbleScale, false);
    MeshData pool = newMesh("Pool", kWater);
    addDisc(pool, add(kFountain, {0, 0, kWaterLevel}), kWaterRadius, 24, kWaterScale);
    addMesh(scene, pool);
}

// The gate over the street, the arcade along the north side, the belfry, the fountain's
// rim and bowl and the ring's pedestal: all granite (the fountain's spout is marble).
void addStonework(SceneDesc& scene, MeshData& marble)
{
    MeshData stone = newMesh("Stonework", kGranite);
    addArch(stone, kGate, kStoneScale);
    addBox(stone, {kStreetWest, kGate.base.y - 18, archTop(kGate)}, {kStreetEast, kGate.base.y + 18, archTop(kGate) + kGateAttic},
           kStoneScale);
    ArchShape arch = kArcadeArch;
    const float pitch = arch.span + 2 * arch.pier;
    for (int i = 0; i < kArcadeArches; ++i, arch.base.x += pitch) addArch(stone, arch, kStoneScale);
    const float west = kArcadeArch.base.x - pitch / 2, y = kArcadeArch.base.y, top = archTop(kArcadeArch);
    addBox(stone, {west, y - 12, top}, {west + kArcadeArches * pitch, y + 12, top + kArcadeBeam}, kStoneScale);
    addBelfry(stone, kStoneScale);
    addFountain(scene, stone, marble);
    addTaperedBlock(stone, kPedestal, 34, 26, kPedestalHeight, kStoneScale);
    addBox(stone, add(kPedestal, {-16, -12, kPedestalHeight}), add(kPedestal, {16, 12, kCradleTop}), kStoneScale);
    addMesh(scene, stone);
}

void addRingAndLamps(SceneDesc& scene, MeshData& steel)
{
    MeshData ring = newMesh("Ring", kBronze);
    addTorus(ring, kRingCentre, kRingRadius, kRingTube, kRingSegments, kRingSides, 6);
    addMesh(scene, ring);
    for (const Vec3& post : kLampPosts) {
        addCylinder(steel, post, 3, kLampHeight, 8, kSteelScale, false);
        addBox(steel, add(post, {-6, -6, kLampHeight}), add(post, {6, 6, kLampHeight + 8}), kSteelScale);
    }
}

void addTownLights(SceneDesc& scene)
{
    const char* names[] = {"Spot01", "Spot02", "Spot03"};
    for (size_t i = 0; i < std::size(kRoofSpots); ++i)
        addLight(scene, {names[i], kRoofSpots[i], {1.0f, 0.95f, 0.8f}, true, kRingCentre, 20, 35});
    addLight(scene, {"Omni01", add(kFountain, {0, 0, kBowlHeight + 10}), {0.6f, 0.7f, 1.0f}, false, {0, 0, 0}, 0, 0});
}

}  // namespace

void buildTown(SceneDesc& scene, MeshData& steel)
{
    addHouses(scene);
    MeshData marble = newMesh("Temple", kMarble);
    addTemple(scene, marble);
    addStonework(scene, marble);
    addMesh(scene, marble);
    addRingAndLamps(scene, steel);
    // Meshes are drawn in file order: the ground after what stands on it, so that the depth
    // test turns away the hidden part of it before it is textured and fogged.
    addGround(scene);
    addTownLights(scene);
}
