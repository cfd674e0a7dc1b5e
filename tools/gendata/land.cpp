#include "land.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "shapes.h"

namespace {

constexpr float kLandCell = 100;
constexpr float kValleyX0 = 3520, kValleyX1 = 5180, kValleyY0 = -1420, kValleyY1 = -40;
constexpr float kRimWidth = 260, kRimHeight = 300;
constexpr float kTownFade = 350;          // how far from the town the hills reach full height
constexpr float kMeadowsEndX = 2700;      // where the hills begin to rise into the valley's rim

}  // namespace

float meadowHeight(float x, float y)
{
    float hills = tiledNoise(x / 420, y / 420, 64, 301) * 110 + tiledNoise(x / 130, y / 130, 64, 302) * 30;
    float fromTown = std::max({x - kTownEastX, kTownSouthY - y, 0.0f});
    hills *= smoothStep(0, kTownFade, fromTown);
    return hills + (valleyHeight(x, y) - hills) * smoothStep(kMeadowsEndX, kLandSeamX, x);
}

float valleyHeight(float x, float y)
{
    float outside = std::max({kValleyX0 - x, x - kValleyX1, kValleyY0 - y, y - kValleyY1, 0.0f});
    float rim = smoothStep(0, kRimWidth, outside) * kRimHeight;
    return kValleyFloor + tiledNoise(x / 90, y / 90, 64, 401) * 6 + rim * (0.7f + 0.3f * tiledNoise(x / 200, y / 200, 64, 402));
}

void addLand(MeshData& mesh, float x0, float y0, float x1, float y1, float (*height)(float, float), float scale)
{
    int cellsX = static_cast<int>(std::lround((x1 - x0) / kLandCell));
    int cellsY = static_cast<int>(std::lround((y1 - y0) / kLandCell));
    addHeightfield(mesh, x0, y0, x1, y1, cellsX, cellsY, height, scale);
}
