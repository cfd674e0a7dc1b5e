#include "capture_options.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <numeric>

#include "show/camera_script.h"
#include "state/effect_steps.h"

namespace {

constexpr double kMaxSeconds = 3600.0;  // the float demo clock is still exact to far below a ms
constexpr double kTailSeconds = 2.0;    // of the end phase, after the flight
constexpr double kMinFps = 1.0;
constexpr double kMaxFps = 1000.0;
constexpr int64_t kFpsDenominator = 1000;  // rates are read to a thousandth of a frame a second
constexpr int kMinSide = 16;
constexpr int kMaxSide = 4096;

const char* const kDefaultRangeOut = "capture";
const char* const kDefaultMomentPrefix = "shot";

// The flight's end: the last segment's end in seconds, as the timeline compares it.
double showEndSeconds()
{
    const CameraTimeline& timeline = kCameraTimeline;
    return timeline.segmentCount > 0 ? timeline.segments[timeline.segmentCount - 1].endTime : 0.0;
}

bool parseSeconds(const char* text, double& seconds)
{
    char* end = nullptr;
    seconds = std::strtod(text, &end);
    return end != text && *end == '\0' && seconds >= 0.0 && seconds <= kMaxSeconds;
}

bool parseSize(const char* text, int& width, int& height)
{
    char tail = 0;
    return std::sscanf(text, "%dx%d%c", &width, &height, &tail) == 2 && width >= kMinSide && height >= kMinSide &&
           width <= kMaxSide && height <= kMaxSide;
}

bool parseStepRate(const char* text, int& rateHz)
{
    char* end = nullptr;
    errno = 0;
    long hz = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || hz < 1 || hz > kMaxStepRateHz) return false;
    rateHz = static_cast<int>(hz);
    return true;
}

bool parseRate(const char* text, FrameRate& rate)
{
    char* end = nullptr;
    double fps = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(fps >= kMinFps && fps <= kMaxFps)) return false;
    int64_t num = std::llround(fps * kFpsDenominator);
    int64_t divisor = std::gcd(num, kFpsDenominator);
    rate = {num / divisor, kFpsDenominator / divisor};
    return true;
}

// An option and its value: false when the value is missing or wrong.
bool takeOption(const std::string& name, const char* value, CaptureOptions& options, bool& rangeOnly)
{
    if (!value) return false;
    rangeOnly = name == "--from" || name == "--to" || name == "--y4m" || name == "--wav";
    if (name == "--data") return (options.dataDir = value), true;
    if (name == "--out") return (options.out = value), !options.out.empty();
    if (name == "--y4m") return (options.y4mPath = value), !options.y4mPath.empty();
    if (name == "--wav") return (options.wavPath = value), !options.wavPath.empty();
    if (name == "--size" || name == "--fit") {
        options.sizeGiven = true;
        options.fit = name == "--fit";
        return parseSize(value, options.width, options.height);
    }
    if (name == "--fps") return parseRate(value, options.rate);
    if (name == "--step-rate") return parseStepRate(value, options.stepRateHz);
    if (name == "--render-size") return parseSize(value, options.renderWidth, options.renderHeight);
    if (name == "--from") return parseSeconds(value, options.fromSeconds);
    if (name == "--to") return parseSeconds(value, options.toSeconds);
    return false;
}

bool isOption(const std::string& arg)
{
    return arg == "--data" || arg == "--out" || arg == "--y4m" || arg == "--wav" || arg == "--size" || arg == "--fit" ||
           arg == "--fps" || arg == "--from" || arg == "--to" || arg == "--step-rate" || arg == "--render-size";
}

ParseOutcome bad(std::string& error, const std::string& reason)
{
    error = reason;
    return ParseOutcome::bad;
}

}  // namespace

// A format: the program's name, the indent of the continued lines, the name again.
const char* const kCaptureUsage =
    "usage: %s [--data DIR] [--from SEC] [--to SEC] [--fps N] [--size WxH | --fit WxH]\n"
    "%*s[--step-rate HZ] [--render-size WxH] [--out DIR | --y4m FILE|-]\n"
    "%*s[--wav FILE|-] [--window]\n"
    "       %s [--data DIR] [--fps N] [--size WxH | --fit WxH] [--step-rate HZ]\n"
    "%*s[--render-size WxH] [--out PREFIX] [--window] SECONDS...\n"
    "Draws the show from the data in DIR (default: here) as the demo draws it, N frames a second\n"
    "(default 60) in a WxH picture (default 800x600); frame k shows demo time SEC + k / N.\n"
    "--fit WxH draws it as zephal3d --desktop does on a WxH screen: laid out as 800x600, in the\n"
    "largest centred 4:3 rectangle, with black bars (--fit 1920x1080 for a full-HD video).\n"
    "--step-rate HZ moves the greets and the end fog HZ steps a second of demo time, as\n"
    "zephal3d --step-rate does, instead of a step a frame: captures of any N then agree.\n"
    "--render-size WxH draws the show at WxH off screen and scales it into its picture.\n"
    "A range (default: 0 to the end of the show plus 2 s) goes to DIR/frame-000000.png ...\n"
    "(default ./capture), or as one YUV4MPEG2 stream to FILE (- for standard output); --wav\n"
    "writes the music of the range to FILE (- for standard output, unless the stream takes it).\n"
    "Given SECONDS instead, it writes PREFIX-<ms>.ppm (default shot-<ms>.ppm) for each moment,\n"
    "from the frame at or just before it. The effects that step once a frame always count the\n"
    "frames from 0, so a moment looks the same in every capture of the same rate and size.\n"
    "It draws off-screen through EGL and needs no display; --window draws in a window on the X\n"
    "display instead (with-xvfb gives one where there is none).\n";

void printCaptureUsage(std::FILE* out)
{
    // The name it was started by: installed, it is zephal3d-capture.
    const char* name = program_invocation_short_name;
    int indent = static_cast<int>(std::strlen("usage: ") + std::strlen(name) + 1);
    std::fprintf(out, kCaptureUsage, name, indent, "", indent, "", name, indent, "");
}

ParseOutcome parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& error)
{
    options.toSeconds = -1.0;
    bool rangeOptionGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help") return ParseOutcome::help;
        if (arg == "--window") {
            options.window = true;
            continue;
        }
        if (isOption(arg)) {
            if ((arg == "--size" || arg == "--fit") && options.sizeGiven)
                return bad(error, "--size and --fit exclude each other");
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            bool rangeOnly = false;
            if (!takeOption(arg, value, options, rangeOnly))
                return bad(error, value ? "bad value '" + std::string(value) + "' for " + arg : arg + " needs a value");
            rangeOptionGiven = rangeOptionGiven || rangeOnly;
        } else if (arg.rfind("-", 0) == 0 && arg.size() > 1 && !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            return bad(error, "unknown option '" + arg + "'");
        } else {
            double seconds = 0.0;
            if (!parseSeconds(argv[i], seconds)) return bad(error, "bad argument '" + arg + "'");
            options.momentsSeconds.push_back(seconds);
        }
    }
    bool moments = !options.momentsSeconds.empty();
    if (moments && rangeOptionGiven)
        return bad(error, "--from, --to, --y4m and --wav are for a range, not for moments");
    if (!options.y4mPath.empty() && !options.out.empty()) return bad(error, "--out and --y4m exclude each other");
    if (options.out == "-") return bad(error, "--out takes a folder or a file prefix; for standard output use --y4m -");
    if (options.y4mPath == "-" && options.wavPath == "-")
        return bad(error, "--y4m - and --wav - cannot both write to standard output");
    if (options.toSeconds < 0.0) options.toSeconds = showEndSeconds() + kTailSeconds;
    if (!moments && !(options.toSeconds > options.fromSeconds)) return bad(error, "--to must come after --from");
    if (options.out.empty()) options.out = moments ? kDefaultMomentPrefix : kDefaultRangeOut;
    return ParseOutcome::run;
}
