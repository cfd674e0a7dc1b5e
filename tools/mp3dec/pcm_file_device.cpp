#include "pcm_file_device.h"

#include <fcntl.h>

#include <cstdio>

#include "common/wav_writer.h"

namespace {

constexpr int kChannels = 2;
// Sizes of a WAV header that cannot be completed (a pipe): the RIFF size at its largest, which
// readers take as "to the end of the stream".
constexpr uint32_t kUnknownDataBytes = 0xFFFFFFFF - 36;

struct PcmFile {
    std::string path;
    bool raw = false;
    FILE* file = nullptr;
    bool seekable = false;  // the header can be completed at close
    long headerAt = 0;      // where the header starts (standard output need not be at 0)
    int rate = 0;
    long dataBytes = 0;
    bool opened = false;
    bool failed = false;
};

PcmFile gFile;

bool toStandardOutput() { return gFile.path == kStandardStream; }

// Whether the header can be rewritten in place: not on a pipe, nor where every write appends.
bool canRewrite(FILE* f, long& at)
{
    at = std::ftell(f);
    int flags = fcntl(fileno(f), F_GETFL);
    return at >= 0 && flags >= 0 && !(flags & O_APPEND);
}

bool writeHeader(uint32_t dataBytes)
{
    std::vector<uint8_t> header = wavHeader(kChannels, gFile.rate, dataBytes);
    return std::fwrite(header.data(), 1, header.size(), gFile.file) == header.size();
}

// A file starts anew at every open. Standard output cannot: the player opens the device twice
// before the first block, so a later open goes on with the stream the first one began.
int openFile(int rate)
{
    if (toStandardOutput() && gFile.opened) return 0;
    gFile.file = toStandardOutput() ? stdout : std::fopen(gFile.path.c_str(), "wb");
    gFile.opened = gFile.file != nullptr;
    if (!gFile.file) {
        gFile.failed = true;
        return -1;
    }
    gFile.seekable = canRewrite(gFile.file, gFile.headerAt);
    gFile.rate = rate;
    gFile.dataBytes = 0;
    // Sizes come at close when the file can be rewritten there.
    if (!gFile.raw && !writeHeader(gFile.seekable ? 0 : kUnknownDataBytes)) gFile.failed = true;
    return 0;
}

int writeBlock(const uint8_t* data, int bytes)
{
    if (std::fwrite(data, 1, bytes, gFile.file) != static_cast<size_t>(bytes)) {
        gFile.failed = true;
        return -1;
    }
    gFile.dataBytes += bytes;
    return 0;
}

// Puts the sizes into the header and comes back to the end.
bool completeHeader()
{
    long end = std::ftell(gFile.file);
    return end >= 0 && std::fseek(gFile.file, gFile.headerAt, SEEK_SET) == 0 &&
           writeHeader(static_cast<uint32_t>(gFile.dataBytes)) && std::fseek(gFile.file, end, SEEK_SET) == 0;
}

void closeFile()
{
    if (!gFile.file) return;
    if (!gFile.raw && gFile.seekable && !completeHeader()) gFile.failed = true;
    if (toStandardOutput()) {
        if (std::fflush(gFile.file) != 0) gFile.failed = true;
        return;  // the process closes it
    }
    if (std::fclose(gFile.file) != 0) gFile.failed = true;
    gFile.file = nullptr;
}

}  // namespace

// A file needs no pacing: every block is written as soon as it is decoded.
const WaveDevice kPcmFileDevice = {openFile, writeBlock, closeFile, nullptr, true};

void usePcmFile(const std::string& path, bool raw)
{
    gFile = PcmFile{};
    gFile.path = path;
    gFile.raw = raw;
}

bool pcmFileFailed() { return gFile.failed; }
bool pcmFileOpened() { return gFile.opened; }
