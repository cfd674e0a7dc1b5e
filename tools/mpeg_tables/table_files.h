#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The standard's tables as read from the table files, checked for shape and ranges.

struct CodewordRow {
    int table;  // 1..24 pair tables; 32 = quadruple table A, 33 = quadruple table B
    int x;      // pair: first value; quadruple: 8v + 4w + 2x + y
    int y;      // pair: second value; quadruple: 0
    std::string code;  // '0'/'1', first bit read first
};

struct TableInfoRow {
    int codes;    // table whose codewords it uses; 0 for table 0, -1 for unused 4 and 14
    int linbits;
};

struct TableFiles {
    std::vector<CodewordRow> codewords;
    TableInfoRow tables[32];
    int32_t synthesisWindow[257];
    int partitions[3][6][4];
    // MPEG-2.5 band starts by the header's sampling bits (11025, 12000, 8000 Hz), and the end.
    int32_t mpeg25Long[3][23];
    int32_t mpeg25Short[3][14];
};

// Reads all five files from dir; on failure prints why and returns false.
bool readTableFiles(const std::string& dir, TableFiles& out);
