#include "audio/decode_pass.h"

#include "audio/frame_header.h"
#include "audio/stream_input.h"

PassResult decodePass(Mp3Decoder& decoder, OutputQueue& out)
{
    PassResult result;
    FrameHeader header{};
    rewind(decoder.stream);
    while (nextFrame(decoder.stream, header) == 1) {
        ++result.frames;
        int clipped = decodeFrame(decoder, header, out);
        if (clipped < 0 || outputLost(out)) break;
        result.clipped += clipped;
    }
    result.clipped += finishPass(decoder, out);
    queueStaged(decoder.staging, out);
    closeDevice(out);
    releaseFile(decoder.stream);
    return result;
}
