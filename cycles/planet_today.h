#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "calendar/civil_time.h"
#include "cycles/planet_cycle_table.h"

namespace selenarc {

// Angles of today in every cycle 1..cycleCount that contains it, in cycle order: two on a
// boundary day (the end of one cycle, 2π, then the start of the next, 0), else one or none.
std::vector<float> todayPlanetAngles(const PlanetCycleTable& table, int cycleCount, CivilDate today);

// Today as a planet dial draws it: the date, for its note, and its angles in the cycles containing it.
struct PlanetToday {
    CivilDate date{};
    std::vector<float> angles;
};
PlanetToday planetToday(const PlanetCycleTable& table, int cycleCount, CivilDate today);

// Share of the cycle containing today, as a dial angle, among cycles 1..cycleCount; on a
// boundary day the later cycle's (0). Nothing when no cycle contains today.
std::optional<float> findTodayPlanetAngle(const PlanetCycleTable& table, int cycleCount, CivilDate today);
float todayPlanetAngle(const PlanetCycleTable& table, int cycleCount, CivilDate today);  // 0 when none

// Year 1..12 of the Jupiter cycle for a dial angle, in single-precision twelfths of a turn.
int16_t jupiterCycleYear(float angle);

}  // namespace selenarc
