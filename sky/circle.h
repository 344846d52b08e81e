#pragma once

#include <numbers>

namespace selenarc {

// The program's one π; angles are radians.
inline constexpr double kPi = std::numbers::pi;

inline constexpr double degreesToRadians(double degrees) {
    return degrees * (kPi / 180.0);
}

}  // namespace selenarc
