#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calendar/civil_time.h"
#include "sky/sign_names.h"

namespace selenarc {

// The soli-lunar cycle table: rows 1..21 used (row 0 never). Row 4j+1..4j+4 are the new moon,
// first quarter, full moon and last quarter of lunation BirthLunation + j; row 21 the new moon
// of BirthLunation + 5.
struct PhaseTable {
    static constexpr int kRows = 22;
    std::array<double, kRows> PhaseJD{};
    std::array<std::string, kRows> PhaseText;     // JulianDayToDate of PhaseJD
    std::array<CivilDateTime, kRows> LifeDate{};  // the date of life the phase stands for
    std::array<std::string, kRows> LifeDateText;  // "yyyy/mm/dd"
    std::array<int16_t, kRows> PhaseAge{};        // whole calendar days birth -> phase, read as years
    std::array<SignIndex, kRows> PhaseSign{};     // 0 when the table has no sign
};

// What the soli-lunar computation leaves for the dial and the window.
struct SoliLunarCycle {
    PhaseTable table;
    CivilDateTime BirthUT{};  // birth moment in universal time, to the minute
    CivilDate birthDate{};    // the local birth date, as typed: ages shown on the dial count from it
    int32_t BirthLunation = 0;
    double BirthJD = 0.0;  // Julian day of the universal-time birth moment, to the second
};

}  // namespace selenarc
