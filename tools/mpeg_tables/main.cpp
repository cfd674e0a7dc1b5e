// Writes the decoder's Huffman trees, the code word list and the other standard tables as C++ sources.
#include <cstdio>
#include <map>
#include <string>

#include "decoder_tables.h"
#include "huffman_tree.h"
#include "source_writer.h"
#include "table_files.h"

namespace {

constexpr int kQuadTables[] = {32, 33};
constexpr int kUnusedCodes = 255;

std::string treeName(int codes) { return codes == 0 ? "kTreeZero" : "kTree" + std::to_string(codes); }

bool buildTrees(const TableFiles& t, std::map<int, std::vector<int16_t>>& trees)
{
    std::map<int, std::vector<TreeCode>> codes;
    for (const CodewordRow& r : t.codewords) {
        bool quad = r.table >= 32;
        codes[r.table].push_back({r.code, quad ? r.x : (r.x << 4) | r.y});
    }
    for (auto& [table, list] : codes) {
        std::string error;
        if (!buildHuffmanTree(list, trees[table], error)) {
            std::fprintf(stderr, "mpeg_tables: table %d: %s\n", table, error.c_str());
            return false;
        }
    }
    for (int i = 0; i < 32; ++i) {
        if (t.tables[i].codes > 0 && !trees.count(t.tables[i].codes)) {
            std::fprintf(stderr, "mpeg_tables: table %d uses codes of %d, which has none\n", i, t.tables[i].codes);
            return false;
        }
    }
    for (int q : kQuadTables) {
        if (!trees.count(q)) {
            std::fprintf(stderr, "mpeg_tables: quadruple table %d missing\n", q);
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

std::string treesHeader()
{
    return generatedBanner() + R"(#pragma once

#include <cstdint>

// Decoding trees of the Layer III Huffman tables. An entry -n is a node: read one bit; on 0 go on
// with the next entry, on 1 skip the n entries of the 0-branch first. A non-negative entry is a leaf:
// (x << 4) | y for pair tables, the bits v w x y (v in bit 3) for the quadruple tables.
struct HuffmanTree {
    int32_t linbits;
    int32_t size;  // entries in use (padded to an even count in storage)
    const int16_t* nodes;
};

// Entries 0..31 by table_select, 32 and 33 the quadruple tables A and B by count1table_select.
// Tables 0, 4 and 14 have the one-leaf tree that gives (0, 0) without reading a bit.
extern const HuffmanTree kHuffmanTrees[34];
)";
}

std::string treesSource(const TableFiles& t, const std::map<int, std::vector<int16_t>>& trees)
{
    std::string s = generatedBanner() + "#include \"audio/generated/huffman_trees.h\"\n\nnamespace {\n\n";
    s += "const int16_t kTreeZero[2] = {0, 0};\n";
    for (const auto& [table, nodes] : trees) {
        std::vector<long> v(nodes.begin(), nodes.end());
        if (v.size() % 2) v.push_back(0);
        s += "const int16_t " + treeName(table) + "[" + std::to_string(v.size()) + "] = {\n" + numberList(v, 16) + "};\n";
    }
    s += "\n}  // namespace\n\nconst HuffmanTree kHuffmanTrees[34] = {\n";
    auto entry = [&](int linbits, int codes) {
        int size = codes == 0 ? 1 : static_cast<int>(trees.at(codes).size());
        return "    {" + std::to_string(linbits) + ", " + std::to_string(size) + ", " + treeName(codes) + "},\n";
    };
    for (const TableInfoRow& row : t.tables) s += entry(row.linbits, row.codes < 0 ? 0 : row.codes);
    for (int q : kQuadTables) s += entry(0, q);
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mpeg_tables TABLE_DIR OUT_DIR\n");
        return 2;
    }
    TableFiles tables{};
    std::map<int, std::vector<int16_t>> trees;
    if (!readTableFiles(argv[1], tables) || !buildTrees(tables, trees)) return 1;
    std::string out = std::string(argv[2]) + "/";
    std::string windowHeader, partitionHeader;
    std::string windowSource = windowFiles(tables, windowHeader);
    std::string partitionSource = partitionFiles(tables, partitionHeader);
    bool ok = writeTextFile(out + "huffman_codewords.h", codewordsHeader()) &&
              writeTextFile(out + "huffman_codewords.cpp", codewordsSource(tables)) &&
              writeTextFile(out + "huffman_trees.h", treesHeader()) &&
              writeTextFile(out + "huffman_trees.cpp", treesSource(tables, trees)) &&
              writeTextFile(out + "synthesis_window.h", windowHeader) &&
              writeTextFile(out + "synthesis_window.cpp", windowSource) &&
              writeTextFile(out + "mpeg2_partitions.h", partitionHeader) &&
              writeTextFile(out + "mpeg2_partitions.cpp", partitionSource) &&
              writeDecoderTables(out, tables.synthesisWindow);
    return ok ? 0 : 1;
}
