#include "platform/crtc_changes.h"

#include <algorithm>

namespace {

std::vector<CrtcSetting> readCrtcs(Display* display)
{
    std::vector<CrtcSetting> settings;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) return settings;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (!info) continue;
        settings.push_back({resources->crtcs[i], info->mode, info->x, info->y, info->rotation,
                            std::vector<RROutput>(info->outputs, info->outputs + info->noutput)});
        XRRFreeCrtcInfo(info);
    }
    XRRFreeScreenResources(resources);
    return settings;
}

bool sameSetting(const CrtcSetting& a, const CrtcSetting& b)
{
    return a.mode == b.mode && a.x == b.x && a.y == b.y && a.rotation == b.rotation;
}

const CrtcSetting* settingOf(const std::vector<CrtcSetting>& settings, RRCrtc crtc)
{
    auto found = std::find_if(settings.begin(), settings.end(), [&](const CrtcSetting& s) { return s.crtc == crtc; });
    return found == settings.end() ? nullptr : &*found;
}

CrtcChange* changeOf(std::vector<CrtcChange>& changes, RRCrtc crtc)
{
    auto found = std::find_if(changes.begin(), changes.end(), [&](const CrtcChange& c) { return c.set.crtc == crtc; });
    return found == changes.end() ? nullptr : &*found;
}

}  // namespace

void noteChangeComing(Display* display, CrtcChanges& changes)
{
    changes.before = readCrtcs(display);
    changes.pending = true;
}

void noteChangeDone(Display* display, CrtcChanges& changes)
{
    if (!changes.pending) return;
    changes.pending = false;
    for (const CrtcSetting& now : readCrtcs(display)) {
        const CrtcSetting* was = settingOf(changes.before, now.crtc);
        if (!was || sameSetting(*was, now)) continue;
        CrtcChange* earlier = changeOf(changes.made, now.crtc);
        // Changed again from what the program itself had set: what it gives back stays the first.
        if (earlier && sameSetting(earlier->set, *was)) earlier->set = now;
        else if (earlier) *earlier = {*was, now};
        else changes.made.push_back({*was, now});
    }
}

void undoChanges(Display* display, CrtcChanges& changes)
{
    noteChangeDone(display, changes);
    std::vector<CrtcSetting> now = readCrtcs(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) return;
    for (const CrtcChange& change : changes.made) {
        const CrtcSetting* is = settingOf(now, change.set.crtc);
        // Given back already, or set since by someone else: not ours to change.
        if (!is || !sameSetting(*is, change.set)) continue;
        const CrtcSetting& was = change.was;
        XRRSetCrtcConfig(display, resources, was.crtc, CurrentTime, was.x, was.y, was.mode, was.rotation,
                         const_cast<RROutput*>(was.outputs.data()), static_cast<int>(was.outputs.size()));
    }
    XRRFreeScreenResources(resources);
    XSync(display, False);
}
