#pragma once

#include <cstdint>
#include <vector>

// The demo times of the frames from `fromMs` on, one every `stepMs`, up to the last of `shotsMs`;
// every shot time gets a frame of its own (the stepping goes on from it). Shots before `fromMs`
// are drawn at `fromMs`.
std::vector<uint32_t> frameTimes(uint32_t fromMs, uint32_t stepMs, std::vector<uint32_t> shotsMs);
