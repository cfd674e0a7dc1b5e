#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "audio/frame_header.h"
#include "support/shine_encode.h"

// A song that loops without a seam, encoded by shine, with the Info frame a gapless encoder
// would write before it (shine writes none).

// Shine's own delay: an impulse encoded by shineenc comes out of the decoder 1057 samples late
// at every bitrate measured (32 to 128 kbit/s, 44.1 kHz), of which 529 are the decoder's.
constexpr int kShineDelay = 1057 - 529;

// About two seconds of stereo at 44.1 kHz whose every tone has a whole number of periods in it,
// so that the song repeated is one steady signal; the higher tones show a sample slipped at a
// seam. Its length leaves shine's last frame room for the song's end and the decoder's delay.
constexpr int kSongRate = 44100;
constexpr int kSongSamples = 75 * 1152 + 50;
inline std::vector<int16_t> loopingSong(int samples = kSongSamples)
{
    std::vector<int16_t> s;
    auto tone = [samples](int periods, int i) { return std::sin(2 * std::numbers::pi * periods * i / samples); };
    for (int i = 0; i < samples; ++i) {
        s.push_back(static_cast<int16_t>(6000 * tone(865, i) + 3000 * tone(6050, i)));
        s.push_back(static_cast<int16_t>(5000 * tone(1294, i) + 3000 * tone(4323, i)));
    }
    return s;
}

inline uint32_t headerWordAt(const std::vector<uint8_t>& mp3, size_t at)
{
    return uint32_t{mp3[at]} << 24 | uint32_t{mp3[at + 1]} << 16 | uint32_t{mp3[at + 2]} << 8 | mp3[at + 3];
}

// Frames of a stream, walked by their headers.
inline int64_t framesOf(const std::vector<uint8_t>& mp3)
{
    int64_t frames = 0;
    for (size_t at = 0; at + 4 <= mp3.size(); ++frames) {
        FrameHeader h{};
        if (!parseHeader(h, headerWordAt(mp3, at))) break;
        at += 4 + static_cast<size_t>(h.frameSize);
    }
    return frames;
}

// The stream with its last frame completed by zeros: shine may cut it short, and a frame put
// behind it must start where its header says.
inline std::vector<uint8_t> wholeFrames(std::vector<uint8_t> mp3)
{
    size_t at = 0;
    for (FrameHeader h{}; at + 4 <= mp3.size() && parseHeader(h, headerWordAt(mp3, at));) at += 4 + static_cast<size_t>(h.frameSize);
    mp3.resize(std::max(at, mp3.size()), 0);
    return mp3;
}

// The stream behind an "Info" frame like its first frame in size, that gives the frame count and
// byte count and, in an encoder's extension, the delay and the padding.
inline std::vector<uint8_t> withInfoFrame(const std::vector<uint8_t>& mp3, int64_t frames, int delay, int padding)
{
    FrameHeader h{};
    parseHeader(h, headerWordAt(mp3, 0));
    std::vector<uint8_t> tag(4 + static_cast<size_t>(h.frameSize), 0);
    std::copy(mp3.begin(), mp3.begin() + 4, tag.begin());
    auto be32 = [](uint8_t* p, uint32_t v) {
        for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (24 - 8 * i));
    };
    uint8_t* p = tag.data() + 4 + sideInfoBytes(h);
    std::copy_n("Info", 4, p);
    be32(p + 4, 3);  // frame count and byte count follow
    be32(p + 8, static_cast<uint32_t>(frames));
    be32(p + 12, static_cast<uint32_t>(tag.size() + mp3.size()));
    uint8_t* extension = p + 16;
    std::copy_n("shine1.0 ", 9, extension);
    extension[21] = static_cast<uint8_t>(delay >> 4);
    extension[22] = static_cast<uint8_t>((delay & 15) << 4 | padding >> 8);
    extension[23] = static_cast<uint8_t>(padding);
    tag.insert(tag.end(), mp3.begin(), mp3.end());
    return tag;
}

// The looping song, shine-encoded and tagged with its true delay and padding.
inline std::vector<uint8_t> taggedLoopingSong()
{
    std::vector<uint8_t> mp3 = shineEncode(loopingSong(), 2, kSongRate, 128);
    if (mp3.empty()) return mp3;
    int64_t frames = framesOf(mp3);
    return withInfoFrame(mp3, frames, kShineDelay, static_cast<int>(frames * 1152 - kShineDelay - kSongSamples));
}

// Stereo tones with a whole number of periods in `samples`, for songs of a frame or a few.
inline std::vector<int16_t> shortSong(int samples)
{
    std::vector<int16_t> s;
    for (int i = 0; i < samples; ++i) {
        s.push_back(static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * 10 * i / samples)));
        s.push_back(static_cast<int16_t>(6000 * std::sin(2 * std::numbers::pi * 7 * i / samples)));
    }
    return s;
}

// The stream's own first header at 192 kbit/s, so that its frame would reach past a tag frame into
// the first audio frame, and 106 zero bytes: no frame follows it, so it is none.
inline std::vector<uint8_t> strayHeaderBefore(const std::vector<uint8_t>& tagged)
{
    constexpr uint8_t kBitrate192 = 0xB0;
    std::vector<uint8_t> bytes = {tagged[0], tagged[1], static_cast<uint8_t>((tagged[2] & 0x0F) | kBitrate192), tagged[3]};
    bytes.resize(4 + 106, 0);
    bytes.insert(bytes.end(), tagged.begin(), tagged.end());
    return bytes;
}

// A song of one frame at 44.1 kHz, tagged, behind a stray header.
constexpr int kOneFrameSongSamples = 500;
inline std::vector<uint8_t> oneFrameSongBehindAStrayHeader()
{
    std::vector<uint8_t> mp3 = wholeFrames(shineEncode(shortSong(kOneFrameSongSamples), 2, kSongRate, 128));
    if (framesOf(mp3) != 1) return {};
    return strayHeaderBefore(withInfoFrame(mp3, 1, kShineDelay, 1152 - kShineDelay - kOneFrameSongSamples));
}

// A 72-byte MPEG-2.5 8 kHz mono tag frame (8 kbit/s) whose flags promise the frame count, the byte
// count and a seek table of 100 bytes; after the two counts 43 bytes are left, room for no seek
// table but for what would be read as an encoder's extension: "TOCBYTES!", delay 2000, padding 100.
inline std::vector<uint8_t> tagFrameWithoutRoomForItsSeekTable(int64_t frames)
{
    std::vector<uint8_t> f(72, 0);
    const uint8_t header[] = {0xFF, 0xE3, 0x18, 0xC0};
    std::copy(header, header + 4, f.begin());
    uint8_t* p = f.data() + 4 + 9;  // behind the mono side information
    std::copy_n("Xing", 4, p);
    p[7] = 1 | 2 | 4;
    p[11] = static_cast<uint8_t>(frames);
    p[15] = 200;
    uint8_t* table = p + 16;
    std::copy_n("TOCBYTES!", 9, table);
    table[21] = 2000 >> 4;
    table[22] = (2000 & 15) << 4;
    table[23] = 100;
    return f;
}

// What loopError stays below when no sample is missing or repeated: one slipped sample costs about
// 960 at the song's 3 kHz tones, the codec itself about 6 at 128 kbit/s.
constexpr double kAlignedError = 100;

// RMS of the difference between decoded stereo and the song's samples from `from` on (wrapping at
// its end, as a loop does), in 16-bit units, after the one gain that fits best: shine's output
// stands about 1 dB above its input.
inline double loopError(const std::vector<int16_t>& decoded, const std::vector<int16_t>& song, size_t from)
{
    auto songAt = [&](size_t i) { return static_cast<double>(song[(2 * from + i) % song.size()]); };
    double cross = 0, power = 0;
    for (size_t i = 0; i < decoded.size(); ++i) {
        cross += decoded[i] * songAt(i);
        power += songAt(i) * songAt(i);
    }
    double gain = power > 0 ? cross / power : 0, sum = 0;
    for (size_t i = 0; i < decoded.size(); ++i) sum += (decoded[i] - gain * songAt(i)) * (decoded[i] - gain * songAt(i));
    return decoded.empty() ? 0 : std::sqrt(sum / static_cast<double>(decoded.size()));
}
