#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder that is the working directory while the object lives.
struct TempWorkDir {
    std::filesystem::path path;
    std::filesystem::path previous;

    TempWorkDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "z3d-test.XXXXXX").string();
        path = mkdtemp(pattern.data());
        previous = std::filesystem::current_path();
        std::filesystem::current_path(path);
    }
    ~TempWorkDir()
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(path);
    }
};
