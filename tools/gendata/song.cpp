#include <cstdint>
#include <span>

#include "music.h"
#include "synth.h"

namespace {

constexpr double kBeat = 0.5;
constexpr double kBar = 4 * kBeat;
constexpr double kStep = kBeat / 4;  // one sixteenth
constexpr int kStepsPerBar = 16;
constexpr int kBars = 40;
constexpr double kTail = 1.5;  // the last chord rings out
constexpr float kPeak = 0.7f;   // of full scale, leaving room for the encoder's overshoot

struct Chord {
    int bassRoot;
    int tones[3];
};

constexpr Chord kAm{33, {57, 60, 64}}, kF{29, {57, 60, 65}}, kC{36, {55, 60, 64}}, kG{31, {55, 59, 62}};
constexpr Chord kDm{38, {57, 62, 65}}, kE{40, {56, 59, 64}};
constexpr Chord kVerse[4] = {kAm, kF, kC, kG};
constexpr Chord kBridge[4] = {kDm, kAm, kF, kE};
constexpr Chord kOutro[4] = {kAm, kAm, kAm, kAm};

struct MelodyNote {
    int bar, step, steps, pitch;
};

// The verse tune: eight bars over the verse chords, played twice through.
constexpr MelodyNote kThemeA[] = {
    {0, 0, 4, 76}, {0, 4, 2, 72}, {0, 6, 2, 74}, {0, 8, 4, 76}, {0, 12, 2, 79}, {0, 14, 2, 76},
    {1, 0, 6, 81}, {1, 6, 2, 79}, {1, 8, 4, 77}, {1, 12, 4, 76},
    {2, 0, 4, 79}, {2, 4, 2, 76}, {2, 6, 2, 72}, {2, 8, 4, 74}, {2, 12, 4, 76},
    {3, 0, 8, 74}, {3, 8, 4, 71}, {3, 12, 4, 67},
    {4, 0, 4, 76}, {4, 4, 2, 72}, {4, 6, 2, 74}, {4, 8, 4, 76}, {4, 12, 2, 81}, {4, 14, 2, 83},
    {5, 0, 6, 84}, {5, 6, 2, 83}, {5, 8, 4, 81}, {5, 12, 4, 77},
    {6, 0, 4, 79}, {6, 4, 2, 76}, {6, 6, 2, 79}, {6, 8, 4, 84}, {6, 12, 2, 83}, {6, 14, 2, 79},
    {7, 0, 12, 81},
};

// The bridge tune over Dm, Am, F, E, answered the second time round.
constexpr MelodyNote kThemeB[] = {
    {0, 0, 4, 77}, {0, 4, 2, 76}, {0, 6, 2, 74}, {0, 8, 8, 69},
    {1, 0, 4, 72}, {1, 4, 2, 74}, {1, 6, 2, 76}, {1, 8, 8, 69},
    {2, 0, 4, 77}, {2, 4, 2, 79}, {2, 6, 2, 81}, {2, 8, 4, 84}, {2, 12, 4, 81},
    {3, 0, 8, 80}, {3, 8, 4, 83}, {3, 12, 4, 76},
    {4, 0, 4, 77}, {4, 4, 2, 76}, {4, 6, 2, 74}, {4, 8, 4, 69}, {4, 12, 4, 72},
    {5, 0, 4, 76}, {5, 4, 2, 74}, {5, 6, 2, 72}, {5, 8, 8, 69},
    {6, 0, 4, 77}, {6, 4, 2, 81}, {6, 6, 2, 84}, {6, 8, 4, 86}, {6, 12, 4, 84},
    {7, 0, 8, 83}, {7, 8, 8, 88},
};

constexpr int kBassSteps[8] = {0, 0, 12, 0, 0, 12, 7, 12};  // offsets from the root, in eighths
constexpr int kArpOrder[kStepsPerBar] = {0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4, 5, 4, 3};

enum PartFlag : unsigned {
    kPads = 1,
    kBass = 2,
    kLongBass = 4,
    kDrums = 8,
    kHats = 16,
    kArp = 32,
};

struct Section {
    int firstBar, bars;
    const Chord* progression;  // four chords, one a bar, repeated
    unsigned parts;
    std::span<const MelodyNote> melody;
};

constexpr Section kArrangement[] = {
    {0, 4, kVerse, kPads | kHats, {}},
    {4, 8, kVerse, kPads | kBass | kDrums, {}},
    {12, 8, kVerse, kPads | kBass | kDrums, kThemeA},
    {20, 4, kVerse, kPads | kLongBass | kArp, {}},
    {24, 8, kBridge, kPads | kBass | kDrums, kThemeB},
    {32, 6, kVerse, kPads | kBass | kDrums, kThemeA},
    {38, 2, kOutro, kPads | kLongBass, {}},
};

struct Buses {
    StereoBus drums, bass, pads, lead, arp;
};

void playChordBar(Buses& out, const Chord& chord, double start, unsigned parts)
{
    static constexpr float kPadPans[3] = {-0.5f, 0.0f, 0.5f};
    if (parts & kPads)
        for (int i = 0; i < 3; ++i) playPad(out.pads, {start, kBar * 0.95, chord.tones[i], 0.8f, kPadPans[i]});
    if (parts & kLongBass) playBass(out.bass, {start, kBar * 0.95, chord.bassRoot, 0.9f, 0});
    if (parts & kBass)
        for (int i = 0; i < 8; ++i)
            playBass(out.bass, {start + i * 2 * kStep, 2 * kStep * 0.85, chord.bassRoot + kBassSteps[i], i % 2 ? 0.75f : 1.0f, 0});
    if (parts & kArp)
        for (int i = 0; i < kStepsPerBar; ++i) {
            int k = kArpOrder[i];
            playPluck(out.arp, {start + i * kStep, kStep * 0.9, chord.tones[k % 3] + 12 * (k / 3), 0.8f, i % 2 ? 0.5f : -0.5f});
        }
}

void playDrumBar(Buses& out, double start, unsigned parts, bool fill)
{
    for (int s = 0; s < kStepsPerBar; ++s) {
        double t = start + s * kStep;
        if ((parts & (kDrums | kHats)) && s % 2 == 0) playHat(out.drums, t, s == 14 ? 0.7f : 0.6f, s == 14);
        if (!(parts & kDrums)) continue;
        if (s % 2 == 1) playHat(out.drums, t, 0.3f, false);
        if (s % 4 == 0) playKick(out.drums, t, 1.0f);
        bool snare = s == 4 || s == 12 || (fill && (s == 10 || s >= 13));
        if (snare) playSnare(out.drums, t, fill && s > 12 ? 0.6f + 0.1f * (s - 12) : 0.9f);
    }
}

void playMelody(Buses& out, const Section& section)
{
    for (const MelodyNote& n : section.melody) {
        if (n.bar >= section.bars) continue;
        double start = (section.firstBar + n.bar) * kBar + n.step * kStep;
        playLead(out.lead, {start, n.steps * kStep * 0.92, n.pitch, 0.9f, 0.1f});
    }
}

void playSection(Buses& out, const Section& section)
{
    for (int b = 0; b < section.bars; ++b) {
        double start = (section.firstBar + b) * kBar;
        playChordBar(out, section.progression[b % 4], start, section.parts);
        // Hats come in on the third bar of the intro; the last bar of a drum section has a fill.
        if (section.parts & kDrums || b >= 2) playDrumBar(out, start, section.parts, b == section.bars - 1);
    }
    playMelody(out, section);
}

}  // namespace

double musicSeconds() { return kBars * kBar + kTail; }

std::vector<int16_t> renderMusic()
{
    const double seconds = musicSeconds();
    Buses buses{makeBus(seconds), makeBus(seconds), makeBus(seconds), makeBus(seconds), makeBus(seconds)};
    for (const Section& section : kArrangement) playSection(buses, section);
    addEcho(buses.lead, 3 * kStep, 0.3f);
    StereoBus master = makeBus(seconds);
    mixInto(master, buses.drums, 0.8f);
    mixInto(master, buses.bass, 0.8f);
    mixInto(master, buses.pads, 1.4f);
    mixInto(master, buses.lead, 2.0f);
    mixInto(master, buses.arp, 1.0f);
    return toPcm(master, kPeak);
}
