#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/layer3_frame.h"
#include "audio/layer3_tables.h"
#include "audio/stream_input.h"
#include "audio/synthesis.h"

namespace {

constexpr int kBlockBytes = 16384;
uint8_t gStaging[2 * kBlockBytes];
int32_t gFill = 0;

void dropBlock(void*) { gFill = 0; }

}  // namespace

// One input as a whole music file: two passes with fresh decoder state, as the player loops.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StreamInput stream;
    loadBytes(stream, std::vector<uint8_t>(data, data + size));
    auto state = std::make_unique<Layer3State>();
    FrameHeader header{};
    gFill = 0;
    for (int pass = 0; pass < 2; ++pass) {
        rewind(stream);
        while (nextFrame(stream, header)) decodeLayer3(stream, *state, header, PcmSink{gStaging, &gFill, kBlockBytes, dropBlock, nullptr});
    }
    return 0;
}
