#pragma once

// The inverse MDCTs of the hybrid filter bank, each output divided by the compensation factor
// that the windows carry (0.5 / cos((2i + 19) pi / 72) long, 0.5 / cos((2i + 7) pi / 24) short).

// 18 spectral values to 36 outputs.
void imdct36(const float* in, float* out);
// 6 spectral values to 12 outputs.
void imdct12(const float* in, float* out);
