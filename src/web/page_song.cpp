#include "web/page_song.h"

#include <string>

#include "audio/decode_pass.h"
#include "platform/report.h"

namespace {

bool openCollector(void* context, int rate)
{
    auto& song = *static_cast<PageSong*>(context);
    song.rate = rate;
    song.pcm.clear();
    return true;
}

bool collect(void* context, const uint8_t* data, int bytes)
{
    auto& song = *static_cast<PageSong*>(context);
    song.pcm.insert(song.pcm.end(), data, data + bytes);
    return true;
}

void closeCollector(void*) {}

}  // namespace

bool openSong(PageSong& song, const char* fileName)
{
    song.device = {&song, openCollector, collect, closeCollector, nullptr, true};
    setWaveDevice(song.player.output, &song.device);
    song.opened = song.player.open(fileName) == 1;
    if (!song.opened) report("no music", std::string("cannot read \"") + fileName + "\"");
    return song.opened;
}

bool decodeSong(PageSong& song)
{
    if (!song.opened) return false;
    decodePass(song.player.decoder, song.player.output);
    // The file is released with the pass: one decode per page.
    song.opened = false;
    return song.rate > 0 && !song.pcm.empty();
}

void releaseSong(PageSong& song)
{
    song.pcm = {};
}
