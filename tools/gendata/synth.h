#pragma once

#include <cstdint>
#include <vector>

// The voices of the demo's tune. Each note is rendered straight into a stereo bus,
// added to what is there; times are in seconds, pitches are MIDI note numbers.

constexpr int kSampleRate = 44100;

struct StereoBus {
    std::vector<float> left, right;
};
StereoBus makeBus(double seconds);

struct Note {
    double start;
    double length;
    int pitch;
    float velocity;  // 0..1
    float pan;       // -1 left .. 1 right
};

float noteFrequency(int pitch);

void playBass(StereoBus& bus, const Note& note);
void playPad(StereoBus& bus, const Note& note);
void playLead(StereoBus& bus, const Note& note);
void playPluck(StereoBus& bus, const Note& note);
void playKick(StereoBus& bus, double start, float velocity);
void playSnare(StereoBus& bus, double start, float velocity);
void playHat(StereoBus& bus, double start, float velocity, bool open);

// A ping-pong echo: each repeat `delay` seconds later, on the other side, `feedback` as loud.
void addEcho(StereoBus& bus, double delay, float feedback);
// Adds `source` times `gain` into `target`.
void mixInto(StereoBus& target, const StereoBus& source, float gain);
// Soft-clips, scales the loudest sample to `peak` (0..1) and interleaves left and right.
std::vector<int16_t> toPcm(const StereoBus& bus, float peak);
