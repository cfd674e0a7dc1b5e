#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One code word of a table: its bits as '0'/'1' (first bit read first) and the leaf it decodes to.
struct TreeCode {
    std::string bits;
    int leaf;
};

// Builds the decoder's tree array: an internal node is -n followed by its 0-subtree (n entries)
// and then its 1-subtree; a leaf is its non-negative value. Fails (with a message) unless the
// codes form a complete prefix code with distinct leaves.
bool buildHuffmanTree(const std::vector<TreeCode>& codes, std::vector<int16_t>& tree, std::string& error);
