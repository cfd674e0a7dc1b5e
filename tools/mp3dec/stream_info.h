#pragma once

#include <string>

#include "audio/stream_input.h"

// What a stream says about itself, read from its frame headers and its tag without decoding the
// audio, as the lines `mp3dec --info` prints; empty when no frame is found.
std::string streamInfo(StreamInput& stream);
