#include "writer/side_info_writer.h"

#include "writer/frame_layout.h"

namespace {

void writeGranuleInfo(const GranulePlan& g, const CodedGranule& c, bool mpeg2, BitWriter& out)
{
    out.put(static_cast<uint32_t>(c.part23Length), 12);
    out.put(static_cast<uint32_t>(c.spectrum.bigValues), 9);
    out.put(static_cast<uint32_t>(g.globalGain), 8);
    out.put(static_cast<uint32_t>(c.scalefacCompress), mpeg2 ? 9 : 4);
    out.put(g.blockType != 0, 1);
    if (g.blockType != 0) {
        out.put(static_cast<uint32_t>(g.blockType), 2);
        out.put(g.mixed, 1);
        for (int r = 0; r < 2; ++r) out.put(static_cast<uint32_t>(c.spectrum.tableSelect[r]), 5);
        for (int w = 0; w < 3; ++w) out.put(static_cast<uint32_t>(g.subblockGain[w]), 3);
    } else {
        for (int r = 0; r < 3; ++r) out.put(static_cast<uint32_t>(c.spectrum.tableSelect[r]), 5);
        out.put(static_cast<uint32_t>(g.region0Count), 4);
        out.put(static_cast<uint32_t>(g.region1Count), 3);
    }
    if (!mpeg2) out.put(g.preflag, 1);
    out.put(g.scalefacScale, 1);
    out.put(static_cast<uint32_t>(g.count1Table), 1);
}

}  // namespace

void writeSideInfo(const FramePlan& f, const BandLayout& layout, const CodedFrame& coded, int mainDataBegin,
                   BitWriter& out)
{
    const int channels = channelCount(f);
    const bool mono = channels == 1;
    out.put(static_cast<uint32_t>(mainDataBegin), layout.mpeg2 ? 8 : 9);
    if (layout.mpeg2) {
        out.put(static_cast<uint32_t>(f.privateBits), mono ? 1 : 2);
    } else {
        out.put(static_cast<uint32_t>(f.privateBits), mono ? 5 : 3);
        for (int ch = 0; ch < channels; ++ch) out.put(static_cast<uint32_t>(f.scfsi[ch]), 4);
    }
    for (int gr = 0; gr < granuleCount(layout); ++gr)
        for (int ch = 0; ch < channels; ++ch) writeGranuleInfo(f.granule[gr][ch], coded[gr][ch], layout.mpeg2, out);
}

uint16_t frameCrc(const uint8_t header[4], const std::vector<uint8_t>& sideInfo)
{
    uint16_t crc = 0xFFFF;
    auto feed = [&crc](uint8_t byte) {
        for (int i = 7; i >= 0; --i) {
            const bool top = (crc >> 15 & 1) != (byte >> i & 1);
            crc = static_cast<uint16_t>(crc << 1);
            if (top) crc ^= 0x8005;
        }
    };
    feed(header[2]);
    feed(header[3]);
    for (uint8_t b : sideInfo) feed(b);
    return crc;
}
