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

}  // namespace selenarc
