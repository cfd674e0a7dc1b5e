#include "state/picture_fit.h"

#include <algorithm>

PictureFit fitPicture(int framebufferWidth, int framebufferHeight, bool keepShowShape)
{
    int fbWidth = std::max(framebufferWidth, 0);
    int fbHeight = std::max(framebufferHeight, 1);
    if (!keepShowShape) return {fbWidth, fbHeight, 0, 0, fbWidth, fbHeight, fbWidth, fbHeight};
    // 64-bit products: a framebuffer side times the shape's side can pass 2^31 in principle.
    long long wide = static_cast<long long>(fbWidth) * kShowLayoutHeight;
    long long tall = static_cast<long long>(fbHeight) * kShowLayoutWidth;
    int width = wide <= tall ? fbWidth : static_cast<int>(tall / kShowLayoutHeight);
    int height = wide <= tall ? static_cast<int>(wide / kShowLayoutWidth) : fbHeight;
    height = std::max(height, 1);
    return {fbWidth, fbHeight, (fbWidth - width) / 2, (fbHeight - height) / 2, width, height,
            kShowLayoutWidth, kShowLayoutHeight};
}

PictureFit fitModePicture(int modeWidth, int modeHeight, int framebufferWidth, int framebufferHeight)
{
    bool asked = modeWidth > 0 && modeHeight > 0;
    bool missed = framebufferWidth != modeWidth || framebufferHeight != modeHeight;
    return fitPicture(framebufferWidth, framebufferHeight, asked && missed);
}

bool hasBars(const PictureFit& fit)
{
    return fit.width != fit.framebufferWidth || fit.height != fit.framebufferHeight;
}
