#include "writer/stream_writer.h"

#include <algorithm>

#include "writer/frame_layout.h"
#include "writer/side_info_writer.h"

namespace {

// Ancillary bytes in the gaps between main data: never zero (a decoder reading them would not
// get silence by luck) and never 0xFF (no false frame sync).
uint8_t fillerByte(long pos) { return static_cast<uint8_t>(0x21 + pos % 0x5D); }

struct PlacedFrame {
    const BandLayout* layout = nullptr;
    CodedFrame coded;
    std::vector<uint8_t> mainData;
    long slotStart = 0;
    int slotBytes = 0;
    long dataStart = 0;
};

bool codeFrame(const FramePlan& f, PlacedFrame& p, std::string& error)
{
    p.layout = bandLayout(f.rate);
    if (!p.layout) {
        error = "no such sampling rate";
        return false;
    }
    BitWriter mainData;
    for (int gr = 0; gr < granuleCount(*p.layout); ++gr) {
        for (int ch = 0; ch < channelCount(f); ++ch) {
            ScalefactorPlace place{p.layout->mpeg2, gr, f.scfsi[ch], &f.granule[0][ch],
                                   p.layout->mpeg2 && f.mode == 1 && (f.modeExt & 1) && ch == 1};
            if (!codeGranule(f.granule[gr][ch], *p.layout, place, p.coded[gr][ch], error)) {
                error = "granule " + std::to_string(gr) + " channel " + std::to_string(ch) + ": " + error;
                return false;
            }
            mainData.append(p.coded[gr][ch].mainData);
        }
    }
    mainData.padToByte();
    p.mainData = mainData.bytes;
    p.slotBytes = frameBytes(f, *p.layout) - 4 - (f.crc ? 2 : 0) - sideInfoBytes(*p.layout, channelCount(f));
    uint32_t word;
    if (p.slotBytes < 0 || !headerWord(f, *p.layout, word)) {
        error = "no such bitrate, or too small for its side information";
        return false;
    }
    return true;
}

bool placeMainData(const StreamPlan& plan, const FramePlan& f, PlacedFrame& p, long& dataEnd, std::string& error)
{
    const int maxReach = maxMainDataBegin(*p.layout);
    if (f.reach > maxReach) {
        error = "reach above " + std::to_string(maxReach);
        return false;
    }
    p.dataStart = f.reach >= 0 ? p.slotStart - f.reach : std::max(dataEnd, p.slotStart - maxReach);
    const bool beforeStart = p.dataStart < 0 && plan.allowReachBeforeStart;
    if (p.dataStart < dataEnd && !beforeStart) {
        error = "main data would overlap the previous frame's";
        return false;
    }
    const long end = p.dataStart + static_cast<long>(p.mainData.size());
    if (end > p.slotStart + p.slotBytes) {
        error = "main data needs " + std::to_string(end - p.slotStart) + " bytes of the frame, it has " +
                std::to_string(p.slotBytes);
        return false;
    }
    dataEnd = end;
    return true;
}

void emitFrame(const FramePlan& f, const PlacedFrame& p, const std::vector<uint8_t>& slots, WrittenStream& out)
{
    const int mainDataBegin = static_cast<int>(p.slotStart - p.dataStart);
    uint32_t word = 0;
    headerWord(f, *p.layout, word);
    const uint8_t header[4] = {uint8_t(word >> 24), uint8_t(word >> 16), uint8_t(word >> 8), uint8_t(word)};
    BitWriter side;
    writeSideInfo(f, *p.layout, p.coded, mainDataBegin, side);
    out.bytes.insert(out.bytes.end(), f.junkBefore.begin(), f.junkBefore.end());
    out.bytes.insert(out.bytes.end(), header, header + 4);
    if (f.crc) {
        const uint16_t crc = frameCrc(header, side.bytes);
        out.bytes.push_back(static_cast<uint8_t>(crc >> 8));
        out.bytes.push_back(static_cast<uint8_t>(crc));
    }
    out.bytes.insert(out.bytes.end(), side.bytes.begin(), side.bytes.end());
    out.bytes.insert(out.bytes.end(), slots.begin() + p.slotStart, slots.begin() + p.slotStart + p.slotBytes);
    out.mainDataBegin.push_back(mainDataBegin);
}

}  // namespace

WrittenStream writeStream(const StreamPlan& plan)
{
    WrittenStream out;
    std::vector<PlacedFrame> placed(plan.frames.size());
    long slotEnd = 0;
    long dataEnd = 0;
    for (size_t n = 0; n < plan.frames.size(); ++n) {
        PlacedFrame& p = placed[n];
        p.slotStart = slotEnd;
        std::string error;
        if (!codeFrame(plan.frames[n], p, error) || !placeMainData(plan, plan.frames[n], p, dataEnd, error)) {
            out.error = "frame " + std::to_string(n) + ": " + error;
            return out;
        }
        slotEnd += p.slotBytes;
    }
    std::vector<uint8_t> slots(static_cast<size_t>(slotEnd));
    for (long i = 0; i < slotEnd; ++i) slots[i] = fillerByte(i);
    for (const PlacedFrame& p : placed)
        for (size_t i = 0; i < p.mainData.size(); ++i)
            if (p.dataStart + static_cast<long>(i) >= 0) slots[p.dataStart + i] = p.mainData[i];

    out.bytes = plan.leading;
    for (size_t n = 0; n < plan.frames.size(); ++n) emitFrame(plan.frames[n], placed[n], slots, out);
    out.bytes.insert(out.bytes.end(), plan.trailing.begin(), plan.trailing.end());
    return out;
}
