#include "land.h"
#include "materials.h"
#include "scene_layout.h"
#include "shapes.h"

// The crossing: the camera follows a viaduct over rolling meadows, under the cross beams
// of a row of pylon gateways.

namespace {

constexpr float kMeadowScale = 256, kConcreteScale = 64, kSteelScale = 48;
constexpr float kMeadowsWestX = -750;

constexpr Vec3 kRoadStart{-83, -2747, 0}, kRoadEnd{1910, -2067, 0};  // under the camera's run
constexpr float kRoadOverrun = 300;  // the viaduct reaches on beyond both ends of the run
constexpr float kDeckLow = 170, kDeckHigh = 184, kDeckHalfWidth = 26;
constexpr float kPierSpacing = 150, kPierHalf = 9;

constexpr float kGatewaysAt[] = {250, 650, 1050, 1450, 1850};  // distance along the road
constexpr float kPylonOffset = 200, kPylonHeight = 380, kPylonBase = 20, kPylonTop = 9;
constexpr float kGatewayBeam = 336, kBeamHalf = 7, kBeamDepth = 14;

float roadLength() { return static_cast<float>((kRoadEnd - kRoadStart).length()); }

// The point `distance` along the road and `sideways` to its left.
Vec3 alongRoad(float distance, float sideways)
{
    Vec3 unit = times(kRoadEnd - kRoadStart, 1 / roadLength());
    return add(add(kRoadStart, times(unit, distance)), {-unit.y * sideways, unit.x * sideways, 0});
}

}  // namespace

void buildCrossing(SceneDesc& scene, MeshData& steel)
{
    MeshData meadows = newMesh("Meadows", kMeadow);
    // South of the town, then east of it up to the valley's northern end.
    addLand(meadows, kMeadowsWestX, kLandSouthY, kLandSeamX, kTownSouthY, meadowHeight, kMeadowScale);
    addLand(meadows, kTownEastX, kTownSouthY, kLandSeamX, kLandNorthY, meadowHeight, kMeadowScale);
    addMesh(scene, meadows);
    MeshData viaduct = newMesh("Viaduct", kConcrete);
    const float first = -kRoadOverrun, last = roadLength() + kRoadOverrun;
    addBeam(viaduct, alongRoad(first, 0), alongRoad(last, 0), kDeckHalfWidth, kDeckLow, kDeckHigh, kConcreteScale);
    for (float s = first; s <= last; s += kPierSpacing) {
        Vec3 at = alongRoad(s, 0);
        addBox(viaduct, {at.x - kPierHalf, at.y - kPierHalf, 0}, {at.x + kPierHalf, at.y + kPierHalf, kDeckLow}, kConcreteScale);
    }
    addMesh(scene, viaduct);
    for (float s : kGatewaysAt) {
        Vec3 left = alongRoad(s, kPylonOffset), right = alongRoad(s, -kPylonOffset);
        addTaperedBlock(steel, left, kPylonBase, kPylonTop, kPylonHeight, kSteelScale);
        addTaperedBlock(steel, right, kPylonBase, kPylonTop, kPylonHeight, kSteelScale);
        addBeam(steel, left, right, kBeamHalf, kGatewayBeam, kGatewayBeam + kBeamDepth, kSteelScale);
    }
}
