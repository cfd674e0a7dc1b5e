#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The generator's own 5 x 7 pixel font: capitals, digits and common punctuation.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;  // glyph plus one column of space

// Whether the glyph of `c` has its pixel at column x, row y (row 0 at the top).
bool glyphPixel(char c, int x, int y);
bool fontHasGlyph(char c);
bool fontCovers(std::string_view text);

// A one-bit drawing surface, row 0 at the top as text is laid out.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> on;
    bool at(int x, int y) const;
    void set(int x, int y);
};
Coverage makeCoverage(int width, int height);

// Draws `text` with its top left corner at (x, y), each font pixel as a cellW x cellH block.
void stampText(Coverage& canvas, int x, int y, std::string_view text, int cellW, int cellH);
int textWidth(std::string_view text, int cellW);
