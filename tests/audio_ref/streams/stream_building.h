#pragma once

#include <functional>
#include <vector>

#include "streams/lcg.h"
#include "writer/band_layout.h"
#include "writer/layer3_plan.h"
#include "writer/scalefactor_writer.h"

// Pieces the writer-made test streams are built from.

// A frame of silence: every granule has global gain 0 and an empty spectrum.
FramePlan silentFrame(int rate, int kbps, int mode = 0, int modeExt = 0);

// Random values on the lines [from, to) of the coding order: about `percent` of them non-zero,
// mostly of magnitude 1, now and then up to maxValue, with random signs.
void scatterValues(GranulePlan& g, Lcg& rng, int from, int to, int maxValue, int percent);

// A copy of the stream with `change` applied to every granule record of every frame.
StreamPlan withEveryGranule(StreamPlan s, const std::function<void(GranulePlan&)>& change);

// Where granule `gr` of channel `ch` of the frame stands, for its scale factors.
ScalefactorPlace placeOf(const FramePlan& f, int gr, int ch);

// Random scale factors that fit `compress`, which the granule then uses.
void randomScalefactors(FramePlan& f, int gr, int ch, Lcg& rng, int compress);

// MPEG-1 long-block scale factors at random: granule 1 keeps granule 0's where the channel's scfsi
// says so; pre-emphasis and the scale-factor step are random too.
void randomLongScalefactors(FramePlan& f, int gr, int ch, Lcg& rng);

// An ID3v2.3 tag with a body of `bodyBytes` (at least 19): a title frame, then binary bytes
// that look like frame headers, as an embedded picture may hold.
std::vector<uint8_t> id3v2Tag(int bodyBytes);

// Bytes that hold no frame header, not even a false one: printable text of the given length.
std::vector<uint8_t> junk(int bytes);

// A RIFF/WAVE wrapper's header up to and including the "data" chunk's size, for MPEG audio of
// `dataBytes` bytes.
std::vector<uint8_t> riffHeader(uint32_t dataBytes);

// An end-of-file "TAG" block of 128 bytes.
std::vector<uint8_t> id3v1Tag();
