#pragma once

#include <GL/gl.h>

#include "platform/gl_window.h"

struct PictureFit;

// A framebuffer object of its own size that the show is drawn into and that is then scaled
// (linear) into the picture's rectangle of the window: for a software GL, whose cost grows with
// the pixels. Needs GL 3.0 or ARB_framebuffer_object, whose functions are looked up at run time.
struct OffscreenTarget {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer;
    GLuint framebuffer;  // 0: no target; the show is drawn directly
    GLuint colour, depth;
    int width, height;
};

// With the window's context current: the target of width × height, its depth stored as the
// window's is, so that at the picture's own size it draws the same picture; its functions come
// from the window layer whose context it is. False with the reason
// in `why` (and no target) when the GL cannot.
bool openOffscreenTarget(OffscreenTarget& target, int width, int height, const WindowSystem& lookup,
                         const char*& why);
// Deletes the target's objects while their context is current.
void closeOffscreenTarget(OffscreenTarget& target);

// What follows is drawn into the target, over all of it.
void drawIntoTarget(const OffscreenTarget& target);
// Back to the window: the target scaled into the picture's rectangle, its viewport restored.
void showTarget(const OffscreenTarget& target, const PictureFit& fit);
