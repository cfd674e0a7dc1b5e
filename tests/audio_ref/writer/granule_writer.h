#pragma once

#include <string>

#include "writer/band_layout.h"
#include "writer/bit_writer.h"
#include "writer/huffman_writer.h"
#include "writer/layer3_plan.h"
#include "writer/scalefactor_writer.h"

// One granule of one channel, coded: its main data and the side-information fields it decided.
struct CodedGranule {
    BitWriter mainData;
    int part23Length = 0;
    int scalefacCompress = 0;
    SpectrumFields spectrum;
};

// Codes scale factors and spectrum; false with a reason when the granule cannot be coded as asked.
bool codeGranule(const GranulePlan& g, const BandLayout& layout, const ScalefactorPlace& place, CodedGranule& out,
                 std::string& error);
