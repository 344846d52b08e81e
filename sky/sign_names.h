#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace selenarc {

// French name of a SignIndex, 1 = "Bélier" .. 12 = "Poisson"; any other value gives "".
std::string SignName(int16_t sign);

// A SignDigit of the ephemeris tables: "A", "B", "C" become "10", "11", "12"; any other character
// is returned unchanged, as a one-character text.
std::string decodeSignDigit(char c);

// SignIndex of a SignDigit ("1".."9", "A", "B", "C"), 0 for any other character.
int16_t signIndexOfDigit(char c);

// SignIndex 1..12 written in a sign cell (surrounding blanks allowed); 0 when blank or not a sign.
int signIndexFromText(std::string_view text);

}  // namespace selenarc
