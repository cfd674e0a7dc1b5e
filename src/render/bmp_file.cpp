#include "render/bmp_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <new>

namespace {

std::string openFailure(const char* fileName)
{
    int length = std::snprintf(nullptr, 0, kBitmapOpenFailed, fileName);
    std::string message(static_cast<size_t>(length), '\0');
    std::snprintf(message.data(), message.size() + 1, kBitmapOpenFailed, fileName);
    return message;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

DecodedBitmap readBitmapFile(const char* fileName)
{
    std::unique_ptr<FILE, FileCloser> file(std::fopen(fileName, "rb"));
    struct stat info;
    // An empty file, like a missing one, has nothing to map.
    if (!file || fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size == 0)
        return {std::nullopt, openFailure(fileName)};
    size_t size = static_cast<size_t>(info.st_size);
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size]);
    if (!bytes) return {std::nullopt, kBitmapOutOfMemory};
    if (std::fread(bytes.get(), 1, size, file.get()) != size) return {std::nullopt, openFailure(fileName)};
    return decodeBitmap({bytes.get(), size});
}
