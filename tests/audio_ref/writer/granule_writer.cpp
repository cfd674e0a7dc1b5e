#include "writer/granule_writer.h"

namespace {

constexpr int kMaxPart23Length = 4095;  // a 12-bit field

}  // namespace

bool codeGranule(const GranulePlan& g, const BandLayout& layout, const ScalefactorPlace& place, CodedGranule& out,
                 std::string& error)
{
    if (!chooseScalefacCompress(g, place, out.scalefacCompress, error)) return false;
    if (!chooseSpectrumFields(g, layout, out.spectrum, error)) return false;
    writeScalefactors(g, place, out.scalefacCompress, out.mainData);
    writeSpectrum(g, layout, out.spectrum, out.mainData);
    out.part23Length = out.mainData.bitCount;
    if (out.part23Length > kMaxPart23Length) {
        error = "granule needs " + std::to_string(out.part23Length) + " bits, more than part2_3_length holds";
        return false;
    }
    return true;
}
