/* Preloaded into the demo by the e2e tests: counts glClear calls (one per frame drawn) and
 * glViewport calls (one per window set up or resized), and at every frame asks GL how many
 * texture objects the current context holds, into a file of three 64-bit counters, named by
 * Z3D_GL_COUNTS, that the tests read while the demo runs. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

enum { kFrames, kViewports, kTextures, kCounters };

/* The highest texture name the demo generated or bound: names are handed out from 1 upwards, so
 * every texture object of a context has a name up to this one. */
static GLuint highestName;

static volatile uint64_t* counters(void)
{
    static volatile uint64_t* mapped;
    static int tried;
    if (!tried) {
        tried = 1;
        const char* path = getenv("Z3D_GL_COUNTS");
        int fd = path ? open(path, O_RDWR | O_CREAT, 0644) : -1;
        size_t size = kCounters * sizeof(uint64_t);
        if (fd >= 0 && ftruncate(fd, (off_t)size) == 0) {
            void* p = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            if (p != MAP_FAILED) mapped = p;
        }
        if (fd >= 0) close(fd);
    }
    return mapped;
}

static void count(int which)
{
    volatile uint64_t* c = counters();
    if (c) c[which]++;
}

/* Mesa's driver is unloaded when the display is closed at exit; kept loaded, the leak checker of a
 * sanitizer build can name it in its reports (and tests/sanitizers/lsan.supp can pass over them). */
static int pinDriver(struct dl_phdr_info* info, size_t size, void* data)
{
    (void)size;
    (void)data;
    if (info->dlpi_name && strstr(info->dlpi_name, "_dri.so")) dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    return 0;
}

/* Once a context is current, its driver is loaded. */
static void pinDriverOnce(void)
{
    static int pinned;
    if (pinned) return;
    pinned = 1;
    dl_iterate_phdr(pinDriver, NULL);
}

static void noteName(GLuint name)
{
    if (name > highestName) highestName = name;
}

/* GL's own answer: the names that are texture objects in the current context. */
static void countTextures(void)
{
    volatile uint64_t* c = counters();
    if (!c) return;
    uint64_t alive = 0;
    for (GLuint name = 1; name <= highestName; ++name) alive += glIsTexture(name) ? 1 : 0;
    c[kTextures] = alive;
}

void glClear(GLbitfield mask)
{
    static void (*real)(GLbitfield);
    if (!real) real = (void (*)(GLbitfield))dlsym(RTLD_NEXT, "glClear");
    pinDriverOnce();
    count(kFrames);
    countTextures();
    real(mask);
}

void glGenTextures(GLsizei n, GLuint* names)
{
    static void (*real)(GLsizei, GLuint*);
    if (!real) real = (void (*)(GLsizei, GLuint*))dlsym(RTLD_NEXT, "glGenTextures");
    real(n, names);
    for (GLsizei i = 0; i < n; ++i) noteName(names[i]);
}

void glBindTexture(GLenum target, GLuint name)
{
    static void (*real)(GLenum, GLuint);
    if (!real) real = (void (*)(GLenum, GLuint))dlsym(RTLD_NEXT, "glBindTexture");
    noteName(name);
    real(target, name);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    static void (*real)(GLint, GLint, GLsizei, GLsizei);
    if (!real) real = (void (*)(GLint, GLint, GLsizei, GLsizei))dlsym(RTLD_NEXT, "glViewport");
    pinDriverOnce();
    count(kViewports);
    real(x, y, width, height);
}
