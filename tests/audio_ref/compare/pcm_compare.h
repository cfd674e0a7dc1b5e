#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How far our decoder's 16-bit PCM lies from libmad's unrounded output, in 16-bit units (LSB).
// libmad's values beyond the 16-bit range are compared as clipped, as our decoder clips them.
struct PcmComparison {
    size_t ourSamples = 0;
    size_t refSamples = 0;
    double maxDiff = 0;
    size_t maxAt = 0;        // interleaved sample index of the largest difference
    double rmsDiff = 0;
    double refRms = 0;       // level of libmad's output, which tells a silent comparison
    size_t refClipped = 0;   // libmad samples beyond the 16-bit range
};

PcmComparison comparePcm(const std::vector<int16_t>& ours, const std::vector<float>& ref);

// One line for the test log: max and RMS, and where the largest difference lies (frame, granule,
// channel) given the stereo samples per frame (1152 or 576).
std::string describe(const PcmComparison& c, int samplesPerFrame);

// Our interleaved stereo output against a reference decoder's 16-bit output of `refChannels`
// channels, from sample 0 over the reference's length; a one-channel reference is compared with
// each of our two channels.
struct ReferenceComparison {
    size_t compared = 0;   // samples compared
    size_t missing = 0;    // reference samples past the end of ours
    int maxDiff = 0;
    size_t maxAt = 0;      // index in our interleaved output
    double rmsDiff = 0;
    size_t overOne = 0;    // samples more than 1 LSB off
};
ReferenceComparison compareWithReference(const std::vector<int16_t>& ours, const std::vector<int16_t>& ref,
                                         int refChannels);

bool readRaw16(const std::string& path, std::vector<int16_t>& samples);  // little-endian
bool readF32(const std::string& path, std::vector<float>& samples);      // little-endian
