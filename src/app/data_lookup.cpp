#include "app/data_lookup.h"

#include <filesystem>
#include <system_error>

#include "platform/report.h"

namespace {

// The file that tells a data folder: every run needs the scene, the other files are optional.
const char* const kSceneFile = "scenedemo.3DS";
const char* const kInstalledFolder = "share/zephal3d";

bool holdsScene(const std::filesystem::path& folder)
{
    std::error_code error;
    return std::filesystem::exists(folder / kSceneFile, error);
}

}  // namespace

std::string installedDataFolder(const std::string& exePath)
{
    std::filesystem::path prefix = std::filesystem::path(exePath).parent_path().parent_path();
    return (prefix / kInstalledFolder).lexically_normal().string();
}

bool findDataFolder(std::string& dataDir)
{
    if (!dataDir.empty() || holdsScene(".")) return true;
    std::error_code error;
    std::filesystem::path here = std::filesystem::current_path(error);
    std::string tried = "the working directory \"" + here.string() + "\"";
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        std::string installed = installedDataFolder(exe.string());
        if (holdsScene(installed)) {
            dataDir = installed;
            return true;
        }
        tried += ", \"" + installed + "\"";
    }
    report("no data", std::string(kSceneFile) + " is in none of " + tried + "; name the folder with --data DIR");
    return false;
}
