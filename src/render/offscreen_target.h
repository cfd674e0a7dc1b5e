#pragma once

#include <GL/gl.h>

#include "platform/gl_window.h"
#include "state/picture_fit.h"

// The GL 2.0 and 3.0 functions the target needs, looked up at run time through the window layer.
struct OffscreenFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer;
    PFNGLFRAMEBUFFERTEXTURE2DPROC framebufferTexture2D;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer;
    PFNGLCREATESHADERPROC createShader;
    PFNGLSHADERSOURCEPROC shaderSource;
    PFNGLCOMPILESHADERPROC compileShader;
    PFNGLGETSHADERIVPROC getShaderiv;
    PFNGLDELETESHADERPROC deleteShader;
    PFNGLCREATEPROGRAMPROC createProgram;
    PFNGLATTACHSHADERPROC attachShader;
    PFNGLLINKPROGRAMPROC linkProgram;
    PFNGLGETPROGRAMIVPROC getProgramiv;
    PFNGLUSEPROGRAMPROC useProgram;
    PFNGLDELETEPROGRAMPROC deleteProgram;
};

// A picture in a framebuffer object: a texture to draw into and to read from.
struct OffscreenPicture {
    GLuint framebuffer;
    GLuint colour;  // texture
    int width, height;
};

// A framebuffer object of its own size that the show is drawn into and that is then scaled
// (linear) into the picture's rectangle of the window: for a software GL, whose cost grows with
// the pixels. The scaling is one texture lookup a pixel into a window-sized picture without a
// depth buffer (the case Mesa's llvmpipe draws on its fast path, three times the speed of a
// linear glBlitFramebuffer), whose bars are cleared only when the rectangle moves, and which is
// then copied whole into the window.
struct OffscreenTarget {
    OffscreenFunctions gl;
    OffscreenPicture show;  // show.framebuffer 0: no target; the show is drawn directly
    GLuint depth;
    OffscreenPicture window;  // opened for the first frame, and again when the framebuffer's size changes
    PictureFit windowFit;  // the rectangle whose bars the window-sized picture holds
    GLuint scaling;  // the program
    int width, height;
};

// With the window's context current: the target of width × height, its depth stored as the
// window's is, so that it draws the picture the window would; its functions come from the window
// layer whose context it is. False with the reason in `why` (and no target) when the GL cannot.
bool openOffscreenTarget(OffscreenTarget& target, int width, int height, const WindowSystem& lookup,
                         const char*& why);
// Deletes the target's objects while their context is current.
void closeOffscreenTarget(OffscreenTarget& target);

// Whether a frame of this fit is drawn into the target: not at the target's own size, where the
// show drawn directly is the same picture without the copy.
bool drawsIntoTarget(const OffscreenTarget& target, const PictureFit& fit);
// What follows is drawn into the target, over all of it.
void drawIntoTarget(const OffscreenTarget& target);
// Back to the window: the target scaled into the picture's rectangle, with black bars around it,
// the whole framebuffer drawn; the viewport restored.
void showTarget(OffscreenTarget& target, const PictureFit& fit);
