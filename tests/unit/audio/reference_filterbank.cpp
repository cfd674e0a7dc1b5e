#include "reference_filterbank.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "audio/generated/synthesis_window.h"

namespace {

constexpr double kPi = std::numbers::pi;

}  // namespace

double standardWindow(int type, int i)
{
    auto longSine = [](int n) { return std::sin(kPi / 36 * (n + 0.5)); };
    auto shortSine = [](int n) { return std::sin(kPi / 12 * (n + 0.5)); };
    switch (type) {
    case 1: return i < 18 ? longSine(i) : i < 24 ? 1 : i < 30 ? shortSine(i - 18) : 0;
    case 2: return i < 12 ? shortSine(i) : 0;
    case 3: return i < 6 ? 0 : i < 12 ? shortSine(i - 6) : i < 18 ? 1 : longSine(i);
    default: return longSine(i);
    }
}

void directImdct(const float* in, int n, double* out)
{
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        for (int k = 0; k < n / 2; ++k) sum += in[k] * std::cos(kPi / (2 * n) * (2 * i + 1 + n / 2) * (2 * k + 1));
        out[i] = sum;
    }
}

void directMatrix(const double* samples, double* v)
{
    for (int i = 0; i < 64; ++i) {
        double sum = 0;
        for (int k = 0; k < 32; ++k) sum += std::cos((16 + i) * (2 * k + 1) * kPi / 64) * samples[k];
        v[i] = sum;
    }
}

double synthesisWindow(int k)
{
    if (k <= 256) return kSynthesisWindowD[k] / 65536.0;
    int mirror = 512 - k;
    return (mirror % 64 == 0 ? 1 : -1) * kSynthesisWindowD[mirror] / 65536.0;
}

void referenceHybrid(ReferenceHybrid& state, const float* spectrum, int blockType, bool mixed, double* slots)
{
    for (int sb = 0; sb < 32; ++sb) {
        int type = mixed && sb < 2 ? 0 : blockType;
        const float* in = spectrum + 18 * sb;
        double x[36] = {};
        if (type != 2) {
            directImdct(in, 36, x);
            for (int i = 0; i < 36; ++i) x[i] *= standardWindow(type, i);
        } else {
            for (int w = 0; w < 3; ++w) {
                float values[6];
                double y[12];
                for (int k = 0; k < 6; ++k) values[k] = in[3 * k + w];
                directImdct(values, 12, y);
                for (int i = 0; i < 12; ++i) x[6 + 6 * w + i] += y[i] * standardWindow(2, i);
            }
        }
        for (int i = 0; i < 18; ++i) {
            double out = x[i] + state.overlap[18 * sb + i];
            state.overlap[18 * sb + i] = x[18 + i];
            slots[32 * i + sb] = (sb % 2 && i % 2) ? -out : out;  // frequency inversion
        }
    }
}

void referenceSynthesize(ReferenceSynthesis& state, const double* samples, double* pcm)
{
    std::memmove(state.v + 64, state.v, sizeof(double) * 960);
    directMatrix(samples, state.v);
    double u[512];
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 32; ++j) {
            u[64 * i + j] = state.v[128 * i + j];
            u[64 * i + 32 + j] = state.v[128 * i + 96 + j];
        }
    }
    for (int j = 0; j < 32; ++j) {
        double sum = 0;
        for (int i = 0; i < 16; ++i) sum += u[j + 32 * i] * synthesisWindow(j + 32 * i);
        pcm[j] = sum * 32768;
    }
}
