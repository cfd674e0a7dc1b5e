#include "platform/alsa_pcm.h"

#include <alsa/asoundlib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <string>
#include <thread>

#include "platform/report.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kPcmName = "default";
constexpr int kFrameBytes = 4;               // 16-bit stereo
constexpr unsigned kDeviceLatencyUs = 250000;  // what the device buffers beside our queue
constexpr int kWaitMs = 50;                  // how often a waiting write looks for an abort
constexpr auto kDrainLimit = std::chrono::seconds(3);

struct AlsaOut {
    snd_pcm_t* pcm = nullptr;
    std::atomic<bool> aborted{false};
    bool reported = false;  // the one message of a silenced music has been given
};

AlsaOut gAlsa;

// ALSA's own diagnostics would bury ours; the one message below says what went wrong.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// Drops the PCM and ALSA's cached configuration, which is read again on the next open. An abort
// ends with the device it was meant for.
void release()
{
    if (gAlsa.pcm) snd_pcm_close(gAlsa.pcm);
    gAlsa.pcm = nullptr;
    snd_config_update_free_global();
    gAlsa.aborted = false;
}

void reportOnce(const char* what, int err)
{
    if (gAlsa.reported) return;
    gAlsa.reported = true;
    report("no music", std::string(what) + " (" + snd_strerror(err) + ")");
}

}  // namespace

bool alsaPcmOpen(int rate)
{
    snd_lib_error_set_handler(quietAlsa);
    int err = snd_pcm_open(&gAlsa.pcm, kPcmName, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (err < 0) {
        gAlsa.pcm = nullptr;
        release();
        reportOnce("the sound device \"default\" cannot be opened", err);
        return false;
    }
    err = snd_pcm_set_params(gAlsa.pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 2, unsigned(rate), 1,
                             kDeviceLatencyUs);
    if (err < 0) {
        release();
        reportOnce("the sound device \"default\" refuses 16-bit stereo at the music's rate", err);
        return false;
    }
    return true;
}

namespace {

// Waits for room in the device's buffer; an error from the wait comes back for recovery.
int waitForRoom()
{
    int err = snd_pcm_wait(gAlsa.pcm, kWaitMs);
    return err < 0 ? err : 0;
}

}  // namespace

bool alsaPcmPlay(const uint8_t* data, int bytes)
{
    snd_pcm_uframes_t left = snd_pcm_uframes_t(bytes / kFrameBytes);
    while (left > 0 && !gAlsa.aborted) {
        snd_pcm_sframes_t done = snd_pcm_writei(gAlsa.pcm, data, left);
        if (done >= 0) {
            data += done * kFrameBytes;
            left -= snd_pcm_uframes_t(done);
            continue;
        }
        int err = done == -EAGAIN ? waitForRoom() : int(done);
        // Underruns and suspends are recovered; the frames not yet written follow, none twice.
        // What recovery could not mend says more than what it was given (a lost device shows
        // first as an underrun, then fails to prepare).
        if (err < 0 && (err = snd_pcm_recover(gAlsa.pcm, err, 1)) < 0) {
            reportOnce("the sound device \"default\" failed while playing", err);
            return false;
        }
    }
    return true;
}

namespace {

// Lets the device play out what it holds, unless the output is aborted or the device stalls. The wait
// is ours: snd_pcm_drain of a plugin device (ioplug) polls without a time-out even on a non-blocking
// PCM, so a device that stops playing would hold the caller for ever.
void drain()
{
    snd_pcm_uframes_t bufferFrames = 0, periodFrames = 0;
    if (snd_pcm_get_params(gAlsa.pcm, &bufferFrames, &periodFrames) < 0) return;
    // Less than the start threshold was written: the device has not started playing yet.
    if (snd_pcm_state(gAlsa.pcm) == SND_PCM_STATE_PREPARED && snd_pcm_start(gAlsa.pcm) < 0) return;
    Clock::time_point limit = Clock::now() + kDrainLimit;
    while (!gAlsa.aborted && Clock::now() < limit) {
        snd_pcm_sframes_t room = snd_pcm_avail(gAlsa.pcm);
        // An error here is the underrun that follows the last frame, or a device gone: nothing left to wait for.
        if (room < 0 || snd_pcm_uframes_t(room) >= bufferFrames) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMs));
    }
}

}  // namespace

void alsaPcmClose()
{
    if (gAlsa.pcm) {
        if (!gAlsa.aborted) drain();
        snd_pcm_drop(gAlsa.pcm);
    }
    release();
}

void alsaPcmAbort()
{
    gAlsa.aborted = true;
}

void alsaPcmLiftAbort()
{
    gAlsa.aborted = false;
}
