#include "mad_decode.h"

#include <mad.h>

namespace {

// Rounds libmad's fixed-point sample to 16 bits, clipping.
inline int toSixteen(mad_fixed_t s)
{
    s += 1L << (MAD_F_FRACBITS - 16);
    if (s >= MAD_F_ONE) s = MAD_F_ONE - 1;
    if (s < -MAD_F_ONE) s = -MAD_F_ONE;
    return static_cast<int>(s >> (MAD_F_FRACBITS + 1 - 16));
}

}  // namespace

long madDecode(const std::vector<uint8_t>& mp3, long& checksum)
{
    mad_stream stream;
    mad_frame frame;
    mad_synth synth;
    mad_stream_init(&stream);
    mad_frame_init(&frame);
    mad_synth_init(&synth);
    mad_stream_buffer(&stream, mp3.data(), mp3.size());
    long frames = 0;
    checksum = 0;
    int16_t block[1152 * 2];
    for (;;) {
        if (mad_frame_decode(&frame, &stream) != 0) {
            if (MAD_RECOVERABLE(stream.error)) continue;
            break;
        }
        mad_synth_frame(&synth, &frame);
        const mad_pcm& pcm = synth.pcm;
        for (unsigned i = 0; i < pcm.length; ++i) {
            block[2 * i] = static_cast<int16_t>(toSixteen(pcm.samples[0][i]));
            block[2 * i + 1] = static_cast<int16_t>(toSixteen(pcm.samples[pcm.channels > 1][i]));
        }
        for (unsigned i = 0; i < pcm.length; i += 64) checksum += block[2 * i];
        frames += pcm.length;
    }
    mad_synth_finish(&synth);
    mad_frame_finish(&frame);
    mad_stream_finish(&stream);
    return frames;
}
