#include "sky/sign_names.h"

#include <array>

namespace selenarc {

std::string SignName(SignIndex sign) {
    static constexpr std::array<const char*, 12> kNames{"Bélier",     "Taureau",    "Gémeaux", "Cancer",
                                                        "Lion",       "Vierge",     "Balance", "Scorpion",
                                                        "Sagittaire", "Capricorne", "Verseau", "Poisson"};
    if (sign < 1 || sign > 12) {
        return {};
    }
    return kNames[sign - 1];
}

std::string signText(SignIndex sign) {
    return sign == 0 ? std::string() : std::to_string(sign);
}

SignIndex signIndexOfDigit(char c) {
    if (c >= '1' && c <= '9') {
        return static_cast<SignIndex>(c - '0');
    }
    if (c >= 'A' && c <= 'C') {
        return static_cast<SignIndex>(10 + (c - 'A'));
    }
    return 0;
}

}  // namespace selenarc
