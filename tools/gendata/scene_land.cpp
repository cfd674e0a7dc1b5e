#include <algorithm>
#include <cmath>

#include "materials.h"
#include "noise.h"
#include "scene_layout.h"
#include "shapes.h"

namespace {

constexpr float kMeadowScale = 256, kConcreteScale = 64, kSteelScale = 48, kSandScale = 160;
constexpr float kSandstoneScale = 64, kGlyphScale = 48, kRockScale = 48, kBasaltScale = 64, kGoldScale = 32;

MeshData makeMesh(const char* name, MaterialId material) { return MeshData{name, material, {0, 0, 0}, {}, {}, {}}; }

float valleyHeight(float x, float y);

// The crossing: the camera follows a viaduct over rolling meadows, under the cross beams
// of a row of pylon gateways.
constexpr Vec3 kRoadStart{-83, -2747, 0}, kRoadEnd{1910, -2067, 0};
constexpr float kDeckLow = 170, kDeckHigh = 184, kDeckHalfWidth = 26;
constexpr float kPylonOffset = 200, kPylonHeight = 380, kGatewayBeam = 336;
constexpr float kGatewaysAt[] = {250, 650, 1050, 1450, 1850};  // distance along the road
constexpr float kPierSpacing = 150;
constexpr float kLandSeamX = 3250;  // where the meadows meet the valley's ground
constexpr float kTownEastX = 1150, kTownSouthY = -1350;  // the edges of the town's lawns
constexpr float kLandCell = 100;  // the grid that the land meshes share at their seams
constexpr float kLandSouthY = -3550, kLandNorthY = 250;

Vec3 alongRoad(float distance, float sideways)
{
    Vec3 dir = kRoadEnd - kRoadStart;
    float length = static_cast<float>(dir.length());
    Vec3 unit = times(dir, 1 / length);
    return add(add(kRoadStart, times(unit, distance)), {-unit.y * sideways, unit.x * sideways, 0});
}

float roadLength() { return static_cast<float>((kRoadEnd - kRoadStart).length()); }

// Land on the shared grid, so that neighbouring pieces have the same corners at their seams.
void addLand(MeshData& mesh, float x0, float y0, float x1, float y1, float (*height)(float, float), float scale)
{
    int cellsX = static_cast<int>(std::lround((x1 - x0) / kLandCell));
    int cellsY = static_cast<int>(std::lround((y1 - y0) / kLandCell));
    addHeightfield(mesh, x0, y0, x1, y1, cellsX, cellsY, height, scale);
}

// Hills up to 140 units high, flattening out towards the town's lawns and rising into the
// valley's rim in the east, so that the land runs on without a seam.
float meadowHeight(float x, float y)
{
    float hills = tiledNoise(x / 420, y / 420, 64, 301) * 110 + tiledNoise(x / 130, y / 130, 64, 302) * 30;
    float fromTown = std::max({x - kTownEastX, kTownSouthY - y, 0.0f});
    hills *= smoothStep(0, 350, fromTown);
    return hills + (valleyHeight(x, y) - hills) * smoothStep(2700, kLandSeamX, x);
}

void addCrossingMeshes(SceneDesc& scene)
{
    MeshData meadows = makeMesh("Meadows", kMeadow);
    // South of the town, then east of it up to the valley's northern end.
    addLand(meadows, -750, kLandSouthY, kLandSeamX, kTownSouthY, meadowHeight, kMeadowScale);
    addLand(meadows, kTownEastX, kTownSouthY, kLandSeamX, kLandNorthY, meadowHeight, kMeadowScale);
    addMesh(scene, meadows);
    MeshData viaduct = makeMesh("Viaduct", kConcrete);
    addBeam(viaduct, alongRoad(-300, 0), alongRoad(roadLength() + 300, 0), kDeckHalfWidth, kDeckLow, kDeckHigh, kConcreteScale);
    for (float s = -300; s <= roadLength() + 300; s += kPierSpacing) {
        Vec3 at = alongRoad(s, 0);
        addBox(viaduct, {at.x - 9, at.y - 9, 0}, {at.x + 9, at.y + 9, kDeckLow}, kConcreteScale);
    }
    addMesh(scene, viaduct);
    MeshData pylons = makeMesh("Pylons", kSteel);
    for (float s : kGatewaysAt) {
        Vec3 left = alongRoad(s, kPylonOffset), right = alongRoad(s, -kPylonOffset);
        addTaperedBlock(pylons, left, 20, 9, kPylonHeight, kSteelScale);
        addTaperedBlock(pylons, right, 20, 9, kPylonHeight, kSteelScale);
        addBeam(pylons, left, right, 7, kGatewayBeam, kGatewayBeam + 14, kSteelScale);
    }
    addMesh(scene, pylons);
}

// The valley: a flat sandy floor at z = -120 between steep rims, an aqueduct along its
// south side, an avenue of obelisks, a stone circle and a stepped pyramid.
constexpr float kFloor = -120;
constexpr float kValleyX0 = 3520, kValleyX1 = 5180, kValleyY0 = -1420, kValleyY1 = -40;
constexpr Vec3 kHenge{4420, -470, kFloor};
constexpr float kHengeRadius = 110;
constexpr int kHengeStones = 14;
constexpr Vec3 kPyramid{4770, -690, kFloor};
constexpr float kPyramidSteps[] = {90, 74, 58, 42, 28};
constexpr float kPyramidStepHeight = 22;
constexpr float kAqueductY = -1000, kAqueductX0 = 3730, kArchPitch = 160;
constexpr int kAqueductArches = 9;
constexpr float kObeliskX[] = {4080, 4330, 4580, 4830};
constexpr float kObeliskHeight = 150;

// The eye of the westward run along the avenue, at x.
float avenueY(float x) { return -225 - (5049 - x) * 0.0525f; }

float valleyHeight(float x, float y)
{
    float outside = std::max({kValleyX0 - x, x - kValleyX1, kValleyY0 - y, y - kValleyY1, 0.0f});
    float rim = smoothStep(0, 260, outside) * 300;
    return kFloor + tiledNoise(x / 90, y / 90, 64, 401) * 6 + rim * (0.7f + 0.3f * tiledNoise(x / 200, y / 200, 64, 402));
}

// Two tiers of arches, the upper ones half as wide, carrying the water channel.
void addAqueduct(SceneDesc& scene)
{
    MeshData aqueduct = makeMesh("Aqueduct", kSandstone);
    ArchShape lower{{0, kAqueductY, kFloor}, true, 100, 30, 60, 36};
    const float x0 = kAqueductX0 - kArchPitch / 2, x1 = x0 + kAqueductArches * kArchPitch;
    const float tier = kFloor + archTop(lower);
    ArchShape upper{{0, kAqueductY, tier + 8}, true, 44, 18, 22, 26};
    for (int i = 0; i < kAqueductArches; ++i) {
        lower.base.x = kAqueductX0 + i * kArchPitch;
        addArch(aqueduct, lower, kSandstoneScale);
        for (float shift : {-kArchPitch / 4, kArchPitch / 4}) {
            upper.base.x = lower.base.x + shift;
            addArch(aqueduct, upper, kSandstoneScale);
        }
    }
    addBox(aqueduct, {x0, kAqueductY - 20, tier}, {x1, kAqueductY + 20, tier + 8}, kSandstoneScale);
    const float top = tier + 8 + archTop(upper);
    addBox(aqueduct, {x0, kAqueductY - 15, top}, {x1, kAqueductY + 15, top + 10}, kSandstoneScale);
    addBox(aqueduct, {x0, kAqueductY - 15, top + 10}, {x1, kAqueductY - 10, top + 22}, kSandstoneScale);
    addBox(aqueduct, {x0, kAqueductY + 10, top + 10}, {x1, kAqueductY + 15, top + 22}, kSandstoneScale);
    addMesh(scene, aqueduct);
}

void addMonuments(SceneDesc& scene)
{
    MeshData obelisks = makeMesh("Obelisks", kGlyphs), tips = makeMesh("Tips", kGold);
    for (float x : kObeliskX)
        for (float side : {-110.0f, 110.0f}) {
            Vec3 base{x, avenueY(x) + side, kFloor};
            addTaperedBlock(obelisks, base, 14, 9, kObeliskHeight, kGlyphScale);
            addPyramid(tips, add(base, {0, 0, kObeliskHeight}), 9, 18, kGoldScale);
        }
    MeshData henge = makeMesh("Henge", kMossRock);
    for (int i = 0; i < kHengeStones; ++i) {
        float a = 6.2831853f * i / kHengeStones;
        Vec3 at = add(kHenge, {kHengeRadius * std::cos(a), kHengeRadius * std::sin(a), 0});
        float height = 80 + 20 * ((i * 7) % 3);
        addBox(henge, {at.x - 11, at.y - 11, kFloor}, {at.x + 11, at.y + 11, kFloor + height}, kRockScale);
    }
    MeshData pyramid = makeMesh("Ziggurat", kBasalt);
    float z = kFloor;
    for (float half : kPyramidSteps) {
        addBox(pyramid, {kPyramid.x - half, kPyramid.y - half, z}, {kPyramid.x + half, kPyramid.y + half, z + kPyramidStepHeight},
               kBasaltScale);
        z += kPyramidStepHeight;
    }
    addPyramid(tips, {kPyramid.x, kPyramid.y, z}, 20, 26, kGoldScale);
    addMesh(scene, obelisks);
    addMesh(scene, henge);
    addMesh(scene, pyramid);
    addMesh(scene, tips);
}

}  // namespace

void buildCrossing(SceneDesc& scene) { addCrossingMeshes(scene); }

void buildValley(SceneDesc& scene)
{
    addLight(scene, {"Spot04", {kHenge.x, kHenge.y, 80}, {1.0f, 0.9f, 0.7f}, true, kHenge, 30, 60});
    addLight(scene, {"Spot05", {4900, kAqueductY + 20, 130}, {1.0f, 0.8f, 0.6f}, true, {kPyramid.x, kPyramid.y, -10}, 25, 45});
    addLight(scene, {"Omni02", {kPyramid.x, kPyramid.y, 60}, {1.0f, 0.85f, 0.6f}, false, {0, 0, 0}, 0, 0});
    addAqueduct(scene);
    addMonuments(scene);
    // The valley floor goes last: the file ends with its largest object.
    MeshData sands = makeMesh("Sands", kSand);
    addLand(sands, kLandSeamX, kLandSouthY, 5450, kLandNorthY, valleyHeight, kSandScale);
    addMesh(scene, sands);
}
