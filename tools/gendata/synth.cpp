#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "noise.h"

namespace {

constexpr float kTau = 2 * std::numbers::pi_v<float>;

struct Envelope {
    float attack, decay, sustain, release;
};

// Attack, decay, sustain while the note is held, then a straight release.
float envelopeAt(const Envelope& e, float t, float held)
{
    auto level = [&](float u) {
        if (u < e.attack) return u / e.attack;
        if (u < e.attack + e.decay) return 1 - (1 - e.sustain) * (u - e.attack) / e.decay;
        return e.sustain;
    };
    if (t < held) return level(t);
    return std::max(0.0f, level(held) * (1 - (t - held) / e.release));
}

// Band-limited sawtooth: the jump is smoothed over one sample so high notes do not alias.
float sawWave(float phase, float step)
{
    float blep = 0;
    if (phase < step) {
        float t = phase / step;
        blep = t + t - t * t - 1;
    } else if (phase > 1 - step) {
        float t = (phase - 1) / step;
        blep = t * t + t + t + 1;
    }
    return 2 * phase - 1 - blep;
}

float wrapPhase(float p) { return p - std::floor(p); }

// A state-variable filter; damping 0 (ringing) .. 2 (soft).
struct Filter {
    float low = 0, band = 0, f = 0;
    void tune(float cutoffHz) { f = 2 * std::sin(std::numbers::pi_v<float> * std::min(cutoffHz, 8000.0f) / kSampleRate); }
    float lowpass(float in, float damping)
    {
        step(in, damping);
        return low;
    }
    float bandpass(float in, float damping)
    {
        step(in, damping);
        return band;
    }
    void step(float in, float damping)
    {
        low += f * band;
        float high = in - low - damping * band;
        band += f * high;
    }
};

// Equal-power placement between the two channels.
struct Pan {
    float left, right;
    explicit Pan(float pan) : left(std::sqrt(0.5f * (1 - pan))), right(std::sqrt(0.5f * (1 + pan))) {}
};

void addSample(StereoBus& bus, size_t i, float value, const Pan& pan)
{
    if (i >= bus.left.size()) return;
    bus.left[i] += value * pan.left;
    bus.right[i] += value * pan.right;
}

size_t sampleIndex(double seconds) { return static_cast<size_t>(std::llround(seconds * kSampleRate)); }

struct Tone {
    Envelope envelope;
    float cutoffStart, cutoffEnd, cutoffTime;  // the filter sweeps from start to end
    float damping;
    float detuneCents;  // 0 for one oscillator, else three spread this far apart
    float vibratoDepth;  // in semitones, after a short delay
    float gain;
};

// Renders one note of a filtered sawtooth voice. Pitch and filter settings glide slowly,
// so they are worked out afresh every kControlSamples samples rather than every sample.
void playTone(StereoBus& bus, const Note& note, const Tone& tone)
{
    constexpr size_t kControlSamples = 32;
    const int voices = tone.detuneCents > 0 ? 3 : 1;
    const float total = static_cast<float>(note.length) + tone.envelope.release;
    const size_t first = sampleIndex(note.start), count = sampleIndex(total);
    const float sweepDecay = std::exp(-1.0f / (tone.cutoffTime * kSampleRate));
    float phase[3] = {0.0f, 0.33f, 0.67f}, step[3] = {};
    float sweep = 1, gain = 0;
    const Pan pan(note.pan);
    Filter filter;
    for (size_t n = 0; n < count; ++n) {
        if (n % kControlSamples == 0) {
            float t = float(n) / kSampleRate;
            float vibrato = t > 0.15f ? tone.vibratoDepth * std::sin(kTau * 5.5f * t) : 0.0f;
            for (int v = 0; v < voices; ++v) {
                float cents = (v - (voices - 1) / 2.0f) * tone.detuneCents;
                step[v] = noteFrequency(note.pitch) * std::exp2((cents / 100 + vibrato) / 12) / kSampleRate;
            }
            filter.tune(tone.cutoffEnd + (tone.cutoffStart - tone.cutoffEnd) * sweep);
            gain = envelopeAt(tone.envelope, t, float(note.length)) * tone.gain * note.velocity;
        }
        float sum = 0;
        for (int v = 0; v < voices; ++v) {
            sum += sawWave(phase[v], step[v]);
            phase[v] = wrapPhase(phase[v] + step[v]);
        }
        sweep *= sweepDecay;
        addSample(bus, first + n, filter.lowpass(sum / voices, tone.damping) * gain, pan);
    }
}

constexpr Tone kBassTone{{0.005f, 0.12f, 0.7f, 0.05f}, 1400, 260, 0.12f, 0.8f, 0, 0, 0.55f};
constexpr Tone kPadTone{{0.35f, 0.6f, 0.8f, 0.9f}, 1800, 1400, 1.0f, 1.2f, 9, 0, 0.22f};
constexpr Tone kLeadTone{{0.01f, 0.25f, 0.65f, 0.18f}, 4200, 2600, 0.3f, 1.0f, 4, 0.25f, 0.3f};
constexpr Tone kPluckTone{{0.002f, 0.18f, 0.0f, 0.1f}, 5000, 500, 0.08f, 0.7f, 0, 0, 0.28f};

// Each drum hit draws its noise from a generator seeded by where it starts, so that the
// tune comes out the same whatever was rendered before it.
Lcg noiseFor(size_t firstSample, uint32_t salt) { return {static_cast<uint32_t>(firstSample) * 2654435761u + salt}; }

float noiseSample(Lcg& noise) { return noise.unit() * 2 - 1; }

}  // namespace

StereoBus makeBus(double seconds)
{
    size_t n = sampleIndex(seconds);
    return {std::vector<float>(n), std::vector<float>(n)};
}

float noteFrequency(int pitch) { return 440.0f * std::exp2((pitch - 69) / 12.0f); }

void playBass(StereoBus& bus, const Note& note) { playTone(bus, note, kBassTone); }

void playPad(StereoBus& bus, const Note& note) { playTone(bus, note, kPadTone); }

void playLead(StereoBus& bus, const Note& note) { playTone(bus, note, kLeadTone); }

void playPluck(StereoBus& bus, const Note& note) { playTone(bus, note, kPluckTone); }

void playKick(StereoBus& bus, double start, float velocity)
{
    const size_t first = sampleIndex(start), count = sampleIndex(0.45);
    float phase = 0;
    const Pan centre(0);
    for (size_t n = 0; n < count; ++n) {
        float t = float(n) / kSampleRate;
        float freq = 48 + 150 * std::exp(-t * 30);  // the fast drop in pitch is the kick's punch
        phase = wrapPhase(phase + freq / kSampleRate);
        float body = std::sin(kTau * phase) * std::exp(-t * 7) * std::min(1.0f, t * 2000);
        addSample(bus, first + n, body * 0.9f * velocity, centre);
    }
}

void playSnare(StereoBus& bus, double start, float velocity)
{
    const size_t first = sampleIndex(start), count = sampleIndex(0.3);
    Filter filter;
    filter.tune(2500);
    const Pan place(0.1f);
    Lcg noise = noiseFor(first, 2);
    for (size_t n = 0; n < count; ++n) {
        float t = float(n) / kSampleRate;
        float hiss = noiseSample(noise);
        float rattle = filter.bandpass(hiss, 0.8f) * std::exp(-t * 16);  // the snares' buzz, without the hiss above it
        float body = std::sin(kTau * 185 * t) * std::exp(-t * 26);
        addSample(bus, first + n, (rattle * 0.55f + body * 0.5f) * velocity, place);
    }
}

void playHat(StereoBus& bus, double start, float velocity, bool open)
{
    const size_t first = sampleIndex(start), count = sampleIndex(open ? 0.35 : 0.08);
    const float decay = open ? 11.0f : 55.0f;
    float previous = 0;
    const Pan place(0.35f);
    Lcg noise = noiseFor(first, 3);
    for (size_t n = 0; n < count; ++n) {
        float t = float(n) / kSampleRate;
        float white = noiseSample(noise);
        float hiss = white - previous;  // a first difference keeps only the top of the noise
        previous = white;
        addSample(bus, first + n, hiss * std::exp(-t * decay) * 0.16f * velocity, place);
    }
}

void addEcho(StereoBus& bus, double delay, float feedback)
{
    const size_t d = sampleIndex(delay);
    for (size_t i = d; i < bus.left.size(); ++i) {
        bus.left[i] += bus.right[i - d] * feedback;
        bus.right[i] += bus.left[i - d] * feedback;
    }
}

void mixInto(StereoBus& target, const StereoBus& source, float gain)
{
    size_t n = std::min(target.left.size(), source.left.size());
    for (size_t i = 0; i < n; ++i) {
        target.left[i] += source.left[i] * gain;
        target.right[i] += source.right[i] * gain;
    }
}

std::vector<int16_t> toPcm(const StereoBus& bus, float peak)
{
    float loudest = 1e-6f;
    for (size_t i = 0; i < bus.left.size(); ++i)
        loudest = std::max({loudest, std::fabs(std::tanh(bus.left[i])), std::fabs(std::tanh(bus.right[i]))});
    const float scale = peak * 32767.0f / loudest;
    std::vector<int16_t> pcm(bus.left.size() * 2);
    for (size_t i = 0; i < bus.left.size(); ++i) {
        pcm[2 * i] = static_cast<int16_t>(std::lround(std::tanh(bus.left[i]) * scale));
        pcm[2 * i + 1] = static_cast<int16_t>(std::lround(std::tanh(bus.right[i]) * scale));
    }
    return pcm;
}
