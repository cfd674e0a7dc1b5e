#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <vector>

// What the keeper knows of the display's CRTCs, over its own connection: their settings, and the
// changes its program made to them, which are all it gives back (another program's mode is not ours).

struct CrtcSetting {
    RRCrtc crtc;
    RRMode mode;
    int x, y;
    Rotation rotation;
    std::vector<RROutput> outputs;
};

struct CrtcChange {
    CrtcSetting was;  // before the program changed it
    CrtcSetting set;  // what the program set
};

struct CrtcChanges {
    std::vector<CrtcSetting> before;  // of the change under way
    bool pending = false;             // a change has begun and not yet been noted as done
    std::vector<CrtcChange> made;     // one per CRTC
};

// Before and after the program changes a mode.
void noteChangeComing(Display* display, CrtcChanges& changes);
void noteChangeDone(Display* display, CrtcChanges& changes);
// Sets back every CRTC the program changed that still shows its change; a change under way
// counts as made.
void undoChanges(Display* display, CrtcChanges& changes);
