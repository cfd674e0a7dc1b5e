#pragma once

// The virtual-key codes of the keys the demo reacts to (letters and digits are their ASCII codes).
constexpr int kVkEscape = 27;
constexpr int kVkF1 = 112;
constexpr int kVkR = 'R';
constexpr int kVkL = 'L';
