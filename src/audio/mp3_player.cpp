#include "audio/mp3_player.h"

#include <sys/resource.h>
#include <unistd.h>

#include "audio/pcm_staging.h"

namespace {

// Nice levels the thread asks to stand above the rest of the program, so that rendering never starves it.
constexpr int kPriorityBoost = 5;

enum class PassEnd { endOfFile, nothingPlayed, stopped };

// Without the right to raise it (not root, RLIMIT_NICE too low) the thread plays at normal priority.
void raisePriority()
{
    id_t self = static_cast<id_t>(gettid());
    int nice = getpriority(PRIO_PROCESS, self);
    setpriority(PRIO_PROCESS, self, nice - kPriorityBoost);
}

// One pass from the stream's first frame to the first frame that cannot be read.
PassEnd playPass(Mp3Player& player)
{
    bool played = false;
    Mp3Decoder& d = player.decoder;
    rewind(d.stream);
    while (!player.stopRequested && nextFrame(d.stream, player.header) == 1) {
        played = true;
        // The music ends for good when no format fits or the device is gone: decoding on would
        // only burn the processor the pictures need.
        if (decodeFrame(d, player.header, player.output) < 0 || outputLost(player.output)) return PassEnd::stopped;
    }
    if (player.stopRequested) return PassEnd::stopped;
    finishPass(d, player.output);
    return played ? PassEnd::endOfFile : PassEnd::nothingPlayed;
}

// True when a pass ended by itself and looping is off: what is queued should then play out.
bool playPasses(Mp3Player& player)
{
    for (;;) {
        PassEnd end = playPass(player);
        if (end == PassEnd::stopped) return false;
        if (!player.loopFlag) return true;
        // Looping over a file that yields no frame would spin without end.
        if (end == PassEnd::nothingPlayed) return false;
    }
}

}  // namespace

Mp3Player gPlayer;

void* playbackThread(void* arg)
{
    Mp3Player& player = *static_cast<Mp3Player*>(arg);
    raisePriority();
    if (playPasses(player)) {
        queueStaged(player.decoder.staging, player.output);
        closeDevice(player.output);
    }
    releaseFile(player.decoder.stream);
    player.openedFlag = 0;  // the file is gone: a new open comes before the next start
    player.runningFlag = 0;
    return nullptr;
}

int Mp3Player::open(const char* fileName)
{
    stopThread();
    resetOutput(decoder.staging, output);
    decoder.audioParams = AudioParams{};
    probeFormats(decoder.formats, decoder.audioParams);
    closeDevice(output);
    header = FrameHeader{};
    openedFlag = loadFile(decoder.stream, fileName) == 1;
    return openedFlag;
}

bool Mp3Player::startThread(int loop)
{
    if (threadStarted || !openedFlag) return false;
    loopFlag = loop;
    stopRequested = false;
    runningFlag = 1;
    threadStarted = pthread_create(&threadHandle, nullptr, playbackThread, this) == 0;
    if (!threadStarted) runningFlag = 0;
    return threadStarted;
}

void Mp3Player::stopThread()
{
    if (!threadStarted) return;
    stopRequested = true;
    abortOutput(output);
    pthread_join(threadHandle, nullptr);
    threadStarted = false;
    closeDevice(output);
    resetOutput(decoder.staging, output);
}
