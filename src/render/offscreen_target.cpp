#include "render/offscreen_target.h"

#include <cstdlib>
#include <cstring>

#include "render/black_bars.h"

namespace {

constexpr int kFramebufferObjectsSince = 3;  // GL 3.0 has them in its core

// One texture lookup a pixel, at the interpolated coordinate: what llvmpipe recognises as a blit.
const char* const kScalingVertices =
    "varying vec2 at;\n"
    "void main() { gl_Position = gl_Vertex; at = gl_MultiTexCoord0.xy; }\n";
const char* const kScalingPixels =
    "uniform sampler2D picture;\n"
    "varying vec2 at;\n"
    "void main() { gl_FragColor = texture2D(picture, at); }\n";

template <typename Function>
bool find(Function& function, const WindowSystem& lookup, const char* name)
{
    function = reinterpret_cast<Function>(glProcAddress(lookup, name));
    return function != nullptr;
}

bool lookUpFramebufferFunctions(OffscreenFunctions& gl, const WindowSystem& lookup)
{
    return find(gl.genFramebuffers, lookup, "glGenFramebuffers") &&
           find(gl.deleteFramebuffers, lookup, "glDeleteFramebuffers") &&
           find(gl.bindFramebuffer, lookup, "glBindFramebuffer") &&
           find(gl.framebufferTexture2D, lookup, "glFramebufferTexture2D") &&
           find(gl.framebufferRenderbuffer, lookup, "glFramebufferRenderbuffer") &&
           find(gl.checkFramebufferStatus, lookup, "glCheckFramebufferStatus") &&
           find(gl.genRenderbuffers, lookup, "glGenRenderbuffers") &&
           find(gl.deleteRenderbuffers, lookup, "glDeleteRenderbuffers") &&
           find(gl.bindRenderbuffer, lookup, "glBindRenderbuffer") &&
           find(gl.renderbufferStorage, lookup, "glRenderbufferStorage") &&
           find(gl.blitFramebuffer, lookup, "glBlitFramebuffer");
}

bool lookUpShaderFunctions(OffscreenFunctions& gl, const WindowSystem& lookup)
{
    return find(gl.createShader, lookup, "glCreateShader") && find(gl.shaderSource, lookup, "glShaderSource") &&
           find(gl.compileShader, lookup, "glCompileShader") && find(gl.getShaderiv, lookup, "glGetShaderiv") &&
           find(gl.deleteShader, lookup, "glDeleteShader") && find(gl.createProgram, lookup, "glCreateProgram") &&
           find(gl.attachShader, lookup, "glAttachShader") && find(gl.linkProgram, lookup, "glLinkProgram") &&
           find(gl.getProgramiv, lookup, "glGetProgramiv") && find(gl.useProgram, lookup, "glUseProgram") &&
           find(gl.deleteProgram, lookup, "glDeleteProgram");
}

bool hasExtension(const char* name)
{
    const char* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    size_t length = std::strlen(name);
    for (const char* at = list; at && (at = std::strstr(at, name)); at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

// A driver may export the functions whatever the context offers: the GL itself must say it has them.
bool offersFramebufferObjects()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return (version && std::atoi(version) >= kFramebufferObjectsSince) || hasExtension("GL_ARB_framebuffer_object");
}

// The window's depth buffer format, so that depth tests decide as they do there.
GLenum windowDepthFormat()
{
    GLint depthBits = 0, stencilBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    if (stencilBits > 0) return GL_DEPTH24_STENCIL8;
    if (depthBits > 24) return GL_DEPTH_COMPONENT32;
    return depthBits > 16 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16;
}

GLenum depthAttachment(GLenum format)
{
    return format == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
}

GLuint compileShader(const OffscreenFunctions& gl, GLenum kind, const char* source)
{
    GLuint shader = gl.createShader(kind);
    gl.shaderSource(shader, 1, &source, nullptr);
    gl.compileShader(shader);
    GLint compiled = GL_FALSE;
    gl.getShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    return compiled == GL_TRUE ? shader : (gl.deleteShader(shader), 0u);
}

GLuint linkScalingProgram(const OffscreenFunctions& gl)
{
    GLuint vertices = compileShader(gl, GL_VERTEX_SHADER, kScalingVertices);
    GLuint pixels = compileShader(gl, GL_FRAGMENT_SHADER, kScalingPixels);
    GLuint program = 0;
    if (vertices && pixels) {
        program = gl.createProgram();
        gl.attachShader(program, vertices);
        gl.attachShader(program, pixels);
        gl.linkProgram(program);
        GLint linked = GL_FALSE;
        gl.getProgramiv(program, GL_LINK_STATUS, &linked);
        if (linked != GL_TRUE) gl.deleteProgram(program), program = 0;
    }
    // The program keeps them until it is deleted.
    if (vertices) gl.deleteShader(vertices);
    if (pixels) gl.deleteShader(pixels);
    return program;
}

// Leaves the picture's framebuffer bound. BGRA, the window's own order, and asked for without a
// size, as only then does Mesa store it as given: llvmpipe's fast path draws into that alone.
bool openPicture(const OffscreenFunctions& gl, OffscreenPicture& picture, int width, int height)
{
    picture = {0, 0, width, height};
    glGenTextures(1, &picture.colour);
    glBindTexture(GL_TEXTURE_2D, picture.colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    gl.genFramebuffers(1, &picture.framebuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
    gl.framebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture.colour, 0);
    return gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void closePicture(const OffscreenFunctions& gl, OffscreenPicture& picture)
{
    if (picture.framebuffer) gl.deleteFramebuffers(1, &picture.framebuffer);
    if (picture.colour) glDeleteTextures(1, &picture.colour);
    picture = {};
}

bool openShowPicture(OffscreenTarget& t)
{
    bool complete = openPicture(t.gl, t.show, t.width, t.height);
    GLenum depthFormat = windowDepthFormat();
    t.gl.genRenderbuffers(1, &t.depth);
    t.gl.bindRenderbuffer(GL_RENDERBUFFER, t.depth);
    t.gl.renderbufferStorage(GL_RENDERBUFFER, depthFormat, t.width, t.height);
    t.gl.framebufferRenderbuffer(GL_FRAMEBUFFER, depthAttachment(depthFormat), GL_RENDERBUFFER, t.depth);
    complete = complete && t.gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    t.gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    return complete;
}

// The window-sized picture for this fit, its bars black; false when the GL cannot make one.
bool holdWindowPicture(OffscreenTarget& t, const PictureFit& fit)
{
    if (t.window.framebuffer && t.windowFit == fit) return true;
    if (t.window.width != fit.framebufferWidth || t.window.height != fit.framebufferHeight) {
        closePicture(t.gl, t.window);
        if (!openPicture(t.gl, t.window, fit.framebufferWidth, fit.framebufferHeight)) {
            closePicture(t.gl, t.window);
            return false;
        }
    }
    t.gl.bindFramebuffer(GL_FRAMEBUFFER, t.window.framebuffer);
    glViewport(0, 0, t.window.width, t.window.height);
    clearToBlack();
    t.windowFit = fit;
    return true;
}

// The show's picture over the fit's rectangle of the bound framebuffer, through the program;
// the show's own state as it was. Upside down, it is stored row for row as the window is.
void scaleShowPicture(const OffscreenTarget& t, const PictureFit& fit, bool upsideDown)
{
    int y = upsideDown ? fit.framebufferHeight - fit.y - fit.height : fit.y;
    float bottom = upsideDown ? 1.0f : 0.0f, top = 1.0f - bottom;
    glViewport(fit.x, y, fit.width, fit.height);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_DITHER);
    glBindTexture(GL_TEXTURE_2D, t.show.colour);
    t.gl.useProgram(t.scaling);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, bottom), glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, bottom), glVertex2f(1.0f, -1.0f);
    glTexCoord2f(0.0f, top), glVertex2f(-1.0f, 1.0f);
    glTexCoord2f(1.0f, top), glVertex2f(1.0f, 1.0f);
    glEnd();
    t.gl.useProgram(0);
    glPopAttrib();
}

}  // namespace

bool openOffscreenTarget(OffscreenTarget& target, int width, int height, const WindowSystem& lookup,
                         const char*& why)
{
    target = {};
    if (!offersFramebufferObjects() || !lookUpFramebufferFunctions(target.gl, lookup) ||
        !lookUpShaderFunctions(target.gl, lookup)) {
        why = "this GL has no framebuffer objects and shaders to scale with";
        target.gl = {};
        return false;
    }
    target.width = width;
    target.height = height;
    target.scaling = linkScalingProgram(target.gl);
    if (target.scaling && openShowPicture(target)) return true;
    why = target.scaling ? "the GL cannot draw into a framebuffer object of that size"
                         : "the GL cannot compile the scaling's shaders";
    closeOffscreenTarget(target);
    return false;
}

void closeOffscreenTarget(OffscreenTarget& target)
{
    if (target.show.framebuffer) {
        closePicture(target.gl, target.show);
        closePicture(target.gl, target.window);
        target.gl.deleteRenderbuffers(1, &target.depth);
    }
    if (target.scaling) target.gl.deleteProgram(target.scaling);
    target = {};
}

bool drawsIntoTarget(const OffscreenTarget& target, const PictureFit& fit)
{
    return target.show.framebuffer && (target.width != fit.width || target.height != fit.height);
}

void drawIntoTarget(const OffscreenTarget& target)
{
    target.gl.bindFramebuffer(GL_FRAMEBUFFER, target.show.framebuffer);
    glViewport(0, 0, target.width, target.height);
}

void showTarget(OffscreenTarget& target, const PictureFit& fit)
{
    const auto& gl = target.gl;
    if (holdWindowPicture(target, fit)) {
        gl.bindFramebuffer(GL_FRAMEBUFFER, target.window.framebuffer);
        scaleShowPicture(target, fit, true);
        // The window's rows are stored top row first: copied upside down, the picture moves as
        // bytes, where the same way up each pixel would be drawn again.
        gl.bindFramebuffer(GL_READ_FRAMEBUFFER, target.window.framebuffer);
        gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        gl.blitFramebuffer(0, fit.framebufferHeight, fit.framebufferWidth, 0, 0, 0, fit.framebufferWidth,
                           fit.framebufferHeight, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    } else {
        // Without memory for the window-sized picture: straight into the window, bars and all.
        gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, fit.framebufferWidth, fit.framebufferHeight);
        clearToBlack();
        scaleShowPicture(target, fit, false);
    }
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(fit.x, fit.y, fit.width, fit.height);
}
