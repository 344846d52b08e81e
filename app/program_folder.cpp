#include "app/program_folder.h"

#include <system_error>

namespace selenarc {

std::vector<std::filesystem::path> programFolderCandidates(const std::filesystem::path& executableFolder) {
    return {
        executableFolder / "data",
        executableFolder / ".." / "share" / "selenarc",
        std::filesystem::path(SELENARC_INSTALL_DATA_DIR),
        std::filesystem::path(SELENARC_SOURCE_DATA_DIR),
    };
}

std::filesystem::path findProgramFolder(const std::filesystem::path& executableFolder) {
    const auto candidates = programFolderCandidates(executableFolder);
    for (const auto& folder : candidates) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / "sl.txt", error)) {
            return std::filesystem::weakly_canonical(folder, error);
        }
    }
    return candidates.front();
}

}  // namespace selenarc
