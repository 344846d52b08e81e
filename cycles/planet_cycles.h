#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/civil_time.h"
#include "cycles/planet_cycle_table.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

inline constexpr int kJupiterCycles = 7;
inline constexpr int kSaturnCycles = 3;

// What one planet computation gives: the table the dial is drawn from, the texts of the cycle list
// ("1er cycle : jusqu'à 11 ans", ...), the entry to select (-1: today lies in no cycle, nothing is
// selected or drawn), the planet's natal sign (0 when the table does not reach back before the
// birth) and the cycle of today (0 when today lies in no cycle).
struct PlanetCycleResult {
    PlanetCycleTable table;
    std::vector<std::string> comboEntries;
    int selectedIndex = -1;
    int16_t natalSign = 0;
    int16_t currentCycle = 0;
};

// Seven Jupiter cycles of 11 years, 11 months and 11 days from the local birth date, with Jupiter's sign from
// the ingress table at each quarter point.
PlanetCycleResult calcul_jupiter(CivilDate birth, CivilDate today, const IngressTable& sj);

// Three Saturn cycles of 29 years and 167 days, the same way.
PlanetCycleResult calcul_saturne(CivilDate birth, CivilDate today, const IngressTable& ss);

// The age the texts give: present year minus birth year.
int16_t yearsSinceBirth(CivilDate birth, CivilDate today);

// The last quarter instant the Jupiter or Saturn computation reads its table for, for a birth on
// `birth` (the second square of the last span filled): how far past a birth the table must reach.
CivilDate lastJupiterQuarter(CivilDate birth);
CivilDate lastSaturnQuarter(CivilDate birth);

}  // namespace selenarc
