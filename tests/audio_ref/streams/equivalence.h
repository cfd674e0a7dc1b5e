#pragma once

#include <string>
#include <vector>

#include "writer/layer3_plan.h"

// Support for tests that decode two codings of one sound with libmad and compare them.

// libmad's fixed point keeps 28 fractional bits; equal sound coded two ways may differ in the last of them.
constexpr float kSameSound = 0.02f;

// Writes and decodes a stream, expecting libmad to decode every frame.
std::vector<float> decode(const StreamPlan& plan);

// Largest difference between two decodings, which must also be of one length and not silent.
float difference(const StreamPlan& a, const StreamPlan& b);

// A stream of the writer-made catalogue by its name.
StreamPlan namedStream(const std::string& name);
