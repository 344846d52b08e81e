#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/civil_time.h"
#include "cycles/planet_cycle_table.h"
#include "cycles/run_state.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

// What one planet computation gives the main window: the table the dial is drawn from, the texts
// of the cycle list ("1er cycle : jusqu'à 11 ans", ...) and the entry to select (-1: today lies
// in no cycle, nothing is selected or drawn).
struct PlanetCycleResult {
    PlanetCycleTable table;
    std::vector<std::string> comboEntries;
    int selectedIndex = -1;
};

// Seven Jupiter cycles of 11 years, 11 months and 11 days from the birth date Text1 ("JJ/MM/AAAA",
// surrounding blanks ignored), with Jupiter's sign from the ingress table at each quarter point.
// Writes NatalJupiterSign (0 when the table does not reach back before the birth) and
// CurrentJupiterCycle (0 when today lies in no cycle).
PlanetCycleResult calcul_jupiter(std::string_view Text1, CivilDate today, const IngressTable& sj,
                                 RunState& state);

// Three Saturn cycles of 29 years and 167 days, the same way; writes NatalSaturnSign,
// CurrentSaturnCycle and CurrentAge (present year minus birth year).
PlanetCycleResult calcul_saturne(std::string_view Text1, CivilDate today, const IngressTable& ss,
                                 RunState& state);

// The last quarter instant the Jupiter or Saturn computation reads its table for, for a birth on
// `birth` (the second square of the last span filled): how far past a birth the table must reach.
CivilDate lastJupiterQuarter(CivilDate birth);
CivilDate lastSaturnQuarter(CivilDate birth);

}  // namespace selenarc
