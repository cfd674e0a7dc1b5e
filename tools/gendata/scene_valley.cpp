#include <cmath>
#include <iterator>

#include "land.h"
#include "materials.h"
#include "noise.h"
#include "scene_layout.h"
#include "shapes.h"

// The valley: a flat sandy floor between steep rims, an aqueduct along its south side, an
// avenue of obelisks, a stone circle and a stepped pyramid.

namespace {

constexpr float kFloor = kValleyFloor;
constexpr float kSandScale = 160, kSandstoneScale = 64, kGlyphScale = 48, kRockScale = 48, kBasaltScale = 64;
constexpr float kGoldScale = 32;

// Two tiers of arches, the upper ones half as wide, under the water channel.
constexpr float kAqueductY = -1000, kAqueductX0 = 3730;
constexpr int kAqueductArches = 9;
constexpr ArchShape kLowerArch{{kAqueductX0, kAqueductY, kFloor}, true, 100, 30, 60, 36};
constexpr float kArchPitch = kLowerArch.span + 2 * kLowerArch.pier;
constexpr float kCornice = 8, kCorniceHalf = 20, kChannelHalf = 15, kChannelBed = 10, kChannelWall = 12, kWallThick = 5;
constexpr ArchShape kUpperArch{{0, kAqueductY, 0}, true, 44, 18, 22, 26};

// The avenue of obelisks lines the camera's westward run along y = -225 ... -284.
constexpr Vec3 kAvenueEast{5049, -225, 0}, kAvenueWest{3925, -284, 0};
constexpr float kObeliskX[] = {4080, 4330, 4580, 4830};
constexpr float kAvenueHalfWidth = 110;
constexpr float kObeliskHeight = 150, kObeliskBase = 14, kObeliskTop = 9, kTipHeight = 18;

constexpr Vec3 kHenge{4420, -470, kFloor};
constexpr float kHengeRadius = 110, kStoneHalf = 11;
constexpr float kStoneHeights[] = {80, 100, 120};
constexpr int kHengeStones = 14;

constexpr Vec3 kPyramid{4770, -690, kFloor};
constexpr float kPyramidSteps[] = {90, 74, 58, 42, 28};  // half widths, from the bottom
constexpr float kPyramidStepHeight = 22, kCapstoneHalf = 20, kCapstoneHeight = 26;

float avenueY(float x) { return kAvenueEast.y + (kAvenueWest.y - kAvenueEast.y) * (kAvenueEast.x - x) / (kAvenueEast.x - kAvenueWest.x); }

void addAqueduct(SceneDesc& scene)
{
    MeshData aqueduct = newMesh("Aqueduct", kSandstone);
    const float x0 = kAqueductX0 - kArchPitch / 2, x1 = x0 + kAqueductArches * kArchPitch;
    const float tier = kFloor + archTop(kLowerArch);
    ArchShape lower = kLowerArch, upper = kUpperArch;
    upper.base.z = tier + kCornice;
    for (int i = 0; i < kAqueductArches; ++i, lower.base.x += kArchPitch) {
        addArch(aqueduct, lower, kSandstoneScale);
        for (float shift : {-kArchPitch / 4, kArchPitch / 4}) {
            upper.base.x = lower.base.x + shift;
            addArch(aqueduct, upper, kSandstoneScale);
        }
    }
    const float y = kAqueductY, top = upper.base.z + archTop(upper), rim = top + kChannelBed;
    addBox(aqueduct, {x0, y - kCorniceHalf, tier}, {x1, y + kCorniceHalf, tier + kCornice}, kSandstoneScale);
    addBox(aqueduct, {x0, y - kChannelHalf, top}, {x1, y + kChannelHalf, rim}, kSandstoneScale);
    addBox(aqueduct, {x0, y - kChannelHalf, rim}, {x1, y - kChannelHalf + kWallThick, rim + kChannelWall}, kSandstoneScale);
    addBox(aqueduct, {x0, y + kChannelHalf - kWallThick, rim}, {x1, y + kChannelHalf, rim + kChannelWall}, kSandstoneScale);
    addMesh(scene, aqueduct);
}

void addObelisks(MeshData& obelisks, MeshData& tips)
{
    for (float x : kObeliskX)
        for (float side : {-kAvenueHalfWidth, kAvenueHalfWidth}) {
            Vec3 base{x, avenueY(x) + side, kFloor};
            addTaperedBlock(obelisks, base, kObeliskBase, kObeliskTop, kObeliskHeight, kGlyphScale);
            addPyramid(tips, add(base, {0, 0, kObeliskHeight}), kObeliskTop, kTipHeight, kGoldScale);
        }
}

void addHenge(MeshData& henge)
{
    for (int i = 0; i < kHengeStones; ++i) {
        float a = kTau * i / kHengeStones;
        Vec3 at = add(kHenge, {kHengeRadius * std::cos(a), kHengeRadius * std::sin(a), 0});
        float height = kStoneHeights[(i * 7) % std::size(kStoneHeights)];
        addBox(henge, {at.x - kStoneHalf, at.y - kStoneHalf, kFloor}, {at.x + kStoneHalf, at.y + kStoneHalf, kFloor + height},
               kRockScale);
    }
}

void addZiggurat(MeshData& pyramid, MeshData& tips)
{
    float z = kFloor;
    for (float half : kPyramidSteps) {
        addBox(pyramid, {kPyramid.x - half, kPyramid.y - half, z}, {kPyramid.x + half, kPyramid.y + half, z + kPyramidStepHeight},
               kBasaltScale);
        z += kPyramidStepHeight;
    }
    addPyramid(tips, {kPyramid.x, kPyramid.y, z}, kCapstoneHalf, kCapstoneHeight, kGoldScale);
}

void addValleyLights(SceneDesc& scene)
{
    addLight(scene, {"Spot04", add(kHenge, {0, 0, 200}), {1.0f, 0.9f, 0.7f}, true, kHenge, 30, 60});
    addLight(scene, {"Spot05", {4900, kAqueductY + 20, 130}, {1.0f, 0.8f, 0.6f}, true, add(kPyramid, {0, 0, 110}), 25, 45});
    addLight(scene, {"Omni02", add(kPyramid, {0, 0, 180}), {1.0f, 0.85f, 0.6f}, false, {0, 0, 0}, 0, 0});
}

}  // namespace

void buildValley(SceneDesc& scene)
{
    addValleyLights(scene);
    addAqueduct(scene);
    MeshData obelisks = newMesh("Obelisks", kGlyphs), tips = newMesh("Tips", kGold);
    MeshData henge = newMesh("Henge", kMossRock), pyramid = newMesh("Ziggurat", kBasalt);
    addObelisks(obelisks, tips);
    addHenge(henge);
    addZiggurat(pyramid, tips);
    addMesh(scene, obelisks);
    addMesh(scene, henge);
    addMesh(scene, pyramid);
    addMesh(scene, tips);
    // The valley floor goes last: the file must end with a large object.
    MeshData sands = newMesh("Sands", kSand);
    addLand(sands, kLandSeamX, kLandSouthY, kLandEastX, kLandNorthY, valleyHeight, kSandScale);
    addMesh(scene, sands);
}
