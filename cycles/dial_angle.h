#pragma once

#include <numbers>

namespace selenarc {

// Angles on the dials are radians from the start of a cycle: one turn per cycle.
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

}  // namespace selenarc
