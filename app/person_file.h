#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "app/person_record.h"
#include "calendar/message_sink.h"

namespace selenarc {

// Person files "Prénom#Nom.atl": 27 key/value lines, Windows-1252, CR LF. The names are not stored
// inside the file: they are its name.

inline constexpr std::string_view kPersonFileExtension = ".atl";
// Anything larger is not one of our files (a full one holds well under 2 KiB).
inline constexpr std::uintmax_t kMaxPersonFileBytes = 1024 * 1024;

// --- Windows-1252 <-> UTF-8 ---
// A character Windows-1252 cannot hold, or a malformed UTF-8 sequence, is written as "?".
std::string utf8ToWindows1252(std::string_view utf8);
// True when every character of the (valid) UTF-8 text has a Windows-1252 byte.
bool fitsWindows1252(std::string_view utf8);
// The five byte values Windows-1252 leaves undefined (81 8D 8F 90 9D) become U+FFFD.
std::string windows1252ToUtf8(std::string_view bytes);

// UTF-8 text <-> path, the same on every platform.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string pathToUtf8(const std::filesystem::path& path);

// --- Names ---
// Keeps a-z, A-Z, "-" and é è ç à ù ê â û ô î, turns a blank into "_", drops everything else.
// The caller trims first.
std::string cleanPersonName(std::string_view utf8);
// cleaned first name + "#" + cleaned last name + ".atl", from the trimmed name fields.
std::string personFileName(const PersonRecord& person);

// The two name parts of a file name, as found on disk ("Jean_Pierre", "Dupont").
struct PersonFileNameParts {
    std::string first;
    std::string last;
};
// Nothing when the name does not end in ".atl" or holds no "#". The last name stops at its first ".".
std::optional<PersonFileNameParts> splitPersonFileName(std::string_view fileName);
// A name part as shown and put back into a name field: every "_" turned into a blank.
std::string displayNamePart(std::string_view part);

// --- Content ---
// The 27 lines, CR LF. In Windows-1252 when every value fits that code page (the file of earlier
// versions, byte for byte); otherwise in UTF-8 after a byte-order mark, so that nothing is lost.
std::string encodePersonFile(const PersonRecord& person);

// What reading a file's bytes found. `readable` false: the bytes are no person file (binary, empty,
// no line of the format) and nothing was applied; `problems` then holds the one reason. Otherwise
// the lines were applied and `problems` lists what was damaged, each naming its line
// ("ligne 3 : ...").
struct PersonFileReading {
    bool readable = true;
    std::vector<std::string> problems;
};

// Applies the lines of a file onto `person` (keys without regard to case; see the .cpp for the rules).
// A leading byte-order mark is skipped; text that is valid UTF-8 is read as UTF-8, any other as
// Windows-1252. Names are left alone: they come from the file name.
PersonFileReading applyPersonFileContent(std::string_view bytes, PersonRecord& person);

// The message for the problems of `reading` in `file`: "Le fichier « ... » ..." with one line per
// problem; "" when there is none.
std::string personFileProblemText(const std::filesystem::path& file, const PersonFileReading& reading);

// The characters of a name that a file name cannot keep because Windows-1252 cannot hold them
// (Greek, Chinese, emoji, ...), each once, in order of appearance. Empty for every other name.
std::vector<std::string> charactersOutsideCodePage(std::string_view utf8);

// --- Disk ---
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
