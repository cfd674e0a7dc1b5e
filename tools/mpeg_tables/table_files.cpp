#include "table_files.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/report.h"

namespace {

constexpr int kQuadTableA = 32;
constexpr int kQuadTableB = 33;

bool fail(const std::string& file, int line, const std::string& why)
{
    report(file.c_str(), "line " + std::to_string(line) + ": " + why);
    return false;
}

// Splits a tab-separated line into fields.
std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, '\t')) out.push_back(f);
    return out;
}

bool toInt(const std::string& s, int& v)
{
    auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Reads the data lines of a file (header line dropped when there is one).
bool dataLines(const std::string& path, bool header, std::vector<std::string>& lines)
{
    std::ifstream in(path);
    if (!in) {
        report(path.c_str(), "cannot read");
        return false;
    }
    std::string line;
    if (header) std::getline(in, line);
    while (std::getline(in, line)) lines.push_back(line);
    return true;
}

int pairRange(int table)
{
    switch (table) {
    case 1: return 2;
    case 2: case 3: return 3;
    case 5: case 6: return 4;
    case 7: case 8: case 9: return 6;
    case 10: case 11: case 12: return 8;
    case 13: case 15: case 16: case 24: return 16;
    default: return 0;
    }
}

bool readCodewords(const std::string& path, std::vector<CodewordRow>& out)
{
    std::vector<std::string> lines;
    if (!dataLines(path, true, lines)) return false;
    for (size_t i = 0; i < lines.size(); ++i) {
        int lineNo = static_cast<int>(i) + 2;
        auto f = fields(lines[i]);
        if (f.size() != 5) return fail(path, lineNo, "expected 5 fields");
        CodewordRow row{};
        int length = 0;
        bool quad = f[0] == "A" || f[0] == "B";
        if (quad) {
            row.table = f[0] == "A" ? kQuadTableA : kQuadTableB;
            if (f[2] != "-") return fail(path, lineNo, "quadruple row with a y value");
        } else if (!toInt(f[0], row.table) || pairRange(row.table) == 0) {
            return fail(path, lineNo, "unknown table");
        }
        if (!toInt(f[1], row.x) || (!quad && !toInt(f[2], row.y)) || !toInt(f[3], length))
            return fail(path, lineNo, "bad number");
        int range = quad ? 16 : pairRange(row.table);
        if (row.x < 0 || row.x >= range || row.y < 0 || row.y >= range)
            return fail(path, lineNo, "value out of range");
        row.code = f[4];
        if (length < 1 || length > 19 || static_cast<int>(row.code.size()) != length ||
            row.code.find_first_not_of("01") != std::string::npos)
            return fail(path, lineNo, "bad codeword");
        out.push_back(row);
    }
    int counts[34] = {};
    for (const CodewordRow& row : out) ++counts[row.table];
    for (int t = 1; t < 34; ++t) {
        int range = t >= kQuadTableA ? 16 : pairRange(t);
        if (range && counts[t] != (t >= kQuadTableA ? range : range * range))
            return fail(path, 1, "table " + std::to_string(t) + " has a wrong number of rows");
    }
    return true;
}

bool readTableInfo(const std::string& path, TableInfoRow (&out)[32])
{
    std::vector<std::string> lines;
    if (!dataLines(path, true, lines)) return false;
    if (lines.size() != 32) return fail(path, 1, "expected 32 data lines");
    for (int i = 0; i < 32; ++i) {
        auto f = fields(lines[i]);
        int table = -1;
        if (f.size() != 3 || !toInt(f[0], table) || table != i) return fail(path, i + 2, "bad table number");
        if (f[1] == "-") {
            out[i].codes = -1;
        } else if (!toInt(f[1], out[i].codes) || (out[i].codes != 0 && pairRange(out[i].codes) == 0)) {
            return fail(path, i + 2, "bad codes column");
        }
        if (!toInt(f[2], out[i].linbits) || out[i].linbits < 0 || out[i].linbits > 13)
            return fail(path, i + 2, "bad linbits");
    }
    return true;
}

bool readWindow(const std::string& path, int32_t (&out)[257])
{
    std::vector<std::string> lines;
    if (!dataLines(path, false, lines)) return false;
    if (lines.size() != 257) return fail(path, 1, "expected 257 lines");
    for (int i = 0; i < 257; ++i) {
        int v = 0;
        if (!toInt(lines[i], v) || v < -131072 || v > 131072) return fail(path, i + 1, "bad coefficient");
        out[i] = v;
    }
    return true;
}

bool readPartitions(const std::string& path, int (&out)[3][6][4])
{
    std::vector<std::string> lines;
    if (!dataLines(path, true, lines)) return false;
    if (lines.size() != 18) return fail(path, 1, "expected 18 data lines");
    for (int i = 0; i < 18; ++i) {
        auto f = fields(lines[i]);
        int kind = 0, table = 0;
        if (f.size() != 6 || !toInt(f[0], kind) || !toInt(f[1], table) || kind != i / 6 || table != i % 6)
            return fail(path, i + 2, "bad kind or table");
        for (int p = 0; p < 4; ++p) {
            int& n = out[kind][table][p];
            if (!toInt(f[2 + p], n) || n < 0 || n > 18) return fail(path, i + 2, "bad partition size");
        }
    }
    return true;
}

// Band starts that rise from 0 to `end`.
bool readBoundaries(const std::string& text, int32_t* out, int count, int end)
{
    std::stringstream in(text);
    int previous = -1, n = 0;
    for (int v = 0; n < count && in >> v; ++n) {
        if (v <= previous || (n == 0 && v != 0)) return false;
        out[n] = previous = v;
    }
    std::string rest;
    return n == count && previous == end && !(in >> rest);
}

bool readMpeg25Bands(const std::string& path, int32_t (&longStarts)[3][23], int32_t (&shortStarts)[3][14])
{
    constexpr int kRates[3] = {11025, 12000, 8000};  // by the header's sampling bits
    std::vector<std::string> lines;
    if (!dataLines(path, true, lines)) return false;
    if (lines.size() != 6) return fail(path, 1, "expected 6 data lines");
    bool seen[3][2] = {};
    for (size_t i = 0; i < lines.size(); ++i) {
        auto f = fields(lines[i]);
        int rate = 0, line = static_cast<int>(i) + 2;
        if (f.size() != 3 || !toInt(f[0], rate) || (f[1] != "long" && f[1] != "short")) return fail(path, line, "bad rate or kind");
        int row = static_cast<int>(std::find(kRates, kRates + 3, rate) - kRates);
        bool isLong = f[1] == "long";
        if (row == 3 || seen[row][isLong]) return fail(path, line, "unknown or repeated rate and kind");
        seen[row][isLong] = true;
        bool ok = isLong ? readBoundaries(f[2], longStarts[row], 23, 576) : readBoundaries(f[2], shortStarts[row], 14, 192);
        if (!ok) return fail(path, line, "boundaries must rise from 0 to the end of the granule");
    }
    return true;
}

}  // namespace

bool readTableFiles(const std::string& dir, TableFiles& out)
{
    return readCodewords(dir + "/huffman.tsv", out.codewords) &&
           readTableInfo(dir + "/huffman-linbits.tsv", out.tables) &&
           readWindow(dir + "/synthesis-window.txt", out.synthesisWindow) &&
           readPartitions(dir + "/mpeg2-sfb-partitions.tsv", out.partitions) &&
           readMpeg25Bands(dir + "/mpeg25-bands.tsv", out.mpeg25Long, out.mpeg25Short);
}
