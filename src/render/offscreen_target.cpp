#include "render/offscreen_target.h"

#include <cstdlib>
#include <cstring>

#include "state/picture_fit.h"

namespace {

constexpr int kFramebufferObjectsSince = 3;  // GL 3.0 has them in its core

template <typename Function>
bool find(Function& function, const WindowSystem& lookup, const char* name)
{
    function = reinterpret_cast<Function>(glProcAddress(lookup, name));
    return function != nullptr;
}

bool lookUpFunctions(OffscreenTarget& t, const WindowSystem& lookup)
{
    return find(t.genFramebuffers, lookup, "glGenFramebuffers") &&
           find(t.deleteFramebuffers, lookup, "glDeleteFramebuffers") &&
           find(t.bindFramebuffer, lookup, "glBindFramebuffer") &&
           find(t.framebufferRenderbuffer, lookup, "glFramebufferRenderbuffer") &&
           find(t.checkFramebufferStatus, lookup, "glCheckFramebufferStatus") &&
           find(t.genRenderbuffers, lookup, "glGenRenderbuffers") &&
           find(t.deleteRenderbuffers, lookup, "glDeleteRenderbuffers") &&
           find(t.bindRenderbuffer, lookup, "glBindRenderbuffer") &&
           find(t.renderbufferStorage, lookup, "glRenderbufferStorage") &&
           find(t.blitFramebuffer, lookup, "glBlitFramebuffer");
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

GLuint attachRenderbuffer(OffscreenTarget& t, GLenum format, GLenum attachment)
{
    GLuint name = 0;
    t.genRenderbuffers(1, &name);
    t.bindRenderbuffer(GL_RENDERBUFFER, name);
    t.renderbufferStorage(GL_RENDERBUFFER, format, t.width, t.height);
    t.framebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, name);
    return name;
}

}  // namespace

bool openOffscreenTarget(OffscreenTarget& target, int width, int height, const WindowSystem& lookup,
                         const char*& why)
{
    target = {};
    if (!offersFramebufferObjects() || !lookUpFunctions(target, lookup)) {
        why = "this GL has no framebuffer objects with glBlitFramebuffer";
        target = {};
        return false;
    }
    target.width = width;
    target.height = height;
    target.genFramebuffers(1, &target.framebuffer);
    target.bindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    target.colour = attachRenderbuffer(target, GL_RGBA8, GL_COLOR_ATTACHMENT0);
    GLenum depthFormat = windowDepthFormat();
    target.depth = attachRenderbuffer(target, depthFormat, depthAttachment(depthFormat));
    bool complete = target.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    target.bindFramebuffer(GL_FRAMEBUFFER, 0);
    if (complete) return true;
    why = "the GL cannot draw into a framebuffer object of that size";
    closeOffscreenTarget(target);
    return false;
}

void closeOffscreenTarget(OffscreenTarget& target)
{
    if (target.framebuffer) {
        target.deleteFramebuffers(1, &target.framebuffer);
        target.deleteRenderbuffers(1, &target.colour);
        target.deleteRenderbuffers(1, &target.depth);
    }
    target = {};
}

void drawIntoTarget(const OffscreenTarget& target)
{
    target.bindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, target.width, target.height);
}

void showTarget(const OffscreenTarget& target, const PictureFit& fit)
{
    target.bindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
    target.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // At its own size linear filtering would only add the rounding of its weights.
    bool sameSize = target.width == fit.width && target.height == fit.height;
    target.blitFramebuffer(0, 0, target.width, target.height, fit.x, fit.y, fit.x + fit.width, fit.y + fit.height,
                           GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    target.bindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(fit.x, fit.y, fit.width, fit.height);
}
