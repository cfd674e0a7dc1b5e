#include "ppm_file.h"

#include <cstdio>

bool writePpm(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    bool ok = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
    return std::fclose(file) == 0 && ok;
}
