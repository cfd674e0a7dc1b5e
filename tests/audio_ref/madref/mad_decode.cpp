#include "madref/mad_decode.h"

#include <mad.h>

#include <algorithm>

#include "madref/mad_frames.h"

namespace {

// libmad's fixed-point samples have 28 fractional bits for full scale 1.0; 16-bit full scale is 2^15.
constexpr double kFixedToLsb = 1.0 / (1 << (MAD_F_FRACBITS - 15));

// Bytes of the largest Layer III frame (320 kbit/s at 32 kHz, padded).
constexpr size_t kLargestFrame = 1441;

// Error codes 0x01xx come from the frame search: no frame was found at that point.
bool isSyncError(mad_error e) { return (e & 0xff00) == 0x0100; }

void appendFrame(MadDecoded& out, const mad_pcm& pcm)
{
    const int right = pcm.channels > 1 ? 1 : 0;
    for (unsigned i = 0; i < pcm.length; ++i) {
        out.pcm.push_back(static_cast<float>(pcm.samples[0][i] * kFixedToLsb));
        out.pcm.push_back(static_cast<float>(pcm.samples[right][i] * kFixedToLsb));
    }
}

void appendSilence(MadDecoded& out, const mad_header& header)
{
    out.pcm.resize(out.pcm.size() + 2 * 32 * MAD_NSBSAMPLES(&header), 0.0f);
}

// Records what libmad could not decode; false when the walk is over.
bool noteError(MadDecoded& out, const mad_stream& stream, const mad_header& header, const unsigned char* dataEnd)
{
    if (stream.error == MAD_ERROR_BUFLEN) return false;
    if (!MAD_RECOVERABLE(stream.error)) {
        out.fatal = mad_stream_errorstr(&stream);
        return false;
    }
    if (isSyncError(stream.error)) {
        if (stream.this_frame >= dataEnd) return false;  // only the guard bytes are left
        ++out.syncErrors;
        return true;
    }
    out.frameErrors.push_back({out.frames, stream.error, mad_stream_errorstr(&stream)});
    if (out.frames == 0) out.rate = static_cast<int>(header.samplerate);
    appendSilence(out, header);
    ++out.frames;
    return true;
}

}  // namespace

size_t id3v2Length(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 10 || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3') return 0;
    if (bytes[3] == 0xff || bytes[4] == 0xff) return 0;
    size_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (bytes[i] & 0x80) return 0;  // not a syncsafe size: not a tag
        size = size << 7 | bytes[i];
    }
    const bool footer = bytes[5] & 0x10;
    return 10 + size + (footer ? 10 : 0);
}

MadDecoded madDecode(const std::vector<uint8_t>& bytes)
{
    MadDecoded out;
    const size_t skip = std::min(id3v2Length(bytes), bytes.size());
    // libmad decodes a frame only when the frame and MAD_BUFFER_GUARD bytes behind it are in the
    // buffer. Zeros behind the data let it finish the last frame, and decode one that the file cuts
    // short with zeros in place of the missing bytes, as our decoder does.
    std::vector<uint8_t> data(bytes.begin() + static_cast<std::ptrdiff_t>(skip), bytes.end());
    const size_t length = data.size();
    data.resize(length + kLargestFrame + MAD_BUFFER_GUARD, 0);
    const unsigned char* dataEnd = data.data() + length;

    forEachMadFrame(
        data.data(), data.size(),
        [&out](const mad_pcm& pcm, const mad_header& header) {
            if (out.frames == 0) out.rate = static_cast<int>(header.samplerate);
            appendFrame(out, pcm);
            ++out.frames;
        },
        [&out, dataEnd](const mad_stream& stream, const mad_header& header) { return noteError(out, stream, header, dataEnd); });
    return out;
}
