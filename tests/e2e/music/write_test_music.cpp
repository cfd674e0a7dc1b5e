#include <cstdio>
#include <cstdlib>

#include "support/test_music.h"

// write_test_music OUT.mp3 RATE TONE_SECONDS SILENCE_SECONDS: the test music, encoded by shineenc.
int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: write_test_music OUT.mp3 RATE TONE_SECONDS SILENCE_SECONDS\n");
        return 2;
    }
    if (!writeTestMp3(argv[1], std::atoi(argv[2]), std::atof(argv[3]), std::atof(argv[4]))) {
        std::fprintf(stderr, "write_test_music: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
