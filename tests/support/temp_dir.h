#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "common/file_bytes.h"

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
struct TempDir {
    std::string path;

    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "z3d-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();  // a test without its folder would write where it must not
        }
        path = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(path); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }
    // False when the file could not be written whole.
    bool write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        return writeFileBytes(file(name).c_str(), bytes);
    }
};

// The same folder, also the working directory while the object lives.
struct TempWorkDir : TempDir {
    std::filesystem::path previous = std::filesystem::current_path();

    TempWorkDir() { std::filesystem::current_path(path); }
    ~TempWorkDir() { std::filesystem::current_path(previous); }
};
