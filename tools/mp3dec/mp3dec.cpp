// mp3dec [--no-gapless] [-r] IN.mp3 OUT: decodes one pass of an MP3 file with the demo's decoder
// and writes exactly the PCM the player would queue, as a WAV file or (-r) raw 16-bit
// little-endian stereo; a song whose encoder tagged its delay and padding comes out trimmed to
// the song, as the demo loops it, unless --no-gapless. "-" for IN reads standard input, for OUT
// writes standard output (the summary then goes to standard error). The output is written as fast
// as it is decoded. mp3dec --info IN.mp3 prints what the stream says about itself.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "audio/decode_pass.h"
#include "audio/frame_header.h"
#include "audio/frame_search.h"
#include "audio/mp3_player.h"
#include "pcm_file_device.h"
#include "platform/report.h"
#include "stream_info.h"

namespace {

int usage()
{
    std::string name = program_invocation_short_name;  // installed as zephal3d-mp3dec
    report("usage", name + " [--no-gapless] [-r] IN.mp3 OUT, or " + name + " --info IN.mp3: writes OUT as a WAV "
                    "file, or with -r as raw 16-bit little-endian stereo; - as IN reads standard input, - as OUT "
                    "writes standard output");
    return 2;
}

struct Options {
    bool info = false;
    bool raw = false;
    bool gapless = true;
    const char* in = nullptr;
    const char* out = nullptr;
};

bool parseOptions(int argc, char** argv, Options& o)
{
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] != 0; ++i) {
        if (std::strcmp(argv[i], "--info") == 0) o.info = true;
        else if (std::strcmp(argv[i], "--no-gapless") == 0) o.gapless = false;
        else if (std::strcmp(argv[i], "-r") == 0) o.raw = true;
        else return false;
    }
    int files = argc - i;
    if (o.info) {
        o.in = files == 1 ? argv[i] : nullptr;
        return o.in && !o.raw && o.gapless;
    }
    if (files != 2) return false;
    o.in = argv[i];
    o.out = argv[i + 1];
    return true;
}

bool isStandard(const char* path) { return std::strcmp(path, kStandardStream) == 0; }

// The name a path goes by in messages.
const char* shownName(const char* path, const char* standard) { return isStandard(path) ? standard : path; }

int printInfo(const char* in, const char* inName)
{
    StreamInput stream;
    if (loadFile(stream, isStandard(in) ? "/dev/stdin" : in) != 1) {
        report(inName, "cannot read");
        return 1;
    }
    // Without a first frame the decoder would say why on a line of its own; this says it once.
    size_t pos = 0;
    SearchResult start = findHeader(stream.file.data(), stream.file.size(), pos, 0);
    std::string info = start.found ? streamInfo(stream) : "";
    if (info.empty()) {
        std::string why = start.unsupported ? std::string(" (") + unsupportedReason(start.unsupported) + ")" : "";
        report(inName, "holds no audio that can be decoded" + why);
        return 1;
    }
    if (std::fputs(info.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
        report("standard output", "cannot write");
        return 1;
    }
    return 0;
}

int decodeFile(const Options& o, const char* inName)
{
    PcmFile file{.path = o.out, .raw = o.raw};
    WaveDevice device = pcmFileDevice(file);
    setWaveDevice(gPlayer.output, &device);
    // Opened as the demo opens its music, so that the pass below decodes what the player would queue.
    if (gPlayer.open(isStandard(o.in) ? "/dev/stdin" : o.in) != 1) {
        report(inName, "cannot read");
        return 1;
    }
    gPlayer.decoder.stream.gapless = o.gapless;
    PassResult r = decodePass(gPlayer.decoder, gPlayer.output);
    if (!file.opened && r.frames == 0) {
        report(inName, "holds no audio that can be decoded");
        return 1;
    }
    if (file.failed) {
        report(shownName(o.out, "standard output"), "cannot write");
        return 1;
    }
    std::fprintf(isStandard(o.out) ? stderr : stdout, "%s: %ld frames, %d Hz, %ld clipped samples\n", inName, r.frames,
                 gPlayer.decoder.audioParams.rate, r.clipped);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parseOptions(argc, argv, o)) return usage();
    const char* inName = shownName(o.in, "standard input");
    return o.info ? printInfo(o.in, inName) : decodeFile(o, inName);
}
