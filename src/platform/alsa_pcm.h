#pragma once

#include <cstdint>

// ALSA's "default" PCM, 16-bit signed little-endian stereo at the stream's rate, one at a time.
// A device that is missing, refuses the format or fails for good silences the music with one
// message on stderr. Open, play and close come from one thread; abort from any.
bool alsaPcmOpen(int rate);
// Blocks until the frames are written; false when the device failed for good.
bool alsaPcmPlay(const uint8_t* data, int bytes);
// Lets the device play out what it holds (unless aborted, or stalled for too long), then closes it.
void alsaPcmClose();
// A play or close in progress returns soon, dropping what the device holds. The abort holds until
// the device is closed, also one that comes while the open is still pending, or until it is lifted.
void alsaPcmAbort();
// Ends an abort that came when no device was open (after the close), before the next open.
void alsaPcmLiftAbort();
