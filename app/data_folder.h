#pragma once

#include <filesystem>
#include <string>

namespace selenarc {

// The folder of the person files: "selenarc" under the user's application-data folder, or under the
// program's folder when that cannot be used.
struct DataFolder {
    std::filesystem::path path;  // the folder last tried, named in messages when it is unusable
    bool usable = false;         // false when neither folder could be created
};

inline constexpr const char* kDataFolderName = "selenarc";

// Start-up: `base` is what the desktop gives as the per-user data folder (may be empty or blank).
// Creates "<base>/selenarc" if needed, else falls back to "<programFolder>/selenarc". Never throws.
DataFolder prepareDataFolder(const std::string& base, const std::filesystem::path& programFolder);

}  // namespace selenarc
