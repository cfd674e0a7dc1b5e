#pragma once

#include <pthread.h>

#include <atomic>
#include <cstdint>

#include "audio/frame_header.h"
#include "audio/mp3_decoder.h"

// The music as the main program sees it: open the file, start the playback thread, stop it.
// The main thread calls all three; the thread owns the decoder and the output while it runs.
struct Mp3Player {
    Mp3Decoder decoder;
    FrameHeader header{};
    int32_t loopFlag = 0;  // start over at the end of the file
    pthread_t threadHandle{};
    bool threadStarted = false;           // main thread only: a thread is to be joined
    std::atomic<int32_t> runningFlag{0};  // 1 while the playback thread plays
    std::atomic<bool> stopRequested{false};
    int32_t openedFlag = 0;

    // Builds the decoder tables, probes the output and loads the whole file: 1, or 0 when it cannot be read.
    int open(const char* fileName);
    // False when the thread cannot be created; the music then stays silent.
    bool startThread(int loop);
    // Asks the thread to stop, drops what is queued and waits for it; nothing when none was started.
    void stopThread();
};

extern Mp3Player gPlayer;

// The thread's routine; its argument is the Mp3Player.
void* playbackThread(void* player);
