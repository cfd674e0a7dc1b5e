#include "app/music.h"

#include <cstdio>

#include "audio/alsa_wave_device.h"
#include "audio/mp3_player.h"

int openMusic(const char* fileName)
{
    setWaveDevice(gPlayer.output, alsaWaveDevice());
    if (gPlayer.open(fileName) == 1) return 1;
    std::fprintf(stderr, "zephal3d: no music: cannot read \"%s\"\n", fileName);
    return 0;
}

void startMusic(int loop)
{
    if (!gPlayer.startThread(loop)) std::fprintf(stderr, "zephal3d: no music: the playback thread cannot start\n");
}

void stopMusic()
{
    gPlayer.stopThread();
}
