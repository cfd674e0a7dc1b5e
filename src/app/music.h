#pragma once

// The music as start-up and shut-down see it: "sorvel.mp3" played on a thread of its own.

// True when the file was loaded and the playback thread may be started.
bool openMusic(const char* fileName);
void startMusic(int loop);
// Stops the playback thread; does nothing when none was started.
void stopMusic();
