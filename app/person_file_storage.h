#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/person_file.h"

// Person files on disk: reading one whole, and the list of a folder. Writing is in person_file_save.h.
namespace selenarc {

// Anything larger is not one of our files (a full one holds well under 2 KiB).
inline constexpr std::uintmax_t kMaxPersonFileBytes = 1024 * 1024;

// The whole file, or nothing with a French message naming it (missing, not a regular file (a folder,
// a pipe, a device: never opened, so never waited on), unreadable, too large).
std::optional<std::string> readPersonFileBytes(const std::filesystem::path& file, std::string& error);

// A person file outside the window (report command): names from the file name, then the lines applied
// onto a cleared record (empty date and time, default time-zone row, empty rows). Nothing, with the
// message in `error`, when the file cannot be read or is no person file; `notes` receives the message
// about a damaged but readable file ("" when sound).
std::optional<PersonRecord> readPersonFile(const std::filesystem::path& file, std::string& error,
                                           std::string* notes = nullptr);

// --- Listing ---
struct PersonListEntry {
    std::string display;   // first + " " + last, "_" shown as blanks
    std::string fileName;  // the file in the data folder
};
// The "*.atl" files of `folder` that have a "#" (directories skipped), sorted alphabetically without
// regard to case or accents. An unreadable folder gives an empty list.
std::vector<PersonListEntry> listPersonFiles(const std::filesystem::path& folder);
// Sort key: lower case, accents removed, so that "Émile" sorts with "emile".
std::string foldForSorting(std::string_view utf8);

}  // namespace selenarc
