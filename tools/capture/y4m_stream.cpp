#include "y4m_stream.h"

#include <algorithm>

namespace {

const char kFrameMarker[] = "FRAME\n";

// BT.601 in 8-bit studio range: Y' = 16 + (65.481 R + 128.553 G + 24.966 B) / 255 and the two
// colour differences around 128, with the coefficients in thousandths and rounded once.
constexpr int kCoefficientScale = 1000 * 255;

uint8_t studioLevel(int offset, int r, int g, int b, const int coefficients[3])
{
    int sum = coefficients[0] * r + coefficients[1] * g + coefficients[2] * b;
    // Rounds half away from zero, negative sums included.
    int rounded = sum >= 0 ? (sum + kCoefficientScale / 2) / kCoefficientScale
                           : -((-sum + kCoefficientScale / 2) / kCoefficientScale);
    return static_cast<uint8_t>(offset + rounded);
}

constexpr int kLuma[3] = {65481, 128553, 24966};
constexpr int kBlueDifference[3] = {-37797, -74203, 112000};
constexpr int kRedDifference[3] = {112000, -93786, -18214};
constexpr int kLumaFloor = 16;
constexpr int kChromaZero = 128;

// The rounded mean colour of the up to 2 × 2 pixels whose chroma sample sits at (cx, cy).
void blockMean(int width, int height, const std::vector<uint8_t>& rgb, int cx, int cy, int mean[3])
{
    int sum[3] = {0, 0, 0};
    int count = 0;
    for (int y = 2 * cy; y < std::min(2 * cy + 2, height); ++y) {
        for (int x = 2 * cx; x < std::min(2 * cx + 2, width); ++x) {
            const uint8_t* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            for (int c = 0; c < 3; ++c) sum[c] += pixel[c];
            ++count;
        }
    }
    for (int c = 0; c < 3; ++c) mean[c] = (sum[c] + count / 2) / count;
}

}  // namespace

std::vector<uint8_t> yuv420FromRgb(int width, int height, const std::vector<uint8_t>& rgb)
{
    size_t pixels = static_cast<size_t>(width) * height;
    int chromaWidth = (width + 1) / 2;
    int chromaHeight = (height + 1) / 2;
    size_t chromaSize = static_cast<size_t>(chromaWidth) * chromaHeight;
    std::vector<uint8_t> planes(pixels + 2 * chromaSize);
    for (size_t i = 0; i < pixels; ++i)
        planes[i] = studioLevel(kLumaFloor, rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], kLuma);
    uint8_t* cb = &planes[pixels];
    uint8_t* cr = cb + chromaSize;
    for (int cy = 0; cy < chromaHeight; ++cy) {
        for (int cx = 0; cx < chromaWidth; ++cx) {
            int mean[3];
            blockMean(width, height, rgb, cx, cy, mean);
            size_t at = static_cast<size_t>(cy) * chromaWidth + cx;
            cb[at] = studioLevel(kChromaZero, mean[0], mean[1], mean[2], kBlueDifference);
            cr[at] = studioLevel(kChromaZero, mean[0], mean[1], mean[2], kRedDifference);
        }
    }
    return planes;
}

bool openY4m(Y4mStream& stream, const std::string& path, int width, int height, FrameRate rate)
{
    stream = Y4mStream{};
    stream.ownsFile = path != "-";
    stream.file = stream.ownsFile ? std::fopen(path.c_str(), "wb") : stdout;
    if (!stream.file) return false;
    stream.width = width;
    stream.height = height;
    int written = std::fprintf(stream.file, "YUV4MPEG2 W%d H%d F%lld:%lld Ip A1:1 C420jpeg XCOLORRANGE=LIMITED\n",
                               width, height, static_cast<long long>(rate.num), static_cast<long long>(rate.den));
    stream.failed = written < 0;
    return !stream.failed;
}

bool writeY4mFrame(Y4mStream& stream, const std::vector<uint8_t>& rgb)
{
    if (stream.failed || !stream.file) return false;
    std::vector<uint8_t> planes = yuv420FromRgb(stream.width, stream.height, rgb);
    bool ok = std::fwrite(kFrameMarker, 1, sizeof kFrameMarker - 1, stream.file) == sizeof kFrameMarker - 1 &&
              std::fwrite(planes.data(), 1, planes.size(), stream.file) == planes.size();
    stream.failed = !ok;
    return ok;
}

bool closeY4m(Y4mStream& stream)
{
    if (!stream.file) return false;
    bool ok = std::fflush(stream.file) == 0 && !stream.failed;
    if (stream.ownsFile) ok = std::fclose(stream.file) == 0 && ok;
    stream.file = nullptr;
    return ok;
}
