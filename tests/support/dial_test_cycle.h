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

// Julian day of a universal-time date-time (JD 2440587.5 = 1970-01-01 0h).
inline double julianDayOf(const CivilDateTime& t) {
    return 2440587.5 + t.day.time_since_epoch().count() + t.timeOfDay.count() / 1440.0;
}

// The 21 phase rows of the lunation in progress at birth and the five after it; row r's sign
// is "r mod 12 + 1" unless the caller overwrites it.
inline SoliLunarCycle makeCycle(const CivilDateTime& birthUT) {
    SoliLunarCycle cycle;
    cycle.BirthUT = birthUT;
    cycle.BirthJD = julianDayOf(birthUT);
    cycle.BirthLunation = LunationAt(cycle.BirthJD);
    const auto sink = silentSink();
    PhaseTable& t = cycle.table;
    for (int r = 1; r <= 21; ++r) {
        const int32_t k = cycle.BirthLunation + (r - 1) / 4;
        switch ((r - 1) % 4) {
            case 0:
                t.PhaseJD[r] = NewMoonJD(k);
                break;
            case 1:
                t.PhaseJD[r] = FirstQuarterJD(k);
                break;
            case 2:
                t.PhaseJD[r] = FullMoonJD(k);
                break;
            default:
                t.PhaseJD[r] = LastQuarterJD(k);
        }
        const ProgressedDate p = progressedLifeDate(t.PhaseJD[r], birthUT, sink);
        t.LifeDate[r] = p.lifeDate;
        t.LifeDateText[r] = formatSortable(CivilDate{p.lifeDate.day});
        t.PhaseAge[r] = static_cast<int16_t>(p.days);
        t.PhaseSign[r] = std::to_string(r % 12 + 1);
    }
    return cycle;
}

// Jupiter table of a birth on 01/01/1950: boundaries as the cycle computation gives them, signs
// of row k = k + 1 (row 7 never filled).
inline PlanetCycleTable makeJupiterTable1950() {
    PlanetCycleTable table;
    const std::array<const char*, 8> dates{"01/01/1950", "12/12/1961", "23/11/1973", "03/11/1985",
                                           "14/10/1997", "25/09/2009", "05/09/2021", "16/08/2033"};
    const std::array<int16_t, 8> ages{0, 11, 23, 35, 47, 59, 71, 83};
    for (int i = 0; i < 8; ++i) {
        table.BoundaryDate[i] = *parseDayMonthYear(dates[i]);
        table.BoundaryText[i] = dates[i];
        table.BoundaryAge[i] = ages[i];
    }
    for (int k = 0; k < 7; ++k) {
        for (int j = 1; j <= 4; ++j) {
            table.QuarterSign[k][j] = std::to_string((k + j) % 12 + 1);
        }
    }
    table.cycleCount = 7;
    return table;
}

// Saturn table of the same birth: 17/06/1979, 01/12/2008, 17/05/2038; all four rows filled.
inline PlanetCycleTable makeSaturnTable1950() {
    PlanetCycleTable table;
    const std::array<const char*, 4> dates{"01/01/1950", "17/06/1979", "01/12/2008", "17/05/2038"};
    const std::array<int16_t, 4> ages{0, 29, 58, 88};
    for (int i = 0; i < 4; ++i) {
        table.BoundaryDate[i] = *parseDayMonthYear(dates[i]);
        table.BoundaryText[i] = dates[i];
        table.BoundaryAge[i] = ages[i];
        for (int j = 1; j <= 4; ++j) {
            table.QuarterSign[i][j] = std::to_string((i + j) % 12 + 1);
        }
    }
    table.cycleCount = 3;
    return table;
}

}  // namespace selenarc::testing
