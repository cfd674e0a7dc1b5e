/* Preloaded into the demo by the e2e tests: counts glClear calls (one per frame drawn) and
 * glViewport calls (one per window set up or resized) into a file of two 64-bit counters,
 * named by Z3D_GL_COUNTS, that the tests read while the demo runs. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

enum { kFrames, kViewports, kCounters };

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

void glClear(GLbitfield mask)
{
    static void (*real)(GLbitfield);
    if (!real) real = (void (*)(GLbitfield))dlsym(RTLD_NEXT, "glClear");
    count(kFrames);
    real(mask);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    static void (*real)(GLint, GLint, GLsizei, GLsizei);
    if (!real) real = (void (*)(GLint, GLint, GLsizei, GLsizei))dlsym(RTLD_NEXT, "glViewport");
    count(kViewports);
    real(x, y, width, height);
}
