#include "show/camera_script.h"

namespace {

// One straight leg of the camera: the eye's and the target's start and end points.
struct Leg {
    Vec3 eyeFrom, eyeTo;
    Vec3 targetFrom, targetTo;
};

// The legs the script flies, in scene units; several segments replay the same leg.
constexpr Leg kLegs[] = {
    // 0: segment 1
    {{-107.25005f, -948.4507f, 52.307007f}, {-118.90645f, -765.0155f, 48.307007f},
     {-180.97122f, -585.11456f, 23.182861f}, {-287.7559f, -434.9591f, 98.18286f}},
    // 1: segment 2
    {{-118.90645f, -765.0155f, 48.307007f}, {-341.42737f, -610.21246f, 126.30701f},
     {-287.7559f, -434.9591f, 98.18286f}, {20.575836f, -530.20874f, 217.18286f}},
    // 2: segment 3
    {{-341.42737f, -610.21246f, 126.30701f}, {-141.55147f, -780.7823f, 254.307f},
     {20.575836f, -530.20874f, 217.18286f}, {-51.254665f, -421.20895f, 121.18286f}},
    // 3: segments 4, 5
    {{-212.86737f, -745.84f, 342.307f}, {-170.3764f, -605.84863f, 198.307f},
     {-134.50485f, -383.47803f, 68.18286f}, {-42.05065f, -258.02765f, 74.18286f}},
    // 4: segment 6
    {{-170.3764f, -605.84863f, 198.307f}, {-129.00568f, -530.61536f, 194.307f},
     {-42.05065f, -258.02765f, 74.18286f}, {116.92516f, -253.19135f, 191.18286f}},
    // 5: segment 7
    {{-129.00568f, -530.61536f, 194.307f}, {-122.54804f, -548.2258f, 138.307f},
     {116.92516f, -253.19135f, 191.18286f}, {93.75492f, -247.12811f, 44.18286f}},
    // 6: segment 8
    {{-122.54804f, -548.2258f, 138.307f}, {-203.58853f, -353.82736f, 175.307f},
     {93.75492f, -247.12811f, 44.18286f}, {167.11264f, -348.59924f, 125.18286f}},
    // 7: segment 9
    {{-203.58853f, -353.82736f, 175.307f}, {-29.517445f, -499.50345f, 144.307f},
     {167.11264f, -348.59924f, 125.18286f}, {147.90271f, -173.97543f, 174.18286f}},
    // 8: segments 10, 13
    {{-29.517445f, -499.50345f, 144.307f}, {-11.212803f, -391.59543f, 164.307f},
     {147.90271f, -173.97543f, 174.18286f}, {358.95972f, -412.04614f, 132.18286f}},
    // 9: segments 11, 14
    {{-11.212803f, -391.59543f, 164.307f}, {3.273527f, -463.33606f, 164.307f},
     {358.95972f, -412.04614f, 132.18286f}, {125.83329f, -113.443245f, 127.18286f}},
    // 10: segments 12, 15
    {{3.273527f, -463.33606f, 164.307f}, {39.29328f, -418.95322f, 164.307f},
     {125.83329f, -113.443245f, 127.18286f}, {377.18906f, -266.40054f, 20.182861f}},
    // 11: segment 16
    {{-83.32352f, -2747.1877f, 290.307f}, {1910.435f, -2067.3933f, 290.307f},
     {257.0487f, -2600.2402f, 269.18286f}, {2241.7427f, -1901.0162f, 252.18286f}},
    // 12: segment 17
    {{5048.6943f, -225.06587f, -49.692993f}, {3924.8867f, -283.5847f, -49.692993f},
     {4679.7007f, -260.98987f, -79.81714f}, {4049.3054f, -632.82135f, -60.81714f}},
    // 13: segments 18, 19, 20, 21, 22, 23
    {{3671.9236f, -1271.7164f, 10.307007f}, {4975.442f, -1154.4878f, 10.307007f},
     {3929.949f, -1005.5084f, 44.18286f}, {4689.0327f, -919.0873f, 25.182861f}},
    // 14: segment 24
    {{3627.6436f, -133.47638f, -29.692993f}, {4543.494f, -921.03296f, -29.692993f},
     {3945.1108f, -324.9441f, -93.81714f}, {4775.3726f, -631.76025f, -90.81714f}},
};

// A segment of the script: its window in seconds, the leg it flies, and its extras.
struct ScriptEntry {
    float startTime, endTime;
    int leg;
    bool shake;
    bool setsFog;
    float fogDensity;
};

// In order of start time, numbered from 1; where windows overlap the later one decides the frame.
constexpr ScriptEntry kScript[] = {
    {0.0f, 6.0f, 0, false, false, 0.0f},  // segment 1
    {6.0f, 9.0f, 1, false, false, 0.0f},  // segment 2
    {9.0f, 14.0f, 2, false, false, 0.0f},  // segment 3
    {11.0f, 12.0f, 3, false, false, 0.0f},  // segment 4
    {13.0f, 14.0f, 3, false, false, 0.0f},  // segment 5
    {14.0f, 15.0f, 4, false, false, 0.0f},  // segment 6
    {15.0f, 16.0f, 5, false, false, 0.0f},  // segment 7
    {16.0f, 20.0f, 6, false, false, 0.0f},  // segment 8
    {20.0f, 24.0f, 7, false, false, 0.0f},  // segment 9
    {24.0f, 28.0f, 8, false, false, 0.0f},  // segment 10
    {28.0f, 32.0f, 9, false, false, 0.0f},  // segment 11
    {32.0f, 34.0f, 10, false, false, 0.0f},  // segment 12
    {34.0f, 35.0f, 8, true, false, 0.0f},  // segment 13
    {35.2f, 36.2f, 9, true, false, 0.0f},  // segment 14
    {36.4f, 37.4f, 10, true, false, 0.0f},  // segment 15
    {37.8f, 45.8f, 11, false, true, 0.001f},  // segment 16
    {46.0f, 54.0f, 12, false, false, 0.0f},  // segment 17
    {54.0f, 56.0f, 13, false, false, 0.0f},  // segment 18
    {56.2f, 56.3f, 13, false, false, 0.0f},  // segment 19
    {56.4f, 56.5f, 13, false, false, 0.0f},  // segment 20
    {56.6f, 56.7f, 13, false, false, 0.0f},  // segment 21
    {56.9f, 57.0f, 13, false, false, 0.0f},  // segment 22
    {57.1f, 58.1f, 13, false, false, 0.0f},  // segment 23
    {58.2f, 78.2f, 14, false, false, 0.0f},  // segment 24
};

constexpr CameraTimeline makeTimeline()
{
    CameraTimeline timeline{};
    for (const ScriptEntry& entry : kScript) {
        int i = timeline.segmentCount++;
        const Leg& leg = kLegs[entry.leg];
        timeline.segments[i] = {entry.startTime, entry.endTime, entry.shake, entry.setsFog, entry.fogDensity};
        timeline.posDebSource[i] = leg.eyeFrom;
        timeline.posFinSource[i] = leg.eyeTo;
        timeline.posDebTarget[i] = leg.targetFrom;
        timeline.posFinTarget[i] = leg.targetTo;
    }
    return timeline;
}

static_assert(sizeof(kScript) / sizeof(kScript[0]) <= kMaxSegments);

}  // namespace

constinit const CameraTimeline kCameraTimeline = makeTimeline();
