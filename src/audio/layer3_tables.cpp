#include "audio/layer3_tables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

float gGainTable[kGainIndexMax - kGainIndexMin + 1];
float gPowerTable[kPowerEntries];
AliasCoefficients gAlias;
float gImdctWindows[4][36];
float gImdctOddWindows[4][36];
Lanes gImdctWindowLanes[4][36];
float gImdct36Constants[9];
float gImdct3Constants[3];
float gSingleConstants[8];
float gIntensityMpeg1[4][kIntensityPositions];
float gIntensityMpeg2[2][4][kIntensityPositions];
BandMap gBandMaps[kSamplingIndices][3];
int32_t gLongSubbandLimits[kSamplingIndices][kLongBands + 1];
int32_t gShortSubbandLimits[kSamplingIndices][kShortBands + 1];
uint32_t gMpeg2ScaleLengths[512];
uint32_t gMpeg2IntensityScaleLengths[256];

const int32_t kPreemphasis[2][kLongBands] = {
    {},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 3, 3, 3, 2, 0},
};

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kAliasK[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};
constexpr int kMpeg1IntensityPositions = 7;

void buildRequantisation()
{
    for (int i = kGainIndexMin; i <= kGainIndexMax; ++i)
        gGainTable[i - kGainIndexMin] = static_cast<float>(std::pow(2.0, -(i + 210) / 4.0));
    for (int i = 0; i < kPowerEntries; ++i) gPowerTable[i] = static_cast<float>(std::pow(i, 4.0 / 3.0));
    for (int i = 0; i < 8; ++i) {
        double root = std::sqrt(1.0 + kAliasK[i] * kAliasK[i]);
        gAlias.cs[i] = static_cast<float>(1.0 / root);
        gAlias.ca[i] = static_cast<float>(kAliasK[i] / root);
    }
}

double longWindow(int type, int n)
{
    auto comp = [](int m) { return 0.5 / std::cos((2 * m + 19) * kPi / 72); };  // of entry m
    double standard = 0;
    if (n < 18) {
        if (type == 3) standard = n < 6 ? 0 : n < 12 ? std::sin((2 * (n - 6) + 1) * kPi / 24) : 1;
        else standard = std::sin((2 * n + 1) * kPi / 72);
    } else {
        if (type == 1) standard = n < 24 ? 1 : n < 30 ? std::sin((2 * (n - 24) + 13) * kPi / 24) : 0;
        else standard = std::sin((2 * n + 1) * kPi / 72);
    }
    return standard * comp(n);
}

void buildWindows()
{
    for (int type = 0; type < 4; ++type) {
        for (int n = 0; n < 36; ++n) {
            double w = 0;
            if (type != 2) w = longWindow(type, n);
            else if (n < 12) w = 0.5 * std::sin((2 * n + 1) * kPi / 24) / std::cos((2 * n + 7) * kPi / 24);
            gImdctWindows[type][n] = static_cast<float>(w);
            gImdctOddWindows[type][n] = static_cast<float>(n % 2 ? -w : w);
            float even = gImdctWindows[type][n], odd = gImdctOddWindows[type][n];
            gImdctWindowLanes[type][n] = Lanes{even, odd, even, odd};
        }
    }
    for (int i = 0; i < 9; ++i) gImdct36Constants[i] = static_cast<float>(0.5 / std::cos((2 * i + 1) * kPi / 36));
    for (int i = 0; i < 3; ++i) gImdct3Constants[i] = static_cast<float>(0.5 / std::cos((2 * i + 1) * kPi / 12));
    const double angles[8] = {kPi / 6, kPi / 3, kPi / 9, 5 * kPi / 9, 7 * kPi / 9, kPi / 18, 11 * kPi / 18, 13 * kPi / 18};
    for (int i = 0; i < 8; ++i) gSingleConstants[i] = static_cast<float>(std::cos(angles[i]));
}

void storeRatios(float (&rows)[4][kIntensityPositions], int i, double left, double right)
{
    rows[0][i] = static_cast<float>(left);
    rows[1][i] = static_cast<float>(right);
    rows[2][i] = static_cast<float>(left * std::numbers::sqrt2);
    rows[3][i] = static_cast<float>(right * std::numbers::sqrt2);
}

void buildIntensityRatios()
{
    for (int i = 0; i < kIntensityPositions; ++i) {
        // tan(i pi / 12) has a pole at 6 and 1 + t = 0 at 9: only 0..6 are positions.
        double t = std::tan(i * kPi / 12);
        if (i < kMpeg1IntensityPositions) storeRatios(gIntensityMpeg1, i, t / (1 + t), 1 / (1 + t));
        for (int j = 0; j < 2; ++j) {
            double base = std::pow(2.0, -(j + 1) / 4.0);
            if (i == 0) storeRatios(gIntensityMpeg2[j], i, 1, 1);
            else if (i % 2) storeRatios(gIntensityMpeg2[j], i, std::pow(base, (i + 1) / 2), 1);
            else storeRatios(gIntensityMpeg2[j], i, 1, std::pow(base, i / 2));
        }
    }
}

void addEntry(BandMap& map, int pairs, int firstLine, int window, int band)
{
    map.entries[map.count++] = {static_cast<int16_t>(pairs), static_cast<int16_t>(firstLine),
                                static_cast<int8_t>(window), static_cast<int8_t>(band)};
}

// Short bands from `firstBand` on, their three windows interleaved from line `start`.
void addShortBands(BandMap& map, const int32_t* starts, int firstBand, int start)
{
    for (int band = firstBand; band < kShortBands; ++band) {
        int width = starts[band + 1] - starts[band];
        for (int w = 0; w < 3; ++w) addEntry(map, width / 2, start + w, w, band);
        start += 3 * width;
    }
}

void buildBandMaps(int s)
{
    const int32_t* longStarts = kLongBandStarts[s];
    BandMap* maps = gBandMaps[s];
    for (BandMap* m = maps; m != maps + 3; ++m) m->count = 0;
    for (int band = 0; band < kLongBands; ++band)
        addEntry(maps[kLongKind], (longStarts[band + 1] - longStarts[band]) / 2, longStarts[band], 3, band);
    addShortBands(maps[kShortKind], kShortBandStarts[s], 0, 0);
    int longBands = mixedLongBands(s);
    for (int band = 0; band < longBands; ++band)
        addEntry(maps[kMixedKind], (longStarts[band + 1] - longStarts[band]) / 2, longStarts[band], 3, band);
    addShortBands(maps[kMixedKind], kShortBandStarts[s], 3, kMixedLongLines);
}

void buildSubbandLimits(int s, int cap)
{
    for (int j = 0; j <= kLongBands; ++j)
        gLongSubbandLimits[s][j] = std::min(cap, (kLongBandStarts[s][j] + 7) / kSubbandLines + 1);
    for (int j = 0; j <= kShortBands; ++j)
        gShortSubbandLimits[s][j] = std::min(cap, (3 * kShortBandStarts[s][j] - 1) / kSubbandLines + 1);
}

uint32_t packLengths(int s1, int s2, int s3, int s4, int table, int preemphasis)
{
    return static_cast<uint32_t>(s1 | s2 << 3 | s3 << 6 | s4 << 9 | table << 12 | preemphasis << 15);
}

void buildMpeg2ScaleLengths()
{
    for (int v = 0; v < 512; ++v) {
        if (v < 400) gMpeg2ScaleLengths[v] = packLengths((v >> 4) / 5, (v >> 4) % 5, (v & 15) >> 2, v & 3, 0, 0);
        else if (v < 500) gMpeg2ScaleLengths[v] = packLengths(((v - 400) >> 2) / 5, ((v - 400) >> 2) % 5, (v - 400) & 3, 0, 1, 0);
        else gMpeg2ScaleLengths[v] = packLengths((v - 500) / 3, (v - 500) % 3, 0, 0, 2, 1);
    }
    for (int v = 0; v < 256; ++v) {
        if (v < 180) gMpeg2IntensityScaleLengths[v] = packLengths(v / 36, (v % 36) / 6, v % 6, 0, 3, 0);
        else if (v < 244) gMpeg2IntensityScaleLengths[v] = packLengths(((v - 180) & 63) >> 4, ((v - 180) & 15) >> 2, (v - 180) & 3, 0, 4, 0);
        else gMpeg2IntensityScaleLengths[v] = packLengths((v - 244) / 3, (v - 244) % 3, 0, 0, 5, 0);
    }
}

}  // namespace

void buildLayer3Tables(int subbandLimit)
{
    buildRequantisation();
    buildWindows();
    buildIntensityRatios();
    for (int s = 0; s < kSamplingIndices; ++s) {
        buildBandMaps(s);
        buildSubbandLimits(s, subbandLimit);
    }
    buildMpeg2ScaleLengths();
}
