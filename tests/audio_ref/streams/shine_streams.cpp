#include "streams/shine_streams.h"

#include <fstream>

#include "support/shine_encode.h"
#include "writer/frame_layout.h"

namespace {

constexpr double kSeconds = 1.2;

const std::vector<ShineStream> kShineStreams = {
    {"shine_44k_stereo_128_sweep", 44100, ShineMode::Stereo, 128, Signal::Sweep, kSeconds},
    {"shine_44k_joint_192_noise", 44100, ShineMode::Joint, 192, Signal::Noise, kSeconds},
    {"shine_44k_dual_96_transients", 44100, ShineMode::Dual, 96, Signal::Transients, kSeconds},
    {"shine_44k_mono_64_sweep", 44100, ShineMode::Mono, 64, Signal::Sweep, kSeconds},
    {"shine_44k_stereo_320_fullscale", 44100, ShineMode::Stereo, 320, Signal::NearFullScale, kSeconds},
    {"shine_44k_joint_32_noise", 44100, ShineMode::Joint, 32, Signal::Noise, kSeconds},
    {"shine_48k_stereo_160_noise", 48000, ShineMode::Stereo, 160, Signal::Noise, kSeconds},
    {"shine_48k_joint_64_sweep", 48000, ShineMode::Joint, 64, Signal::Sweep, kSeconds},
    {"shine_48k_mono_40_transients", 48000, ShineMode::Mono, 40, Signal::Transients, kSeconds},
    {"shine_48k_dual_256_fullscale", 48000, ShineMode::Dual, 256, Signal::NearFullScale, kSeconds},
    {"shine_32k_stereo_128_sweep", 32000, ShineMode::Stereo, 128, Signal::Sweep, kSeconds},
    {"shine_32k_joint_80_noise", 32000, ShineMode::Joint, 80, Signal::Noise, kSeconds},
    {"shine_32k_mono_40_fullscale", 32000, ShineMode::Mono, 40, Signal::NearFullScale, kSeconds},
    {"shine_32k_dual_320_transients", 32000, ShineMode::Dual, 320, Signal::Transients, kSeconds},
    {"shine_22k_stereo_64_sweep", 22050, ShineMode::Stereo, 64, Signal::Sweep, kSeconds},
    {"shine_22k_joint_128_noise", 22050, ShineMode::Joint, 128, Signal::Noise, kSeconds},
    {"shine_22k_mono_32_transients", 22050, ShineMode::Mono, 32, Signal::Transients, kSeconds},
    {"shine_22k_dual_160_fullscale", 22050, ShineMode::Dual, 160, Signal::NearFullScale, kSeconds},
    {"shine_24k_dual_80_noise", 24000, ShineMode::Dual, 80, Signal::Noise, kSeconds},
    {"shine_24k_stereo_160_fullscale", 24000, ShineMode::Stereo, 160, Signal::NearFullScale, kSeconds},
    {"shine_24k_mono_8_sweep", 24000, ShineMode::Mono, 8, Signal::Sweep, kSeconds},
    {"shine_24k_joint_40_transients", 24000, ShineMode::Joint, 40, Signal::Transients, kSeconds},
    {"shine_16k_stereo_32_sweep", 16000, ShineMode::Stereo, 32, Signal::Sweep, kSeconds},
    {"shine_16k_mono_8_noise", 16000, ShineMode::Mono, 8, Signal::Noise, kSeconds},
    {"shine_16k_joint_64_transients", 16000, ShineMode::Joint, 64, Signal::Transients, kSeconds},
    {"shine_16k_dual_144_fullscale", 16000, ShineMode::Dual, 144, Signal::NearFullScale, kSeconds},
    {"shine_11k_stereo_32_sweep", 11025, ShineMode::Stereo, 32, Signal::Sweep, kSeconds},
    {"shine_11k_mono_24_noise", 11025, ShineMode::Mono, 24, Signal::Noise, kSeconds},
    {"shine_12k_joint_40_transients", 12000, ShineMode::Joint, 40, Signal::Transients, kSeconds},
    {"shine_12k_mono_32_fullscale", 12000, ShineMode::Mono, 32, Signal::NearFullScale, kSeconds},
    {"shine_8k_stereo_32_noise", 8000, ShineMode::Stereo, 32, Signal::Noise, kSeconds},
    {"shine_8k_mono_16_sweep", 8000, ShineMode::Mono, 16, Signal::Sweep, kSeconds},
    // Huffman data of the last granule run into the zeros that stand for the missing bytes.
    {"shine_44k_stereo_32_noise_cut", 44100, ShineMode::Stereo, 32, Signal::Noise, 2.0, true},
    // The last granule's budget runs out exactly where its remaining pairs would start.
    {"shine_44k_stereo_320_noise_cut", 44100, ShineMode::Stereo, 320, Signal::Noise, 2.0, true},
};

const char* modeFlag(ShineMode mode)
{
    switch (mode) {
    case ShineMode::Joint: return "-j";
    case ShineMode::Dual: return "-d";
    case ShineMode::Mono: return "-m";
    case ShineMode::Stereo: break;
    }
    return nullptr;
}

// Shine cuts its last frame short. Decoders differ on a damaged frame (ours drops what follows a
// Huffman overrun, libmad the whole frame), which is not what these streams are for: they keep
// their whole frames only. Returns the bytes of those frames.
size_t wholeFramesBytes(const std::vector<uint8_t>& bytes)
{
    size_t end = 0;
    while (end + 4 <= bytes.size()) {
        uint32_t word = 0;
        for (int i = 0; i < 4; ++i) word = word << 8 | bytes[end + i];
        const int size = frameBytesOfHeader(word);
        if (size == 0 || end + size > bytes.size()) break;
        end += size;
    }
    return end;
}

}  // namespace

const std::vector<ShineStream>& shineStreams() { return kShineStreams; }

bool makeShineStream(const ShineStream& stream, const std::string& dir, std::string& mp3Path,
                     std::string& error)
{
    const int channels = stream.mode == ShineMode::Mono ? 1 : 2;
    mp3Path = dir + "/" + stream.name + ".mp3";
    const char* flag = modeFlag(stream.mode);
    const std::vector<uint8_t> mp3 = shineEncode(makeSignal(stream.signal, stream.rate, channels, stream.seconds),
                                                 channels, stream.rate, stream.kbps, flag ? flag : "");
    if (mp3.empty()) {
        error = "shineenc failed on " + std::string(stream.name);
        return false;
    }
    const size_t whole = wholeFramesBytes(mp3);
    if (whole == 0 || (stream.cutLastFrame && whole == mp3.size())) {
        error = (whole == 0 ? "no whole frame in " : "no cut last frame in ") + mp3Path;
        return false;
    }
    std::ofstream out(mp3Path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(mp3.data()), static_cast<std::streamsize>(stream.cutLastFrame ? mp3.size() : whole));
    if (!out.flush()) {
        error = "cannot write " + mp3Path;
        return false;
    }
    return true;
}
