#pragma once

#include <string>
#include <vector>

#include "streams/signals.h"

// Channel modes as shineenc offers them (it never uses mid/side or intensity in joint stereo).
enum class ShineMode { Stereo, Joint, Dual, Mono };

// One stream made by shineenc from a generated WAV file.
struct ShineStream {
    const char* name;
    int rate;
    ShineMode mode;
    int kbps;
    Signal signal;
    double seconds;
    bool cutLastFrame = false;  // kept as shine writes it, its last frame cut short
};

// Every shine-made test stream. Shine writes long blocks only, keeps no bit reservoir and sets a
// wrong padding bit at 32 and 16 kHz with some bitrates (48, 56, 96, 112, 192, 224 and 24 kbit/s),
// and breaks mono at 44.1 kHz and 320 kbit/s; the list keeps clear of those.
const std::vector<ShineStream>& shineStreams();

// Encodes the stream's signal into dir/NAME.mp3, whole frames only (shine cuts its last frame
// short) unless the stream keeps the cut one; false with a reason in `error`, also when a stream
// that is to keep a cut frame has none.
bool makeShineStream(const ShineStream& stream, const std::string& dir, std::string& mp3Path,
                     std::string& error);
