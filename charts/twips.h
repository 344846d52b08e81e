#pragma once

namespace selenarc {

// Layout measures are twips (1/1440 inch); 15 twips make one device-independent pixel at 100 %,
// and Qt scales pixels for high-DPI screens.
inline constexpr int kTwipsPerPixel = 15;

inline constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

}  // namespace selenarc
