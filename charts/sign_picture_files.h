#pragma once

#include <string>

namespace selenarc {

// "signs/01_belier.svg" .. "signs/12_poissons.svg" for SignIndex 1..12, relative to the data folder
// ("/" separated); "" for any other value.
std::string signPictureFile(int sign);

}  // namespace selenarc
