#pragma once

#include <array>
#include <string>

#include "writer/band_layout.h"
#include "writer/bit_writer.h"
#include "writer/layer3_plan.h"

// The side-information fields that follow from how a granule's spectrum is coded.
struct SpectrumFields {
    int bigValues = 0;
    std::array<int, 3> tableSelect{};
    int count1Quads = 0;
};

// First line of region 1 and of region 2 of the big-values part.
std::array<int, 2> regionStarts(const GranulePlan& g, const BandLayout& layout);

// Largest magnitude a pair table (table_select 0 to 31) can code; -1 for the unused tables 4 and 14.
int tableMaxValue(int tableSelect);

// Works out big_values, the tables and the count1 length for the spectrum; false with a reason
// when the values cannot be coded as the granule asks.
bool chooseSpectrumFields(const GranulePlan& g, const BandLayout& layout, SpectrumFields& fields,
                          std::string& error);

// Writes the Huffman-coded spectrum (part 3 of the granule's main data).
void writeSpectrum(const GranulePlan& g, const BandLayout& layout, const SpectrumFields& fields,
                   BitWriter& out);
