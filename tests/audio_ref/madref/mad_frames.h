#pragma once

#include <mad.h>

#include <cstddef>

// libmad over a stream held in memory, through its public interface only: `onFrame(pcm, header)`
// for every frame it decodes, `onError(stream, header)` for every frame or stretch of bytes it
// cannot. The walk ends at the first error libmad cannot go on after, or when onError says false.
template <typename OnFrame, typename OnError>
void forEachMadFrame(const unsigned char* data, size_t size, OnFrame onFrame, OnError onError)
{
    mad_stream stream;
    mad_frame frame;
    mad_synth synth;
    mad_stream_init(&stream);
    mad_frame_init(&frame);
    mad_synth_init(&synth);
    mad_stream_buffer(&stream, data, size);
    for (;;) {
        if (mad_frame_decode(&frame, &stream) == 0) {
            mad_synth_frame(&synth, &frame);
            onFrame(synth.pcm, frame.header);
            continue;
        }
        if (!onError(stream, frame.header) || !MAD_RECOVERABLE(stream.error)) break;
    }
    mad_synth_finish(&synth);
    mad_frame_finish(&frame);
    mad_stream_finish(&stream);
}
