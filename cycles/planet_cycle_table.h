#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calendar/civil_time.h"
#include "sky/sign_names.h"

namespace selenarc {

// Jupiter or Saturn cycle table: boundary i is the end of cycle i (0 = birth date);
// QuarterSign row k holds the signs at the quarter points of the span starting at boundary k,
// columns 1..4 (conjunction, first square, opposition, second square), column 0 unused.
struct PlanetCycleTable {
    static constexpr int kBoundaries = 11;
    static constexpr int kQuarterRows = 8;
    std::array<CivilDate, kBoundaries> BoundaryDate{};
    std::array<std::string, kBoundaries> BoundaryText;  // "JJ/MM/AAAA"
    std::array<int16_t, kBoundaries> BoundaryAge{};
    std::array<std::array<SignIndex, 5>, kQuarterRows> QuarterSign{};  // 0 when unknown
    int cycleCount = 0;                                                // 7 for Jupiter, 3 for Saturn
};

}  // namespace selenarc
