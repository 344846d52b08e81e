#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/data_folder.h"
#include "app/person_record.h"
#include "app/windows1252.h"
#include "calendar/message_sink.h"

namespace selenarc {

// Person files "Prénom#Nom.atl": 27 key/value lines, Windows-1252, CR LF, then "LIE=" (birthplace) and
// "HEU=" (reading of a repeated hour) when there are some. The names are not stored inside the file:
// they are its name.

inline constexpr std::string_view kPersonFileExtension = ".atl";

// UTF-8 text <-> path, the same on every platform.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string pathToUtf8(const std::filesystem::path& path);
// The path between French quotes, for messages: "« Jean#Dupont.atl »".
std::string quotedPath(const std::filesystem::path& path);

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
// The 27 lines and the place lines, CR LF. In Windows-1252 when every value fits that code page (the file of
// earlier versions, byte for byte); otherwise in UTF-8 after a byte-order mark, so that nothing is lost.
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

}  // namespace selenarc
