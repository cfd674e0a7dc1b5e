#include "frame_schedule.h"

#include <algorithm>

std::vector<uint32_t> frameTimes(uint32_t fromMs, uint32_t stepMs, std::vector<uint32_t> shotsMs)
{
    std::vector<uint32_t> times;
    auto add = [&](uint32_t t) {
        if (times.empty() || times.back() != t) times.push_back(t);
    };
    std::sort(shotsMs.begin(), shotsMs.end());
    stepMs = std::max<uint32_t>(stepMs, 1);
    uint32_t now = fromMs;
    for (uint32_t shot : shotsMs) {
        shot = std::max(shot, fromMs);
        while (now < shot) {
            add(now);
            now = shot - now > stepMs ? now + stepMs : shot;
        }
        add(now);
    }
    return times;
}
