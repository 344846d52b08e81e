#include "charts/sign_picture_files.h"

#include <array>

namespace selenarc {

namespace {

constexpr std::array<const char*, 12> kSignStems{"belier",     "taureau",    "gemeaux", "cancer",
                                                 "lion",       "vierge",     "balance", "scorpion",
                                                 "sagittaire", "capricorne", "verseau", "poissons"};

}  // namespace

std::string signPictureFile(int sign) {
    if (sign < 1 || sign > 12) {
        return {};
    }
    return "signs/" + std::string(sign < 10 ? "0" : "") + std::to_string(sign) + "_" + kSignStems[sign - 1] +
           ".svg";
}

}  // namespace selenarc
