#include "app/program_folder.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "charts/sign_picture_files.h"

namespace selenarc {

namespace {

bool holds(const std::filesystem::path& folder, const std::string& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / file, error);
}

}  // namespace

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
    const auto& files = dataFolderFiles();
    for (const auto& folder : candidates) {
        if (std::any_of(files.begin(), files.end(), [&](const auto& file) { return holds(folder, file); })) {
            std::error_code error;
            return std::filesystem::weakly_canonical(folder, error);
        }
    }
    return candidates.front();
}

const std::vector<std::string>& dataFolderFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> all{"so.txt",
                                     "su.txt",
                                     "sj.txt",
                                     "ss.txt",
                                     "sl.txt",
                                     "interpretation/cycle-de-vie.txt",
                                     "interpretation/jupiter.txt",
                                     "interpretation/saturne.txt"};
        for (int sign = 1; sign <= 12; ++sign) {
            all.push_back(signPictureFile(sign));
        }
        return all;
    }();
    return files;
}

std::string dataFolderProblem(const std::filesystem::path& folder) {
    for (const std::string& file : dataFolderFiles()) {
        if (!holds(folder, file)) {
            const std::u8string shown = folder.u8string();
            return "Le dossier de données « " + std::string(shown.begin(), shown.end()) +
                   " » est incomplet : il y manque « " + file + " ».";
        }
    }
    return {};
}

}  // namespace selenarc
