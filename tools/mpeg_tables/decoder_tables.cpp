#include "decoder_tables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "audio/layer3_tables.h"
#include "source_writer.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kAliasK[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};
constexpr int kMpeg1IntensityPositions = 7;  // tan(i pi / 12) has a pole at 6 and 1 + t = 0 at 9
constexpr int kFullSubbandLimit = 32;
constexpr float kOutputScale = 32768.0f;

// A float exactly, as a hexadecimal literal.
std::string literal(double v)
{
    char text[48];
    std::snprintf(text, sizeof text, "%af", static_cast<double>(static_cast<float>(v)));
    return text;
}

std::string floats(const std::vector<double>& values, int perLine = 4)
{
    std::string out;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i % perLine == 0) out += "    ";
        out += literal(values[i]);
        out += (i + 1 == values.size() || i % perLine == static_cast<size_t>(perLine) - 1) ? ",\n" : ", ";
    }
    return out;
}

std::string floatArray(const std::string& declaration, const std::vector<double>& values)
{
    return declaration + " = {\n" + floats(values) + "};\n\n";
}

double longWindow(int type, int n)
{
    double comp = 0.5 / std::cos((2 * n + 19) * kPi / 72);
    double standard = 0;
    if (n < 18) {
        if (type == 3) standard = n < 6 ? 0 : n < 12 ? std::sin((2 * (n - 6) + 1) * kPi / 24) : 1;
        else standard = std::sin((2 * n + 1) * kPi / 72);
    } else {
        if (type == 1) standard = n < 24 ? 1 : n < 30 ? std::sin((2 * (n - 24) + 13) * kPi / 24) : 0;
        else standard = std::sin((2 * n + 1) * kPi / 72);
    }
    return standard * comp;
}

double window(int type, int n)
{
    if (type != 2) return longWindow(type, n);
    return n < 12 ? 0.5 * std::sin((2 * n + 1) * kPi / 24) / std::cos((2 * n + 7) * kPi / 24) : 0;
}

std::string requantisation()
{
    std::vector<double> gain, power, alias;
    for (int i = kGainIndexMin; i <= kGainIndexMax; ++i) gain.push_back(std::pow(2.0, -(i + 210) / 4.0));
    for (int i = 0; i < kPowerEntries; ++i) power.push_back(std::pow(i, 4.0 / 3.0));
    for (int i = 0; i < 8; ++i) alias.push_back(kAliasK[i] / std::sqrt(1.0 + kAliasK[i] * kAliasK[i]));
    for (int i = 0; i < 8; ++i) alias.push_back(1.0 / std::sqrt(1.0 + kAliasK[i] * kAliasK[i]));
    return floatArray("const float kGainTable[kGainIndexMax - kGainIndexMin + 1]", gain) +
           floatArray("const float kPowerTable[kPowerEntries]", power) +
           "const AliasCoefficients kAlias = {\n" + floats(alias) + "};\n\n";
}

std::string windows()
{
    std::vector<double> even, odd;
    std::string lanes = "const Lanes kImdctWindowLanes[4][36] = {\n";
    for (int type = 0; type < 4; ++type) {
        lanes += "    {\n";
        for (int n = 0; n < 36; ++n) {
            double w = window(type, n);
            even.push_back(w);
            odd.push_back(n % 2 ? -w : w);
            lanes += "        {" + literal(w) + ", " + literal(odd.back()) + ", " + literal(w) + ", " + literal(odd.back()) + "},\n";
        }
        lanes += "    },\n";
    }
    std::vector<double> c36, c3, single;
    for (int i = 0; i < 9; ++i) c36.push_back(0.5 / std::cos((2 * i + 1) * kPi / 36));
    for (int i = 0; i < 3; ++i) c3.push_back(0.5 / std::cos((2 * i + 1) * kPi / 12));
    for (double a : {kPi / 6, kPi / 3, kPi / 9, 5 * kPi / 9, 7 * kPi / 9, kPi / 18, 11 * kPi / 18, 13 * kPi / 18})
        single.push_back(std::cos(a));
    return floatArray("const float kImdctWindows[4][36]", even) + floatArray("const float kImdctOddWindows[4][36]", odd) +
           lanes + "};\n\n" + floatArray("const float kImdct36Constants[9]", c36) +
           floatArray("const float kImdct3Constants[3]", c3) + floatArray("const float kSingleConstants[8]", single);
}

void addRatios(std::vector<double> (&rows)[4], double left, double right)
{
    rows[0].push_back(left);
    rows[1].push_back(right);
    rows[2].push_back(left * std::numbers::sqrt2);
    rows[3].push_back(right * std::numbers::sqrt2);
}

std::string intensity()
{
    std::vector<double> mpeg1[4], mpeg2[2][4];
    for (int i = 0; i < kIntensityPositions; ++i) {
        double t = std::tan(i * kPi / 12);
        if (i < kMpeg1IntensityPositions) addRatios(mpeg1, t / (1 + t), 1 / (1 + t));
        else addRatios(mpeg1, 0, 0);
        for (int j = 0; j < 2; ++j) {
            double base = std::pow(2.0, -(j + 1) / 4.0);
            if (i == 0) addRatios(mpeg2[j], 1, 1);
            else if (i % 2) addRatios(mpeg2[j], std::pow(base, (i + 1) / 2), 1);
            else addRatios(mpeg2[j], 1, std::pow(base, i / 2));
        }
    }
    std::vector<double> one, two;
    for (auto& row : mpeg1) one.insert(one.end(), row.begin(), row.end());
    for (auto& table : mpeg2)
        for (auto& row : table) two.insert(two.end(), row.begin(), row.end());
    return floatArray("const float kIntensityMpeg1[4][kIntensityPositions]", one) +
           floatArray("const float kIntensityMpeg2[2][4][kIntensityPositions]", two);
}

struct Entry {
    int pairs, firstLine, window, band;
};

// Short bands from window line `fromLine` on; a band that line cuts keeps only its upper part.
void addShortBands(std::vector<Entry>& map, const int32_t* starts, int fromLine, int start)
{
    int firstBand = 0;
    while (starts[firstBand + 1] <= fromLine) ++firstBand;
    for (int band = firstBand; band < kShortBands; ++band) {
        int width = starts[band + 1] - std::max(starts[band], fromLine);
        for (int w = 0; w < 3; ++w) map.push_back({width / 2, start + w, w, band});
        start += 3 * width;
    }
}

std::string bandMap(const std::vector<Entry>& map)
{
    std::string s = "        {{";
    for (const Entry& e : map)
        s += "{" + std::to_string(e.pairs) + ", " + std::to_string(e.firstLine) + ", " + std::to_string(e.window) + ", " +
             std::to_string(e.band) + "}, ";
    return s + "}, " + std::to_string(map.size()) + "},\n";
}

// The MPEG-2.5 rows come from the table files being read, not from the tables this run replaces.
constexpr int kFirstMpeg25Index = 6;

std::string bandMapsAndLimits(const TableFiles& t)
{
    std::string maps = "const BandMap kBandMaps[kSamplingIndices][3] = {\n";
    std::vector<long> longLimits, shortLimits;
    for (int s = 0; s < kSamplingIndices; ++s) {
        bool mpeg25 = s >= kFirstMpeg25Index;
        const int32_t* longStarts = mpeg25 ? t.mpeg25Long[s - kFirstMpeg25Index] : kLongBandStarts[s];
        const int32_t* shortStarts = mpeg25 ? t.mpeg25Short[s - kFirstMpeg25Index] : kShortBandStarts[s];
        int mixedLong = 0;
        while (longStarts[mixedLong] < kMixedLongLines) ++mixedLong;
        std::vector<Entry> longMap, shortMap, mixedMap;
        for (int band = 0; band < kLongBands; ++band)
            longMap.push_back({(longStarts[band + 1] - longStarts[band]) / 2, longStarts[band], 3, band});
        addShortBands(shortMap, shortStarts, 0, 0);
        for (int band = 0; band < mixedLong; ++band)
            mixedMap.push_back({(longStarts[band + 1] - longStarts[band]) / 2, longStarts[band], 3, band});
        // A mixed block's short part starts at line 36 of the granule, line 12 of each window.
        addShortBands(mixedMap, shortStarts, kMixedLongLines / 3, kMixedLongLines);
        maps += "    {\n" + bandMap(longMap) + bandMap(shortMap) + bandMap(mixedMap) + "    },\n";
        for (int j = 0; j <= kLongBands; ++j)
            longLimits.push_back(std::min(kFullSubbandLimit, (longStarts[j] + 7) / kSubbandLines + 1));
        for (int j = 0; j <= kShortBands; ++j)
            shortLimits.push_back(std::min(kFullSubbandLimit, (3 * shortStarts[j] - 1) / kSubbandLines + 1));
    }
    return maps + "};\n\nconst int32_t kLongSubbandLimits[kSamplingIndices][kLongBands + 1] = {\n" + numberList(longLimits, 23) +
           "};\n\nconst int32_t kShortSubbandLimits[kSamplingIndices][kShortBands + 1] = {\n" + numberList(shortLimits, 14) +
           "};\n\n";
}

long packLengths(int s1, int s2, int s3, int s4, int table, int preemphasis)
{
    return s1 | s2 << 3 | s3 << 6 | s4 << 9 | table << 12 | preemphasis << 15;
}

std::string scaleLengths()
{
    std::vector<long> plain, stereo;
    for (int v = 0; v < 512; ++v) {
        if (v < 400) plain.push_back(packLengths((v >> 4) / 5, (v >> 4) % 5, (v & 15) >> 2, v & 3, 0, 0));
        else if (v < 500) plain.push_back(packLengths(((v - 400) >> 2) / 5, ((v - 400) >> 2) % 5, (v - 400) & 3, 0, 1, 0));
        else plain.push_back(packLengths((v - 500) / 3, (v - 500) % 3, 0, 0, 2, 1));
    }
    for (int v = 0; v < 256; ++v) {
        if (v < 180) stereo.push_back(packLengths(v / 36, (v % 36) / 6, v % 6, 0, 3, 0));
        else if (v < 244) stereo.push_back(packLengths(((v - 180) & 63) >> 4, ((v - 180) & 15) >> 2, (v - 180) & 3, 0, 4, 0));
        else stereo.push_back(packLengths((v - 244) / 3, (v - 244) % 3, 0, 0, 5, 0));
    }
    return "const uint32_t kMpeg2ScaleLengths[512] = {\n" + numberList(plain, 12) +
           "};\n\nconst uint32_t kMpeg2IntensityScaleLengths[256] = {\n" + numberList(stereo, 12) + "};\n\n";
}

// The synthesis window walked as the standard's decoder walks D, stored by column:
// window[q][row] = W[32 row + q] of the 544-entry walk.
std::string synthesisWindow(const int32_t (&d)[257])
{
    constexpr int kEntries = 544, kWritten = 528, kColumn = 17;
    std::vector<double> w(kEntries, 0.0);
    // D changes sign every 64 coefficients; the walk's running sign supplies those changes itself.
    auto prototype = [&](int j) { return d[j] / 65536.0 * ((j / 64) % 2 ? -1 : 1); };
    int pos = 0, j = 0;
    double sign = -kOutputScale;
    for (int i = 0; i < 512; ++i) {
        if (pos < kWritten) w[pos] = w[pos + 16] = static_cast<float>(prototype(j) * sign);
        if (i % 32 == 31) pos -= 1023;
        pos += 32;
        if (i % 64 == 63) sign = -sign;
        j += i < 256 ? 1 : -1;
        if (i == 255) j = 256;
    }
    std::vector<double> byColumn;
    for (int q = 0; q < 32; ++q)
        for (int row = 0; row < kColumn; ++row) byColumn.push_back(w[32 * row + q]);
    return floatArray("const float kSynthesisWindowT[32][17]", byColumn);
}

std::string matrixingCosines()
{
    std::string s;
    for (int i = 0; i < 5; ++i) {
        int n = 16 >> i;
        std::vector<double> c;
        for (int k = 0; k < n; ++k) c.push_back(1.0 / (2.0 * std::cos((2 * k + 1) * kPi / (64 >> i))));
        s += floatArray("const float kMatrixCosines" + std::to_string(n) + "[" + std::to_string(n) + "]", c);
    }
    return s;
}

const char* kHeader = R"(#pragma once

// Tables of the filter banks that no other part of the decoder reads: the synthesis window by
// column (scaled to 16-bit output), and the cosines of the matrixing's halving steps,
// entry k of kMatrixCosinesN = 1 / (2 cos((2k + 1) pi / 4N)).
extern const float kSynthesisWindowT[32][17];
extern const float kMatrixCosines16[16];
extern const float kMatrixCosines8[8];
extern const float kMatrixCosines4[4];
extern const float kMatrixCosines2[2];
extern const float kMatrixCosines1[1];
)";

}  // namespace

bool writeDecoderTables(const std::string& outDir, const TableFiles& tables)
{
    const int32_t(&synthesisWindowD)[257] = tables.synthesisWindow;
    std::string source = generatedBanner() +
                         "#include \"audio/generated/decoder_tables.h\"\n#include \"audio/layer3_tables.h\"\n\n" +
                         requantisation() + windows() + intensity() + bandMapsAndLimits(tables) + scaleLengths() +
                         synthesisWindow(synthesisWindowD) + matrixingCosines();
    source.resize(source.size() - 1);  // one newline at the end
    return writeTextFile(outDir + "/decoder_tables.h", generatedBanner() + kHeader) &&
           writeTextFile(outDir + "/decoder_tables.cpp", source);
}
