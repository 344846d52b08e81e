#include "sky/sign_names.h"

#include <array>

#include "calendar/text.h"

namespace selenarc {

std::string SignName(int16_t sign) {
    static constexpr std::array<const char*, 12> kNames{"Bélier",     "Taureau",    "Gémeaux", "Cancer",
                                                        "Lion",       "Vierge",     "Balance", "Scorpion",
                                                        "Sagittaire", "Capricorne", "Verseau", "Poisson"};
    if (sign < 1 || sign > 12) {
        return {};
    }
    return kNames[sign - 1];
}

std::string decodeSignDigit(char c) {
    switch (c) {
        case 'A':
            return "10";
        case 'B':
            return "11";
        case 'C':
            return "12";
        default:
            return std::string(1, c);
    }
}

int16_t signIndexOfDigit(char c) {
    if (c >= '1' && c <= '9') {
        return static_cast<int16_t>(c - '0');
    }
    if (c >= 'A' && c <= 'C') {
        return static_cast<int16_t>(10 + (c - 'A'));
    }
    return 0;
}

int signIndexFromText(std::string_view text) {
    text = trimmed(text, " ");
    const int value = text.size() <= 2 ? parseWholeNumber<int>(text).value_or(0) : 0;
    return value >= 1 && value <= 12 ? value : 0;
}

}  // namespace selenarc
