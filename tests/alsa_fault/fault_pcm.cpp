// An ALSA PCM of the tests: plays 16-bit stereo into a file at the pace of the clock and, at set
// points of what it has played, fails the way sound devices fail. Loaded through an .asoundrc:
//
//   pcm_type.z3dfault { lib "/path/libasound_module_pcm_z3dfault.so" }
//   pcm.!default {
//       type z3dfault
//       file "/path/capture.raw"   # what was played, in order: raw S16_LE stereo
//       log "/path/faults.log"     # optional: one line per fault, where it hit and what it cut
//       faults "underrun@400000 suspend@900000"   # optional: fault@played-bytes, in order
//   }
//
// The faults, each once the device has played that many bytes:
//   underrun  an xrun (-EPIPE); what the device held and had not played is cut
//   suspend   a suspend (-ESTRPIPE); the device resumes where it stopped, with what it held
//   lost      the device is gone for good: an xrun, then every call fails with -ENODEV
//   stall     the device stops playing: its position never moves again
//   block     the call into the device that meets the fault never returns
// Bytes are played in the order they came, at the stream's rate; a writer that falls behind the clock
// gets an xrun as from real hardware, logged as "starved".
#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFrameBytes = 4;                      // S16_LE stereo
constexpr long kTickNs = 5'000'000;                 // poll wake-ups while waiting for room
constexpr unsigned kMinBufferBytes = 4 * 1024;      // room for a period or two of the smallest kind
constexpr unsigned kMaxBufferBytes = 1024 * 1024;   // several seconds: more than any caller asks
constexpr unsigned kMinPeriodBytes = 256;

enum class FaultKind { underrun, suspend, lost, stall, block };

struct Fault {
    FaultKind kind;
    unsigned long long atByte;
};

struct FaultPcm {
    snd_pcm_ioplug_t io{};
    int out = -1;
    FILE* log = nullptr;
    std::vector<Fault> faults;
    size_t nextFault = 0;
    std::deque<uint8_t> held;           // taken from the writer, not yet played
    unsigned long long played = 0;      // bytes put into the file since the open
    snd_pcm_uframes_t position = 0;     // frames the pointer moved since the last prepare
    Clock::time_point startedAt;
    unsigned long long playedAtStart = 0;
    bool running = false;
    bool stalled = false;
    bool lost = false;
    const char* pendingCut = nullptr;   // a fault whose cut is logged at the next prepare
};

const char* faultName(FaultKind kind)
{
    static const char* const names[] = {"underrun", "suspend", "lost", "stall", "block"};
    return names[static_cast<int>(kind)];
}

bool parseFaults(const char* text, std::vector<Fault>& faults)
{
    std::string all(text);
    size_t pos = 0;
    while ((pos = all.find_first_not_of(' ', pos)) != std::string::npos) {
        size_t end = all.find(' ', pos);
        std::string item = all.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end;
        size_t at = item.find('@');
        if (at == std::string::npos) return false;
        std::string name = item.substr(0, at);
        Fault f{FaultKind::underrun, std::strtoull(item.c_str() + at + 1, nullptr, 10)};
        bool known = false;
        for (int k = 0; k <= static_cast<int>(FaultKind::block); ++k) {
            if (name == faultName(static_cast<FaultKind>(k))) {
                f.kind = static_cast<FaultKind>(k);
                known = true;
            }
        }
        if (!known) return false;
        faults.push_back(f);
    }
    return true;
}

void logLine(FaultPcm& p, const char* what, unsigned long long cut)
{
    if (!p.log) return;
    std::fprintf(p.log, "%s at %llu cut %llu\n", what, p.played, cut);
    std::fflush(p.log);
}

// Plays up to `frames` held frames into the file.
void playHeld(FaultPcm& p, size_t frames)
{
    size_t bytes = std::min(frames * kFrameBytes, p.held.size());
    std::vector<uint8_t> chunk(p.held.begin(), p.held.begin() + static_cast<long>(bytes));
    p.held.erase(p.held.begin(), p.held.begin() + static_cast<long>(bytes));
    if (p.out >= 0 && bytes > 0 && write(p.out, chunk.data(), bytes) != static_cast<ssize_t>(bytes))
        std::perror("z3dfault: capture");
    p.played += bytes;
    p.position += bytes / kFrameBytes;
}

// Frames the clock says are due since the start and not played yet.
size_t dueFrames(const FaultPcm& p)
{
    auto elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - p.startedAt).count();
    unsigned long long due = static_cast<unsigned long long>(elapsed) * p.io.rate / 1'000'000'000ULL;
    unsigned long long done = (p.played - p.playedAtStart) / kFrameBytes;
    return due > done ? static_cast<size_t>(due - done) : 0;
}

// The next scheduled fault once playing has reached it; null otherwise.
const Fault* dueFault(FaultPcm& p)
{
    if (p.nextFault >= p.faults.size() || p.played < p.faults[p.nextFault].atByte) return nullptr;
    return &p.faults[p.nextFault++];
}

// Acts on a fault; a negative result is what the pointer reports, else it reports the position.
snd_pcm_sframes_t hit(FaultPcm& p, const Fault& f)
{
    p.running = false;  // nothing more is played until the writer starts the stream again
    switch (f.kind) {
    case FaultKind::underrun:
        p.pendingCut = "underrun";
        return -EPIPE;
    case FaultKind::suspend:
        p.pendingCut = "suspend";
        snd_pcm_ioplug_set_state(&p.io, SND_PCM_STATE_SUSPENDED);
        return 0;
    case FaultKind::lost:
        logLine(p, "lost", p.held.size());
        p.lost = true;
        return -ENODEV;  // as a plugin device shows it: an xrun, then every call fails
    case FaultKind::stall:
        logLine(p, "stall", 0);
        p.stalled = true;
        return 0;
    case FaultKind::block:
        logLine(p, "block", 0);
        for (;;) pause();
    }
    return 0;
}

snd_pcm_sframes_t faultPointer(snd_pcm_ioplug_t* io)
{
    FaultPcm& p = *static_cast<FaultPcm*>(io->private_data);
    if (p.lost) return -ENODEV;
    if (p.running && !p.stalled) {
        size_t due = dueFrames(p);
        size_t heldFrames = p.held.size() / kFrameBytes;
        // Stop exactly at a scheduled fault, so that where it hits does not depend on the clock.
        if (p.nextFault < p.faults.size() && p.faults[p.nextFault].atByte > p.played)
            due = std::min<size_t>(due, (p.faults[p.nextFault].atByte - p.played + kFrameBytes - 1) / kFrameBytes);
        playHeld(p, std::min(due, heldFrames));
        if (const Fault* f = dueFault(p)) {
            snd_pcm_sframes_t r = hit(p, *f);
            if (r < 0) return r;
        } else if (due > heldFrames && io->state != SND_PCM_STATE_DRAINING) {
            logLine(p, "starved", 0);
            p.running = false;  // one xrun, logged once, until the writer starts the stream again
            return -EPIPE;
        }
    }
    if (p.held.empty() && io->state == SND_PCM_STATE_DRAINING) return -EPIPE;  // drained: the stream stops
    return static_cast<snd_pcm_sframes_t>(p.position % io->buffer_size);
}

snd_pcm_sframes_t faultTransfer(snd_pcm_ioplug_t* io, const snd_pcm_channel_area_t* areas, snd_pcm_uframes_t offset,
                                snd_pcm_uframes_t size)
{
    FaultPcm& p = *static_cast<FaultPcm*>(io->private_data);
    if (p.lost) return -ENODEV;
    const uint8_t* from = static_cast<const uint8_t*>(areas[0].addr) + (areas[0].first + offset * areas[0].step) / 8;
    p.held.insert(p.held.end(), from, from + size * kFrameBytes);
    return static_cast<snd_pcm_sframes_t>(size);
}

int faultStart(snd_pcm_ioplug_t* io)
{
    FaultPcm& p = *static_cast<FaultPcm*>(io->private_data);
    p.startedAt = Clock::now();
    p.playedAtStart = p.played;
    p.running = true;
    return 0;
}

int faultStop(snd_pcm_ioplug_t* io)
{
    static_cast<FaultPcm*>(io->private_data)->running = false;
    return 0;
}

// What the device held is gone: dropped by the writer, or lost in a fault.
int faultPrepare(snd_pcm_ioplug_t* io)
{
    FaultPcm& p = *static_cast<FaultPcm*>(io->private_data);
    if (p.lost) return -ENODEV;
    if (p.pendingCut) logLine(p, p.pendingCut, p.held.size());
    p.pendingCut = nullptr;
    p.held.clear();
    p.position = 0;
    p.running = false;
    return 0;
}

// The device comes back where it was suspended, with what it held: nothing is cut.
int faultResume(snd_pcm_ioplug_t* io)
{
    FaultPcm& p = *static_cast<FaultPcm*>(io->private_data);
    p.pendingCut = nullptr;
    logLine(p, "suspend", 0);
    faultStart(io);
    snd_pcm_ioplug_set_state(io, SND_PCM_STATE_RUNNING);
    return 0;
}

int faultPollRevents(snd_pcm_ioplug_t* io, struct pollfd* pfd, unsigned int nfds, unsigned short* revents)
{
    FaultPcm& p = *static_cast<FaultPcm*>(io->private_data);
    uint64_t ticks;
    if (nfds > 0 && read(pfd[0].fd, &ticks, sizeof ticks) < 0) ticks = 0;
    if (p.lost || io->state == SND_PCM_STATE_XRUN || io->state == SND_PCM_STATE_SUSPENDED) {
        *revents = POLLOUT | POLLERR;
        return 0;
    }
    snd_pcm_uframes_t heldFrames = p.held.size() / kFrameBytes;
    if (p.running && !p.stalled) heldFrames -= std::min<snd_pcm_uframes_t>(heldFrames, dueFrames(p));
    *revents = !p.stalled && io->buffer_size - heldFrames >= io->period_size ? POLLOUT : 0;
    return 0;
}

int faultClose(snd_pcm_ioplug_t* io)
{
    FaultPcm* p = static_cast<FaultPcm*>(io->private_data);
    if (p->out >= 0) close(p->out);
    if (p->log) std::fclose(p->log);
    if (io->poll_fd >= 0) close(io->poll_fd);
    delete p;
    return 0;
}

const snd_pcm_ioplug_callback_t kCallbacks = [] {
    snd_pcm_ioplug_callback_t c{};
    c.start = faultStart;
    c.stop = faultStop;
    c.pointer = faultPointer;
    c.transfer = faultTransfer;
    c.close = faultClose;
    c.prepare = faultPrepare;
    c.resume = faultResume;
    c.poll_revents = faultPollRevents;
    return c;
}();

int setConstraints(snd_pcm_ioplug_t* io)
{
    const unsigned access[] = {SND_PCM_ACCESS_RW_INTERLEAVED};
    const unsigned format[] = {SND_PCM_FORMAT_S16_LE};
    int err;
    if ((err = snd_pcm_ioplug_set_param_list(io, SND_PCM_IOPLUG_HW_ACCESS, 1, access)) < 0 ||
        (err = snd_pcm_ioplug_set_param_list(io, SND_PCM_IOPLUG_HW_FORMAT, 1, format)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_CHANNELS, 2, 2)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_RATE, 8000, 48000)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_BUFFER_BYTES, kMinBufferBytes, kMaxBufferBytes)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, kMinPeriodBytes, kMaxBufferBytes / 2)) < 0 ||
        (err = snd_pcm_ioplug_set_param_minmax(io, SND_PCM_IOPLUG_HW_PERIODS, 2, 1024)) < 0)
        return err;
    return 0;
}

struct Settings {
    const char* file = nullptr;
    const char* log = nullptr;
    const char* faults = "";
};

int readSettings(snd_config_t* conf, Settings& s)
{
    snd_config_iterator_t i, next;
    snd_config_for_each(i, next, conf)
    {
        snd_config_t* n = snd_config_iterator_entry(i);
        const char* id;
        if (snd_config_get_id(n, &id) < 0) continue;
        if (!std::strcmp(id, "comment") || !std::strcmp(id, "type") || !std::strcmp(id, "hint")) continue;
        const char** target = !std::strcmp(id, "file") ? &s.file
                              : !std::strcmp(id, "log") ? &s.log
                              : !std::strcmp(id, "faults") ? &s.faults : nullptr;
        if (!target || snd_config_get_string(n, target) < 0) {
            SNDERR("z3dfault: unknown or bad field %s", id);
            return -EINVAL;
        }
    }
    return s.file ? 0 : -EINVAL;
}

int openFaultPcm(snd_pcm_t** pcmp, const char* name, snd_config_t* conf, snd_pcm_stream_t stream, int mode)
{
    Settings s;
    if (stream != SND_PCM_STREAM_PLAYBACK || readSettings(conf, s) < 0) return -EINVAL;
    FaultPcm* p = new FaultPcm;
    if (!parseFaults(s.faults, p->faults)) {
        SNDERR("z3dfault: bad faults \"%s\"", s.faults);
        delete p;
        return -EINVAL;
    }
    p->out = open(s.file, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    p->log = s.log ? std::fopen(s.log, "a") : nullptr;
    int timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    itimerspec tick{{0, kTickNs}, {0, kTickNs}};
    if (p->out < 0 || timer < 0 || timerfd_settime(timer, 0, &tick, nullptr) < 0) {
        if (timer >= 0) close(timer);
        p->io.poll_fd = -1;
        p->io.private_data = p;
        faultClose(&p->io);
        return -errno;
    }
    p->io.version = SND_PCM_IOPLUG_VERSION;
    p->io.name = "z3dfault: a test device that fails on schedule";
    p->io.poll_fd = timer;
    p->io.poll_events = POLLIN;
    p->io.callback = &kCallbacks;
    p->io.private_data = p;
    int err = snd_pcm_ioplug_create(&p->io, name, stream, mode);
    if (err < 0) {
        faultClose(&p->io);
        return err;
    }
    if ((err = setConstraints(&p->io)) < 0) {
        snd_pcm_ioplug_delete(&p->io);
        return err;
    }
    *pcmp = p->io.pcm;
    return 0;
}

}  // namespace

extern "C" {

SND_PCM_PLUGIN_DEFINE_FUNC(z3dfault)
{
    (void)root;
    return openFaultPcm(pcmp, name, conf, stream, mode);
}

SND_PCM_PLUGIN_SYMBOL(z3dfault);
}
