#include "render/read_bitmap.h"

#include "platform/message_box.h"
#include "render/bmp_file.h"

std::optional<Image> readBitmap(const char* fileName)
{
    DecodedBitmap decoded = readBitmapFile(fileName);
    if (!decoded.image) showMessageBox(decoded.message.c_str(), "Error", kMessageOk);
    return std::move(decoded.image);
}
