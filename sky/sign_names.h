#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace selenarc {

// A sign of the zodiac: 1 = Bélier .. 12 = Poissons; 0 where no sign is known.
using SignIndex = int16_t;

// French name of a SignIndex, 1 = "Bélier" .. 12 = "Poisson"; any other value gives "".
std::string SignName(SignIndex sign);

// A sign as the report writes it: "1".."12", or "" for 0.
std::string signText(SignIndex sign);

// SignIndex of a SignDigit of the ephemeris tables ("1".."9", "A", "B", "C"), 0 for any other character.
constexpr SignIndex signIndexOfDigit(char c) {
    if (c >= '1' && c <= '9') {
        return static_cast<SignIndex>(c - '0');
    }
    if (c >= 'A' && c <= 'C') {
        return static_cast<SignIndex>(10 + (c - 'A'));
    }
    return 0;
}

}  // namespace selenarc
