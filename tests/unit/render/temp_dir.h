#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A fresh directory under /tmp that is removed with everything in it at the end of the test.
struct TempDir {
    std::string path;

    TempDir()
    {
        char pattern[] = "/tmp/z3d-render-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return path + "/" + name; }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        FILE* f = std::fopen(file(name).c_str(), "wb");
        if (!f) return;
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
};
