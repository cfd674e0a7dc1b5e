// mp3dec [-r] IN.mp3 OUT: decodes one pass of an MP3 file with the demo's decoder and writes exactly
// the PCM the player would queue, as a WAV file or (-r) raw 16-bit little-endian stereo. "-" for
// IN reads standard input, for OUT writes standard output (the summary then goes to standard error).
// The output is written as fast as it is decoded.
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/mp3_player.h"
#include "pcm_file_device.h"

namespace {

struct PassResult {
    long frames = 0;
    long clipped = 0;
};

// One pass, as the playback thread plays it when it does not loop.
PassResult decodePass(Mp3Decoder& d, OutputQueue& out)
{
    PassResult r;
    FrameHeader header{};
    rewind(d.stream);
    while (nextFrame(d.stream, header) == 1) {
        ++r.frames;
        int clipped = decodeFrame(d, header, out);
        if (clipped < 0 || outputLost(out)) break;
        r.clipped += clipped;
    }
    queueStaged(d.staging, out);
    closeDevice(out);
    releaseFile(d.stream);
    return r;
}

int usage()
{
    std::fprintf(stderr, "usage: mp3dec [-r] IN.mp3 OUT\n  writes OUT as a WAV file, or with -r as raw 16-bit little-endian stereo;\n"
                         "  - as IN reads standard input, - as OUT writes standard output\n");
    return 2;
}

bool isStandard(const char* path) { return std::strcmp(path, kStandardStream) == 0; }

// The name a path goes by in messages.
const char* shownName(const char* path, const char* standard) { return isStandard(path) ? standard : path; }

}  // namespace

int main(int argc, char** argv)
{
    bool raw = argc == 4 && std::strcmp(argv[1], "-r") == 0;
    if (argc != 3 + raw) return usage();
    const char* in = argv[1 + raw];
    const char* out = argv[2 + raw];
    const char* inName = shownName(in, "standard input");
    PcmFile file{.path = out, .raw = raw};
    WaveDevice device = pcmFileDevice(file);
    setWaveDevice(gPlayer.output, &device);
    // Opened as the demo opens its music, so that the pass below decodes what the player would queue.
    if (gPlayer.open(isStandard(in) ? "/dev/stdin" : in) != 1) {
        std::fprintf(stderr, "mp3dec: cannot read %s\n", inName);
        return 1;
    }
    PassResult r = decodePass(gPlayer.decoder, gPlayer.output);
    if (!file.opened && r.frames == 0) {
        std::fprintf(stderr, "mp3dec: %s holds no audio that can be decoded\n", inName);
        return 1;
    }
    if (file.failed) {
        std::fprintf(stderr, "mp3dec: cannot write %s\n", shownName(out, "standard output"));
        return 1;
    }
    std::fprintf(isStandard(out) ? stderr : stdout, "%s: %ld frames, %d Hz, %ld clipped samples\n", inName, r.frames,
                 gPlayer.decoder.audioParams.rate, r.clipped);
    return 0;
}
