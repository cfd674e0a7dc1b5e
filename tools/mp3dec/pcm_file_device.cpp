#include "pcm_file_device.h"

#include <cstdio>

#include "common/wav_writer.h"

namespace {

constexpr int kChannels = 2;
constexpr long kWavHeaderBytes = 44;

struct PcmFile {
    std::string path;
    bool raw = false;
    FILE* file = nullptr;
    int rate = 0;
    long dataBytes = 0;
    bool opened = false;
    bool failed = false;
};

PcmFile gFile;

bool openFile(int rate)
{
    gFile.file = std::fopen(gFile.path.c_str(), "wb");
    gFile.opened = gFile.file != nullptr;
    if (!gFile.file) {
        gFile.failed = true;
        return false;
    }
    gFile.rate = rate;
    gFile.dataBytes = 0;
    if (!gFile.raw) {
        std::vector<uint8_t> header = wavHeader(kChannels, rate, 0);  // sizes come at close
        std::fwrite(header.data(), 1, header.size(), gFile.file);
    }
    return true;
}

bool writeBlock(const uint8_t* data, int bytes)
{
    if (std::fwrite(data, 1, bytes, gFile.file) != static_cast<size_t>(bytes)) {
        gFile.failed = true;
        return false;
    }
    gFile.dataBytes += bytes;
    return true;
}

void closeFile()
{
    if (!gFile.file) return;
    if (!gFile.raw && std::fseek(gFile.file, 0, SEEK_SET) == 0) {
        std::vector<uint8_t> header = wavHeader(kChannels, gFile.rate, static_cast<uint32_t>(gFile.dataBytes));
        if (std::fwrite(header.data(), 1, kWavHeaderBytes, gFile.file) != kWavHeaderBytes) gFile.failed = true;
    }
    if (std::fclose(gFile.file) != 0) gFile.failed = true;
    gFile.file = nullptr;
}

}  // namespace

const WaveDevice kPcmFileDevice = {openFile, writeBlock, closeFile};

void usePcmFile(const std::string& path, bool raw)
{
    gFile = PcmFile{};
    gFile.path = path;
    gFile.raw = raw;
}

bool pcmFileFailed() { return gFile.failed; }
bool pcmFileOpened() { return gFile.opened; }
