// Writes the decoder's Huffman lookup tables, the code word list and the other standard tables as C++ sources.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "decoder_tables.h"
#include "platform/report.h"
#include "huffman_lookup.h"
#include "source_writer.h"
#include "table_files.h"

using namespace lookup_layout;

namespace {

constexpr int kQuadTables[] = {32, 33};
constexpr int kUnusedCodes = 255;

std::string lookupName(int codes) { return codes == 0 ? "kLookupZero" : "kLookup" + std::to_string(codes); }

struct Lookup {
    int rootBits;
    std::vector<uint16_t> entries;
    std::vector<uint16_t> signedQuadruples;  // quadruple tables only
};

bool buildLookups(const TableFiles& t, std::map<int, Lookup>& lookups)
{
    std::map<int, std::vector<LookupCode>> codes;
    for (const CodewordRow& r : t.codewords) {
        bool quad = r.table >= 32;
        codes[r.table].push_back({r.code, quad ? r.x : (r.x << 4) | r.y});
    }
    for (auto& [table, list] : codes) {
        std::string error;
        if (!buildHuffmanLookup(list, lookups[table].entries, lookups[table].rootBits, error)) {
            report(("table " + std::to_string(table)).c_str(), error);
            return false;
        }
        if (table >= 32) lookups[table].signedQuadruples = buildSignedQuadrupleLookup(list);
    }
    for (int i = 0; i < 32; ++i) {
        if (t.tables[i].codes > 0 && !lookups.count(t.tables[i].codes)) {
            report(("table " + std::to_string(i)).c_str(), "uses codes of " + std::to_string(t.tables[i].codes) + ", which has none");
            return false;
        }
    }
    for (int q : kQuadTables) {
        if (!lookups.count(q)) {
            report(("quadruple table " + std::to_string(q)).c_str(), "missing");
            return false;
        }
    }
    return true;
}

std::string codewordsHeader()
{
    return generatedBanner() + R"(#pragma once

#include <cstdint>

// Every code word of the Layer III Huffman tables.
// table: 1..24 as numbered in the standard's pair tables; 32 = count1 table A, 33 = count1 table B
// (for these x = 8v+4w+2x+y and y = 0). bits: right-aligned, the first bit read is the most significant.
struct HuffmanCodeword {
    uint8_t table;
    uint8_t x;
    uint8_t y;
    uint8_t length;
    uint32_t bits;
};
extern const HuffmanCodeword kHuffmanCodewords[];
extern const int kHuffmanCodewordCount;

// codes: the table whose code words a table_select value uses; 0 for table 0, 255 for unused 4 and 14.
struct HuffmanTableInfo {
    uint8_t codes;
    uint8_t linbits;
};
extern const HuffmanTableInfo kHuffmanTables[32];
)";
}

std::string codewordsSource(const TableFiles& t)
{
    std::string s = generatedBanner() + "#include \"audio/generated/huffman_codewords.h\"\n\n";
    s += "const HuffmanCodeword kHuffmanCodewords[] = {\n";
    for (const CodewordRow& r : t.codewords) {
        unsigned long bits = std::stoul(r.code, nullptr, 2);
        char line[96];
        std::snprintf(line, sizeof line, "    {%d, %d, %d, %zu, 0x%lx},\n", r.table, r.x, r.y, r.code.size(), bits);
        s += line;
    }
    s += "};\nconst int kHuffmanCodewordCount = " + std::to_string(t.codewords.size()) + ";\n\n";
    s += "const HuffmanTableInfo kHuffmanTables[32] = {\n";
    for (const TableInfoRow& row : t.tables) {
        int codes = row.codes < 0 ? kUnusedCodes : row.codes;
        s += "    {" + std::to_string(codes) + ", " + std::to_string(row.linbits) + "},\n";
    }
    return s + "};\n";
}

std::string line(const char* type, const char* name, long value)
{
    return std::string("constexpr ") + type + " " + name + " = " + std::to_string(value) + ";\n";
}

// The layout constants the decoder reads the tables with, from the ones they were built with.
std::string lookupConstants()
{
    return line("uint32_t", "kLookupLink", kLookupLink) + line("int", "kLookupLengthShift", kLookupLengthShift) +
           line("uint32_t", "kLookupLengthMask", kLookupMaxLength) +
           line("uint32_t", "kLookupValueMask", 0xFF) +
           line("int", "kLookupLinkBitsShift", kLookupLinkBitsShift) +
           line("uint32_t", "kLookupLinkBitsMask", kLookupMaxLevelBits - 1) +
           line("uint32_t", "kLookupOffsetMask", kLookupMaxOffset);
}

std::string quadrupleConstants()
{
    return line("int", "kQuadrupleSignedBits", kQuadrupleSignedBits) +
           line("uint32_t", "kQuadrupleLengthMask", (1 << kQuadrupleValueShift) - 1) +
           line("int", "kQuadrupleValueShift", kQuadrupleValueShift) +
           line("int", "kQuadrupleSignShift", kQuadrupleSignShift);
}

std::string lookupHeader()
{
    return generatedBanner() + R"(#pragma once

#include <cstdint>

// Lookup tables of the Layer III Huffman codes, read several bits at a time. A table's root level
// is indexed by the next rootBits bits. An entry without kLookupLink is a code word: its full length
// in bits 8-12 and its value in bits 0-7, (x << 4) | y for pair tables, the bits v w x y (v in bit 3)
// for the quadruple tables. An entry with kLookupLink goes on in a sub-table starting at the entry
// in bits 0-11, indexed by the next (bits 12-14) + 1 bits after those already used.
struct HuffmanLookup {
    int32_t linbits;
    int32_t rootBits;
    const uint16_t* entries;
};
)" + lookupConstants() + R"(
// By table_select; tables 0, 4 and 14 have the one entry that gives (0, 0) without reading a bit.
// The quadruple tables are read through kSignedQuadrupleLookups alone.
extern const HuffmanLookup kHuffmanLookups[32];

// Quadruples with their sign bits, by count1table_select, indexed by the next kQuadrupleSignedBits
// bits (the longest code word and its four signs): the bits taken, code word and signs, in bits 0-3,
// the value bits v w x y (v in bit 3) in bits 4-7 and their signs (1: negative) in bits 8-11.
)" + quadrupleConstants() + R"(extern const uint16_t kSignedQuadrupleLookups[2][1 << kQuadrupleSignedBits];
)";
}

std::string lookupSource(const TableFiles& t, const std::map<int, Lookup>& lookups)
{
    std::string s = generatedBanner() + "#include \"audio/generated/huffman_lookup.h\"\n\nnamespace {\n\n";
    s += "const uint16_t kLookupZero[1] = {0};\n";
    for (const auto& [table, lookup] : lookups) {
        if (std::find(std::begin(kQuadTables), std::end(kQuadTables), table) != std::end(kQuadTables)) continue;
        std::vector<long> v(lookup.entries.begin(), lookup.entries.end());
        s += "const uint16_t " + lookupName(table) + "[" + std::to_string(v.size()) + "] = {\n" + numberList(v, 16) + "};\n";
    }
    s += "\n}  // namespace\n\nconst HuffmanLookup kHuffmanLookups[32] = {\n";
    auto entry = [&](int linbits, int codes) {
        int rootBits = codes == 0 ? 0 : lookups.at(codes).rootBits;
        return "    {" + std::to_string(linbits) + ", " + std::to_string(rootBits) + ", " + lookupName(codes) + "},\n";
    };
    for (const TableInfoRow& row : t.tables) s += entry(row.linbits, row.codes < 0 ? 0 : row.codes);
    s += "};\n\nconst uint16_t kSignedQuadrupleLookups[2][1 << kQuadrupleSignedBits] = {\n";
    for (int q : kQuadTables) {
        std::vector<long> v(lookups.at(q).signedQuadruples.begin(), lookups.at(q).signedQuadruples.end());
        s += "  {\n" + numberList(v, 16) + "  },\n";
    }
    return s + "};\n";
}

std::string windowFiles(const TableFiles& t, std::string& header)
{
    header = generatedBanner() + R"(#pragma once

#include <cstdint>

// The synthesis window D[0..256] of the standard, each coefficient times 65536 (exact).
extern const int32_t kSynthesisWindowD[257];
)";
    std::vector<long> v(std::begin(t.synthesisWindow), std::end(t.synthesisWindow));
    return generatedBanner() + "#include \"audio/generated/synthesis_window.h\"\n\nconst int32_t kSynthesisWindowD[257] = {\n" +
           numberList(v, 12) + "};\n";
}

std::string partitionFiles(const TableFiles& t, std::string& header)
{
    header = generatedBanner() + R"(#pragma once

#include <cstdint>

// Scale factors per partition for the lower sampling frequencies, [block kind][table][partition]:
// kind 0 long, 1 short, 2 mixed; tables 0..2 by scalefac_compress, 3..5 on the intensity channel.
// A short band counts once per window.
extern const uint8_t kMpeg2PartitionSizes[3][6][4];
)";
    std::string s = generatedBanner() +
                    "#include \"audio/generated/mpeg2_partitions.h\"\n\nconst uint8_t kMpeg2PartitionSizes[3][6][4] = {\n";
    for (const auto& kind : t.partitions) {
        s += "    {\n";
        for (const auto& table : kind)
            s += "        {" + std::to_string(table[0]) + ", " + std::to_string(table[1]) + ", " +
                 std::to_string(table[2]) + ", " + std::to_string(table[3]) + "},\n";
        s += "    },\n";
    }
    return s + "};\n";
}

std::string mpeg25BandFiles(const TableFiles& t, std::string& header)
{
    header = generatedBanner() + R"(#pragma once

#include <cstdint>

// Scale-factor band starts of the MPEG-2.5 rates by the header's sampling bits (11025, 12000,
// 8000 Hz): long bands and the end (576), short bands within a window and the end (192).
extern const int32_t kMpeg25LongBandStarts[3][23];
extern const int32_t kMpeg25ShortBandStarts[3][14];
)";
    std::vector<long> longStarts, shortStarts;
    for (int r = 0; r < 3; ++r) {
        longStarts.insert(longStarts.end(), std::begin(t.mpeg25Long[r]), std::end(t.mpeg25Long[r]));
        shortStarts.insert(shortStarts.end(), std::begin(t.mpeg25Short[r]), std::end(t.mpeg25Short[r]));
    }
    return generatedBanner() + "#include \"audio/generated/mpeg25_bands.h\"\n\nconst int32_t kMpeg25LongBandStarts[3][23] = {\n" +
           numberList(longStarts, 23) + "};\n\nconst int32_t kMpeg25ShortBandStarts[3][14] = {\n" +
           numberList(shortStarts, 14) + "};\n";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        report("usage", "mpeg_tables TABLE_DIR OUT_DIR");
        return 2;
    }
    TableFiles tables{};
    std::map<int, Lookup> lookups;
    if (!readTableFiles(argv[1], tables) || !buildLookups(tables, lookups)) return 1;
    std::string out = std::string(argv[2]) + "/";
    std::string windowHeader, partitionHeader, bandHeader;
    std::string windowSource = windowFiles(tables, windowHeader);
    std::string partitionSource = partitionFiles(tables, partitionHeader);
    std::string bandSource = mpeg25BandFiles(tables, bandHeader);
    bool ok = writeTextFile(out + "huffman_codewords.h", codewordsHeader()) &&
              writeTextFile(out + "huffman_codewords.cpp", codewordsSource(tables)) &&
              writeTextFile(out + "huffman_lookup.h", lookupHeader()) &&
              writeTextFile(out + "huffman_lookup.cpp", lookupSource(tables, lookups)) &&
              writeTextFile(out + "synthesis_window.h", windowHeader) &&
              writeTextFile(out + "synthesis_window.cpp", windowSource) &&
              writeTextFile(out + "mpeg2_partitions.h", partitionHeader) &&
              writeTextFile(out + "mpeg2_partitions.cpp", partitionSource) &&
              writeTextFile(out + "mpeg25_bands.h", bandHeader) && writeTextFile(out + "mpeg25_bands.cpp", bandSource) &&
              writeDecoderTables(out, tables);
    return ok ? 0 : 1;
}
