#pragma once

#include <cstdint>
#include <string>

#include "table_files.h"

// The decoder's computed tables (requantisation, stereo, filter banks, band maps) as constant
// C++ sources, from the formulas of the standard and its synthesis window D (times 65536).
// Writes OUT_DIR/decoder_tables.{h,cpp}; false on a write failure.
bool writeDecoderTables(const std::string& outDir, const TableFiles& tables);
