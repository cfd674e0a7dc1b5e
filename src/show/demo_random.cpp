#include "show/demo_random.h"

int32_t demoRand(RandomState& random)
{
    random.state = random.state * 214013u + 2531011u;
    return static_cast<int32_t>((random.state >> 16) & 0x7FFFu);
}
