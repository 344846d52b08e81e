#pragma once

#include <string>
#include <string_view>

namespace selenarc {

// The text (UTF-8) set in French typography, so that the paragraph files can be typed on any keyboard:
// - an apostrophe between two letters becomes ’; quotes '…' and "…" become « … »;
// - a narrow no-break space before ; ! ? and » and after «, a no-break space before : (never
//   between two digits, as in 10:30), and between a number and its unit (« 29 ans », « 10 mois »);
//   a blank already there is replaced, a missing one is added;
// - "..." becomes …, and a "- " that opens a line (an item of a list) becomes "– ";
// - the blanks that end a line go (a piece joined to the next one ends with a blank).
// Anything else, malformed UTF-8 included, passes through unchanged. Applying it twice changes nothing.
std::string frenchTypography(std::string_view text);

}  // namespace selenarc
