#pragma once

#include <string>
#include <string_view>

namespace selenarc {

// Screening of what the user types. Each check returns "" for a valid text, else the French
// message to show (the caller adds the field's name and puts the focus back).

// Birth or event date "JJ/MM/AAAA": exactly 10 characters, digits and slashes in place, an
// existing Gregorian date of the years 0100..2999.
std::string CheckDateText(std::string_view text);

// Birth time "HHhMM": exactly 5 characters, lower-case "h", minutes 00..59, hours 00..29.
std::string CheckTimeText(std::string_view text);

// True when a name holds one of * ? / \ & @ % ! : # , ; .
bool hasForbiddenNameCharacter(std::string_view name);

inline constexpr const char* kLastNameForbiddenMessage =
    "Le nom ne peut contenir les caractères * ? / \\ : & @ % ! # , ; .";
inline constexpr const char* kFirstNameForbiddenMessage =
    "Le prénom ne peut contenir les caractères * ? / \\ : & @ % ! # , ; .";

}  // namespace selenarc
