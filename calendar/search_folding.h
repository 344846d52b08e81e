#pragma once

#include <string>
#include <string_view>

namespace selenarc {

// Place names reduced for searching: Latin letters without accents and in lower case ("É" -> "e",
// "œ" -> "oe", "ß" -> "ss"), punctuation and blanks as one space between words, and the words
// "st"/"ste" read as "saint"/"sainte". Letters of other scripts are kept as they are.
// When the last word may still be being typed (openEnd), it is left unexpanded: "st" then still
// starts "Strasbourg".
std::string foldForSearch(std::string_view text, bool openEnd = false);
// The same, appended to `out` (which may already hold other keys).
void appendFolded(std::string& out, std::string_view text, bool openEnd = false);

}  // namespace selenarc
