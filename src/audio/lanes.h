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

inline Lanes reversed(Lanes v) { return __builtin_shuffle(v, IntLanes{3, 2, 1, 0}); }
