#pragma once

#include <filesystem>
#include <vector>

namespace selenarc {

// The folder that holds the program's data (ephemeris tables, sign pictures, paragraphs).
// Search order, first folder holding "sl.txt" wins:
//   1. <executable folder>/data           (a build or a copied folder with its data beside it)
//   2. <executable folder>/../share/selenarc (an installed program)
//   3. the install prefix's share/selenarc, as configured at build time
//   4. the source tree's data/ folder      (running straight from a build tree)
// When none holds the tables, the first candidate is returned; reading the tables then reports it.
std::vector<std::filesystem::path> programFolderCandidates(const std::filesystem::path& executableFolder);
std::filesystem::path findProgramFolder(const std::filesystem::path& executableFolder);

}  // namespace selenarc
