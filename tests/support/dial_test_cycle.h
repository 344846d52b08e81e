#pragma once

// Soli-lunar cycles and planet tables built directly from the phase formulas, for the dial tests.

#include <array>
#include <string>

#include "calendar/civil_time.h"
#include "calendar/message_sink.h"
#include "cycles/life_date.h"
#include "cycles/phase_table.h"
#include "cycles/planet_cycle_table.h"
#include "sky/lunar_phases.h"

namespace selenarc::testing {

inline MessageSink silentSink() {
    return [](const Message&) {};
}

// The 21 phase rows of the lunation in progress at birth and the five after it; row r's sign
// is "r mod 12 + 1" unless the caller overwrites it.
inline SoliLunarCycle makeCycle(const CivilDateTime& birthUT) {
    SoliLunarCycle cycle;
    cycle.BirthUT = birthUT;
    cycle.birthDate = CivilDate{birthUT.day};
    // Julian day of the universal time (JD 2440587.5 = 1970-01-01 0h).
    cycle.BirthJD = 2440587.5 + birthUT.day.time_since_epoch().count() + birthUT.timeOfDay.count() / 1440.0;
    cycle.BirthLunation = LunationAt(cycle.BirthJD);
    constexpr std::array<double (*)(int32_t), 4> kQuarters{NewMoonJD, FirstQuarterJD, FullMoonJD,
                                                           LastQuarterJD};
    PhaseTable& t = cycle.table;
    for (int r = 1; r <= 21; ++r) {
        t.PhaseJD[r] = kQuarters[(r - 1) % 4](cycle.BirthLunation + (r - 1) / 4);
        const ProgressedDate p = progressedLifeDate(t.PhaseJD[r], birthUT, silentSink());
        t.LifeDate[r] = p.lifeDate;
        t.LifeDateText[r] = formatSortable(CivilDate{p.lifeDate.day});
        t.PhaseAge[r] = static_cast<int16_t>(p.days);
        t.PhaseSign[r] = static_cast<SignIndex>(r % 12 + 1);
    }
    return cycle;
}

// Planet table of a birth on 01/01/1950 from its boundaries; the signs of row k are
// "(k + j) mod 12 + 1" in the first `filledRows` rows.
template <size_t N>
PlanetCycleTable makePlanetTable(const std::array<const char*, N>& dates, const std::array<int16_t, N>& ages,
                                 int filledRows) {
    PlanetCycleTable table;
    for (size_t i = 0; i < N; ++i) {
        table.BoundaryDate[i] = *parseDayMonthYear(dates[i]);
        table.BoundaryText[i] = dates[i];
        table.BoundaryAge[i] = ages[i];
    }
    for (int k = 0; k < filledRows; ++k) {
        for (int j = 1; j <= 4; ++j) {
            table.QuarterSign[k][j] = static_cast<SignIndex>((k + j) % 12 + 1);
        }
    }
    table.cycleCount = static_cast<int>(N) - 1;
    return table;
}

// Jupiter: boundaries as the cycle computation gives them; row 7 never filled.
inline PlanetCycleTable makeJupiterTable1950() {
    return makePlanetTable<8>({"01/01/1950", "12/12/1961", "23/11/1973", "03/11/1985", "14/10/1997",
                               "25/09/2009", "05/09/2021", "16/08/2033"},
                              {0, 11, 23, 35, 47, 59, 71, 83}, 7);
}

// Saturn: 17/06/1979, 01/12/2008, 17/05/2038; all four rows filled.
inline PlanetCycleTable makeSaturnTable1950() {
    return makePlanetTable<4>({"01/01/1950", "17/06/1979", "01/12/2008", "17/05/2038"}, {0, 29, 58, 88}, 4);
}

}  // namespace selenarc::testing
