#include "streams/writer_streams.h"

#include <algorithm>

#include "streams/stream_building.h"
#include "writer/huffman_writer.h"

namespace {

// MPEG-1 scalefac_compress values whose two lengths are both 3 or more, so every scale factor can
// hold an intensity position 0 to 7.
constexpr int kCompressHoldingPositions[] = {13, 15};
// MPEG-2 scalefac_compress of the intensity channel with lengths 3, 3, 3 (a value of 7 then means
// "no intensity" in every reading of the standard), and with lengths 4, 4, 4; bit 0 is the scale.
constexpr int kMpeg2IntensityCompress3 = 258;
constexpr int kMpeg2IntensityCompress4 = 344;

StreamSpec silence44k()
{
    StreamSpec s;
    for (int n = 0; n < 4; ++n) s.frames.push_back(silentFrame(44100, 128));
    return s;
}

// Every pair table without linbits, one per region, with region counts that move from granule to granule.
StreamSpec longTables44k()
{
    constexpr int kTables[] = {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15};
    const BandLayout& layout = *bandLayout(44100);
    Lcg rng{1};
    StreamSpec s;
    int next = 0;
    for (int n = 0; n < 10; ++n) {
        FrameSpec f = silentFrame(44100, 320);
        for (int gr = 0; gr < 2; ++gr)
            for (int ch = 0; ch < 2; ++ch) {
                GranuleSpec& g = f.granule[gr][ch];
                g.globalGain = 170;
                g.region0Count = (n + gr + 3 * ch) % 12;
                g.region1Count = (n + 2 * gr + ch) % 8;
                const std::array<int, 2> starts = regionStarts(g, layout);
                const int bounds[4] = {0, starts[0], starts[1], 400};
                for (int r = 0; r < 3; ++r) {
                    g.tableSelect[r] = kTables[next++ % std::size(kTables)];
                    scatterValues(g, rng, std::min(bounds[r], 400), std::min(bounds[r + 1], 400),
                                  tableMaxValue(g.tableSelect[r]), 35);
                }
            }
        s.frames.push_back(f);
    }
    return s;
}

}  // namespace

const std::vector<WriterStream>& writerStreams()
{
    static const std::vector<WriterStream> streams = {
        {"writer_silence_44k", silence44k, 0, 0, true},
        {"writer_long_tables_44k", longTables44k},
    };
    return streams;
}
