#include "app/music.h"

#include <string>

#include "audio/audio_out.h"
#include "audio/mp3_player.h"
#include "platform/report.h"
#include "platform/wave_out_alsa.h"

bool openMusic(const char* fileName)
{
    setWaveDevice(alsaWaveDevice());
    if (gPlayer.open(fileName) == 1) return true;
    report("no music", std::string("cannot read \"") + fileName + "\"");
    return false;
}

void startMusic(int loop)
{
    if (!gPlayer.startThread(loop)) report("no music", "the playback thread cannot start");
}

void stopMusic()
{
    gPlayer.stopThread();
}
