#include "app/music.h"

// No player is linked into the demo yet: the file is never loaded, so the demo runs silent
// and there is no thread to start or stop.

int openMusic(const char*)
{
    return 0;
}

void startMusic(int) {}

void stopMusic() {}
