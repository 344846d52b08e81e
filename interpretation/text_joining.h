#pragma once

#include <string>
#include <string_view>

namespace selenarc {

// Line break of the interpretation texts (carriage return, line feed).
inline constexpr std::string_view kLineBreak = "\r\n";

// The parts one after the other, nothing between them.
template <typename... Parts>
std::string join(const Parts&... parts) {
    std::string text;
    (text.append(std::string_view(parts)), ...);
    return text;
}

// Paragraph key of numbered pieces: keyOf("SOLEIL", 5, 2) is "SOLEIL-5-2".
template <typename... Numbers>
std::string keyOf(std::string_view prefix, Numbers... numbers) {
    std::string key(prefix);
    ((key += '-', key += std::to_string(numbers)), ...);
    return key;
}

// A SignIndex that names a sign (1 = Bélier .. 12 = Poisson).
constexpr bool isKnownSign(int sign) {
    return sign >= 1 && sign <= 12;
}

}  // namespace selenarc
