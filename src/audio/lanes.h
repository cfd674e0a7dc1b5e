#pragma once

#include <cstdint>
#include <cstring>

// Four floats in one register. Element-wise arithmetic keeps each lane's own order of operations,
// so a loop over lanes gives exactly the results of the same loop over single floats.
typedef float Lanes __attribute__((vector_size(16)));
typedef int32_t IntLanes __attribute__((vector_size(16)));

inline Lanes lanesAt(const float* p)
{
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void storeLanes(float* p, Lanes v) { std::memcpy(p, &v, sizeof v); }

// Lanes of a (0..3) and b (4..7) picked by index; clang and GCC name the builtin differently.
template <int I0, int I1, int I2, int I3, typename V>
inline V pick(V a, V b)
{
#if defined(__clang__)
    return __builtin_shufflevector(a, b, I0, I1, I2, I3);
#else
    return __builtin_shuffle(a, b, IntLanes{I0, I1, I2, I3});
#endif
}

inline Lanes reversed(Lanes v) { return pick<3, 2, 1, 0>(v, v); }
