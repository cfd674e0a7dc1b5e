#include "platform/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

void holdStandardDescriptors()
{
    // Write-only for stdin, read-only for stdout and stderr: what the program does with them still fails.
    const int kHoldingFlags[] = {O_WRONLY, O_RDONLY, O_RDONLY};
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1) continue;
        // The lowest free descriptor is fd itself, as every lower one is open.
        int held = open("/dev/null", kHoldingFlags[fd]);
        if (held != fd && held >= 0) close(held);
    }
}
