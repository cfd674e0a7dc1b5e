#pragma once

#include <vector>

#include "writer/layer3_plan.h"
#include "writer/stream_writer.h"

// A stream written by our Layer III writer, and what libmad is expected to make of it.
struct WriterStream {
    const char* name;
    StreamPlan (*build)();
    int frameErrors = 0;  // frames made so that libmad cannot decode them (it gives silence)
    int syncErrors = 0;   // bytes that are no frame, which libmad steps over (a trailing tag)
    bool silent = false;  // decodes to silence everywhere
};

const std::vector<WriterStream>& writerStreams();
