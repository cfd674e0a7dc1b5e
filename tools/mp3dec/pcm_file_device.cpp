#include "pcm_file_device.h"

#include <fcntl.h>

#include <cstdio>

#include "common/wav_writer.h"
#include "platform/report.h"

namespace {

constexpr int kChannels = 2;

bool toStandardOutput(const PcmFile& pcm) { return pcm.path == kStandardStream; }

// Whether the header can be rewritten in place: not on a pipe, nor where every write appends.
bool canRewrite(FILE* f, long& at)
{
    at = std::ftell(f);
    int flags = fcntl(fileno(f), F_GETFL);
    return at >= 0 && flags >= 0 && !(flags & O_APPEND);
}

bool writeHeader(PcmFile& pcm, uint32_t dataBytes)
{
    std::vector<uint8_t> header = wavHeader(kChannels, pcm.rate, dataBytes);
    return std::fwrite(header.data(), 1, header.size(), pcm.file) == header.size();
}

// A file starts anew at every open. Standard output cannot: the player opens the device twice
// before the first block, so a later open goes on with the stream the first one began.
bool openFile(void* context, int rate)
{
    PcmFile& pcm = *static_cast<PcmFile*>(context);
    if (toStandardOutput(pcm) && pcm.opened) return true;
    pcm.file = toStandardOutput(pcm) ? stdout : std::fopen(pcm.path.c_str(), "wb");
    pcm.opened = pcm.file != nullptr;
    if (!pcm.file) {
        pcm.failed = true;
        return false;
    }
    pcm.seekable = canRewrite(pcm.file, pcm.headerAt);
    pcm.rate = rate;
    pcm.dataBytes = 0;
    // Sizes come at close when the file can be rewritten there.
    if (!pcm.raw && !writeHeader(pcm, pcm.seekable ? 0 : kUnknownDataBytes)) pcm.failed = true;
    return true;
}

bool writeBlock(void* context, const uint8_t* data, int bytes)
{
    PcmFile& pcm = *static_cast<PcmFile*>(context);
    if (std::fwrite(data, 1, bytes, pcm.file) != static_cast<size_t>(bytes)) {
        pcm.failed = true;
        return false;
    }
    pcm.dataBytes += bytes;
    return true;
}

// Puts the sizes into the header and comes back to the end.
bool completeHeader(PcmFile& pcm)
{
    long end = std::ftell(pcm.file);
    return end >= 0 && std::fseek(pcm.file, pcm.headerAt, SEEK_SET) == 0 &&
           writeHeader(pcm, wavDataField(pcm.dataBytes)) && std::fseek(pcm.file, end, SEEK_SET) == 0;
}

void reportUnknownSize(const PcmFile& pcm)
{
    if (pcm.raw || pcm.dataBytes < kUnknownDataBytes) return;
    report(toStandardOutput(pcm) ? "standard output" : pcm.path.c_str(),
           "more PCM than a WAV header can count (4 GiB): its sizes say \"to the end of the file\"");
}

void closeFile(void* context)
{
    PcmFile& pcm = *static_cast<PcmFile*>(context);
    if (!pcm.file) return;
    if (!pcm.raw && pcm.seekable && !completeHeader(pcm)) pcm.failed = true;
    reportUnknownSize(pcm);
    if (toStandardOutput(pcm)) {
        if (std::fflush(pcm.file) != 0) pcm.failed = true;
        return;  // the process closes it
    }
    if (std::fclose(pcm.file) != 0) pcm.failed = true;
    pcm.file = nullptr;
}

}  // namespace

uint32_t wavDataField(uint64_t dataBytes)
{
    return dataBytes < kUnknownDataBytes ? static_cast<uint32_t>(dataBytes) : kUnknownDataBytes;
}

// A file needs no pacing: every block is written as soon as it is decoded.
WaveDevice pcmFileDevice(PcmFile& file)
{
    return {&file, openFile, writeBlock, closeFile, nullptr, true};
}
