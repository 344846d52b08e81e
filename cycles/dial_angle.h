#pragma once

#include "sky/circle.h"

namespace selenarc {

// Angles on the dials are radians from the start of a cycle: one turn per cycle.
inline constexpr double kTwoPi = 2.0 * kPi;

}  // namespace selenarc
