#include "huffman_tree.h"

#include <set>

namespace {

// Appends the subtree of all codes that share the first `depth` bits.
bool appendSubtree(std::vector<const TreeCode*> codes, size_t depth, std::vector<int16_t>& tree,
                   std::string& error)
{
    if (codes.empty()) {
        error = "incomplete code: a branch has no code word";
        return false;
    }
    if (codes.size() == 1 && codes[0]->bits.size() == depth) {
        tree.push_back(static_cast<int16_t>(codes[0]->leaf));
        return true;
    }
    std::vector<const TreeCode*> zero, one;
    for (const TreeCode* c : codes) {
        if (c->bits.size() == depth) {
            error = "code word " + c->bits + " is a prefix of another";
            return false;
        }
        (c->bits[depth] == '0' ? zero : one).push_back(c);
    }
    size_t node = tree.size();
    tree.push_back(0);
    if (!appendSubtree(zero, depth + 1, tree, error)) return false;
    tree[node] = static_cast<int16_t>(-static_cast<int>(tree.size() - node - 1));
    return appendSubtree(one, depth + 1, tree, error);
}

}  // namespace

bool buildHuffmanTree(const std::vector<TreeCode>& codes, std::vector<int16_t>& tree, std::string& error)
{
    std::set<int> leaves;
    std::vector<const TreeCode*> all;
    for (const TreeCode& c : codes) {
        if (!leaves.insert(c.leaf).second) {
            error = "leaf value " + std::to_string(c.leaf) + " appears twice";
            return false;
        }
        all.push_back(&c);
    }
    tree.clear();
    return appendSubtree(all, 0, tree, error);
}
