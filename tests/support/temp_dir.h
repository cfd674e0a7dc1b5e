#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
struct TempDir {
    std::string path;

    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "z3d-test-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~TempDir()
    {
        if (!path.empty()) std::filesystem::remove_all(path);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        FILE* f = std::fopen(file(name).c_str(), "wb");
        if (!f) return;
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
};

// The same folder, also the working directory while the object lives.
struct TempWorkDir : TempDir {
    std::filesystem::path previous = std::filesystem::current_path();

    TempWorkDir() { std::filesystem::current_path(path); }
    ~TempWorkDir() { std::filesystem::current_path(previous); }
};
