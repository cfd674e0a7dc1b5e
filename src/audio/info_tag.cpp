#include "audio/info_tag.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kFramesFlag = 1, kBytesFlag = 2, kSeekTableFlag = 4, kQualityFlag = 8;
constexpr int kFieldBytes = 4;
constexpr int kSeekTableBytes = 100;
constexpr int kExtensionBytes = 36;
constexpr int kEncoderBytes = 9;
constexpr int kDelayPaddingAt = 21;  // within the extension: 12 bits of delay, 12 of padding
// A tag frame count may differ from the frames found by the tag frame itself and by a frame an
// editor cut or added; more than that and the count belongs to another file.
constexpr int64_t kFrameCountSlack = 2;

uint32_t be32(const uint8_t* p) { return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]; }

// The encoder's name: printable ASCII, padded with spaces or zeros; empty when it is not one.
std::string encoderName(const uint8_t* p)
{
    std::string name;
    for (int i = 0; i < kEncoderBytes && p[i] != 0; ++i) {
        if (p[i] < 0x20 || p[i] > 0x7E) return {};
        name += static_cast<char>(p[i]);
    }
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

void readExtension(const uint8_t* p, InfoTag& tag)
{
    tag.encoder = encoderName(p);
    if (tag.encoder.empty()) return;
    const uint8_t* dp = p + kDelayPaddingAt;
    tag.delay = dp[0] << 4 | dp[1] >> 4;
    tag.padding = (dp[1] & 0x0F) << 8 | dp[2];
}

}  // namespace

bool readInfoTag(const uint8_t* body, int bodyBytes, int mainDataAt, InfoTag& tag)
{
    tag = InfoTag{};
    int at = mainDataAt;
    if (at < 0 || bodyBytes - at < 2 * kFieldBytes) return false;
    const uint8_t* p = body + at;
    if (std::memcmp(p, "Xing", 4) != 0 && std::memcmp(p, "Info", 4) != 0) return false;
    tag.present = true;
    tag.kind.assign(reinterpret_cast<const char*>(p), 4);
    uint32_t flags = be32(p + kFieldBytes);
    at += 2 * kFieldBytes;
    // Each field is read only where the frame holds it; a tag cut short keeps what it has. Behind
    // a field that does not fit, nothing stands where the flags say, so the rest is not read.
    bool cut = false;
    auto field = [&](uint32_t flag, int bytes) -> const uint8_t* {
        if (cut || !(flags & flag)) return nullptr;
        cut = bodyBytes - at < bytes;
        if (cut) return nullptr;
        at += bytes;
        return body + at - bytes;
    };
    if (const uint8_t* f = field(kFramesFlag, kFieldBytes)) tag.frames = be32(f);
    if (const uint8_t* f = field(kBytesFlag, kFieldBytes)) tag.bytes = be32(f);
    field(kSeekTableFlag, kSeekTableBytes);
    if (const uint8_t* f = field(kQualityFlag, kFieldBytes)) tag.quality = static_cast<int32_t>(be32(f));
    if (!cut && bodyBytes - at >= kExtensionBytes) readExtension(body + at, tag);
    return true;
}

GaplessPlan gaplessPlan(const InfoTag& tag, int64_t framesFound, int samplesPerFrame)
{
    if (!tag.present) return {};
    int64_t frames = tag.frames >= 0 ? tag.frames : framesFound;
    if (frames <= 0 || std::abs(frames - framesFound) > kFrameCountSlack) return {};
    GaplessPlan plan{true, 0, -1};
    if (tag.delay < 0) return plan;  // no extension: only the tag frame goes
    int64_t decoded = framesFound * samplesPerFrame;
    int64_t song = frames * samplesPerFrame - tag.delay - tag.padding;
    if (song <= 0 || tag.delay + kDecoderDelay >= decoded) return {};
    plan.skip = tag.delay + kDecoderDelay;
    plan.keep = std::min(song, decoded + kPlayOutSamples - plan.skip);
    return plan;
}
