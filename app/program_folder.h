#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace selenarc {

// The folder that holds the program's data (ephemeris tables, sign pictures, paragraphs).
// Search order:
//   1. <executable folder>/data           (a build or a copied folder with its data beside it)
//   2. <executable folder>/../share/selenarc (an installed program)
//   3. the install prefix's share/selenarc, as configured at build time
//   4. the source tree's data/ folder      (running straight from a build tree)
// The first complete folder wins. A folder holding only part of the data is never passed over for a
// later one: it is returned, and reading it reports what it lacks. When no folder holds anything, the
// first candidate is returned.
std::vector<std::filesystem::path> programFolderCandidates(const std::filesystem::path& executableFolder);
std::filesystem::path findProgramFolder(const std::filesystem::path& executableFolder);

// The files every data folder holds, relative to it ("/" separated): the five tables, the three
// paragraph files and the twelve sign pictures.
const std::vector<std::string>& dataFolderFiles();

// "" when `folder` holds every data file, else the message naming the folder and the first file
// it lacks.
std::string dataFolderProblem(const std::filesystem::path& folder);

}  // namespace selenarc
