#pragma once

// Scale-factor band boundaries of one sampling rate, as the standard gives them.
struct BandLayout {
    bool mpeg2;
    int rate;
    int rateIndex;        // the header's two sampling-frequency bits
    int longStart[23];    // first line of long bands 0 to 21, then 576
    int shortStart[14];   // first line of short bands 0 to 12 within one window, then 192

    int shortWidth(int band) const { return shortStart[band + 1] - shortStart[band]; }
    // Lines of the long part of a mixed block (two sub-bands) and the long bands in it.
    int mixedLongBands() const { return mpeg2 ? 6 : 8; }
};

// The layout of a sampling rate (32000, 44100, 48000, 16000, 22050 or 24000); null for others.
const BandLayout* bandLayout(int rate);

// Place of line k of window w of a short band in the coding order of the spectrum: bands one
// after the other, within a band the three windows one after the other.
inline int shortCodingIndex(const BandLayout& layout, int band, int window, int k)
{
    return 3 * layout.shortStart[band] + window * layout.shortWidth(band) + k;
}
