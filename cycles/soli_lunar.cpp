#include "cycles/soli_lunar.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "calendar/julian_day.h"
#include "cycles/life_date.h"
#include "sky/lunar_phases.h"
#include "sky/sign_names.h"

namespace selenarc {

namespace {

constexpr int kLastRow = 21;
constexpr int kLunations = 6;  // k .. k + 5

// A sign column of the lunation table; a blank column (or none) is no sign.
// Lunations k .. k + 5 from the table lines in file order: a later line for the same lunation
// overwrites, reading stops at the line of k + 5, an absent lunation leaves its rows blank.
std::array<SignIndex, PhaseTable::kRows> phaseSigns(const LunationTable& sl, int32_t k) {
    std::array<SignIndex, PhaseTable::kRows> signs{};
    for (const LunationLine& line : sl.lines) {
        const int64_t j = int64_t{line.number} - k;
        if (j >= 0 && j < kLunations - 1) {
            for (int phase = 0; phase < 4; ++phase) {
                signs[4 * j + phase + 1] = line.signs[phase];
            }
        } else if (j == kLunations - 1) {
            signs[kLastRow] = line.signs[0];
            break;
        }
    }
    return signs;
}

double phaseInstant(int row, int32_t k) {
    const int32_t lunation = k + (row - 1) / 4;
    switch ((row - 1) % 4) {
        case 0:
            return NewMoonJD(lunation);
        case 1:
            return FirstQuarterJD(lunation);
        case 2:
            return FullMoonJD(lunation);
        default:
            return LastQuarterJD(lunation);
    }
}

int16_t toAge(long days) {
    return static_cast<int16_t>(
        std::clamp<long>(days, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

// Cycle c runs from the new moon of row 4c + 1 to that of row 4c + 5, both days included; the
// first match wins, so a closing day belongs to the earlier cycle. Cycle 4 is not searched.
std::optional<int> cycleOfToday(const PhaseTable& table, std::chrono::sys_days today) {
    for (int c = 0; c <= 3; ++c) {
        if (table.LifeDate[4 * c + 1].day <= today && today <= table.LifeDate[4 * c + 5].day) {
            return c;
        }
    }
    return std::nullopt;
}

constexpr std::array<const char*, 5> kCycleLabels{"Cycle prép. : jusqu'à ", "1er cycle : jusqu'à ",
                                                  "2ème cycle : jusqu'à ", "3ème cycle : jusqu'à ",
                                                  "4ème cycle : jusqu'à "};
constexpr int kOldestListedAge = 100;

}  // namespace

SoliLunarResult calcul_soli_lunaire(const BirthMoment& birth, const CivilDateTime& now,
                                    const LunationTable& sl, const MessageSink& sink) {
    SoliLunarResult result;

    SoliLunarCycle& cycle = result.cycle;
    cycle.birthDate = birth.localDate;
    cycle.BirthUT = birth.universal;
    const CivilDate utDate{birth.universal.day};
    const auto hour = std::chrono::duration_cast<std::chrono::hours>(birth.universal.timeOfDay);
    const auto minute = birth.universal.timeOfDay - hour;
    cycle.BirthJD =
        julianDayFromFields(int(utDate.year()), static_cast<int32_t>(unsigned(utDate.month())),
                            static_cast<int32_t>(unsigned(utDate.day())), static_cast<int32_t>(hour.count()),
                            static_cast<int32_t>(minute.count())) +
        static_cast<double>(birth.extraSeconds.count()) / 86400.0;
    const int32_t k = LunationAt(cycle.BirthJD);
    cycle.BirthLunation = k;

    PhaseTable& table = cycle.table;
    table.PhaseSign = phaseSigns(sl, k);
    for (int row = 1; row <= kLastRow; ++row) {
        table.PhaseJD[row] = phaseInstant(row, k);
        table.PhaseText[row] = JulianDayToDate(table.PhaseJD[row], sink);
        // Its message, if any, came with the text.
        const ProgressedDate life = progressedLifeDate(table.PhaseJD[row], cycle.BirthUT, MessageSink{});
        table.LifeDate[row] = life.lifeDate;
        table.LifeDateText[row] = formatSortable(CivilDate{life.lifeDate.day});
        table.PhaseAge[row] = toAge(life.days);
    }

    // A plain number rather than the optional: at -O3 GCC reads the empty optional's payload
    // before its flag, which valgrind reports as a jump on an uninitialised value.
    const int current = cycleOfToday(table, now.day).value_or(-1);
    result.currentCycle = static_cast<int16_t>(current);

    // Entries older than 100 years are left out, except the one of today's cycle.
    for (int c = 0; c < static_cast<int>(kCycleLabels.size()); ++c) {
        const int16_t age = table.PhaseAge[4 * c + 5];
        const bool isCurrent = current == c;
        if (age <= kOldestListedAge || isCurrent) {
            if (isCurrent) {
                result.currentCycleEntry = static_cast<int>(result.cycleEntries.size());
            }
            result.cycleEntries.push_back(kCycleLabels[c] + std::to_string(age) + " ans");
        }
    }
    return result;
}

int16_t openingNewMoonSign(const PhaseTable& table, int cycleNumber) {
    if (cycleNumber < 1 || cycleNumber > 5) {
        return 0;
    }
    return table.PhaseSign[4 * (cycleNumber - 1) + 1];
}

}  // namespace selenarc
