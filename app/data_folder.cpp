#include "app/data_folder.h"

#include <system_error>

#include "app/person_file.h"
#include "calendar/text.h"

namespace selenarc {

namespace {

// The folder exists afterwards (created with its parents if needed), or false.
bool ensureFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

}  // namespace

DataFolder prepareDataFolder(const std::string& base, const std::filesystem::path& programFolder) {
    if (const std::string_view trimmedBase = trimmed(base); !trimmedBase.empty()) {
        const auto folder = pathFromUtf8(trimmedBase) / kDataFolderName;
        if (ensureFolder(folder)) {
            return {folder, true};
        }
    }
    const auto fallback = programFolder / kDataFolderName;
    return {fallback, ensureFolder(fallback)};
}

}  // namespace selenarc
