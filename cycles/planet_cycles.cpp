#include "cycles/planet_cycles.h"

#include <array>
#include <optional>

#include "sky/sign_names.h"

namespace selenarc {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

// What tells the Jupiter method from the Saturn one.
struct PlanetCycleRule {
    int cycleCount;
    int addYears;  // one cycle: years (29 February clipped), then months (day clipped), then days
    int addMonths;
    int addDays;
    std::array<int, 3>
        quarterOffsets;  // days from a cycle's start to its first square, opposition, second square
    int quarterRows;     // rows of QuarterSign filled
};

// Jupiter: 11 y 11 m 11 d ≈ 11.95 years; quarters at 3, 6 and 9 times 365 days.
constexpr PlanetCycleRule kJupiterRule{kJupiterCycles, 11, 11, 11, {1095, 2190, 3285}, 7};
// Saturn: 29 y 167 d ≈ 29.46 years; quarters at 2688, 5376 and 8064 days. Row 3 covers the span
// after the third cycle, which is not listed.
constexpr PlanetCycleRule kSaturnRule{kSaturnCycles, 29, 0, 167, {2688, 5376, 8064}, 4};

std::string listPrefix(int cycle) {
    return (cycle == 1 ? std::string("1er") : std::to_string(cycle) + "ème") + " cycle : jusqu'à ";
}

CivilDate nextBoundary(CivilDate start, const PlanetCycleRule& rule) {
    CivilDate t = addYearsClipped(start, rule.addYears);
    t = addMonthsClipped(t, rule.addMonths);
    return CivilDate{sys_days{t} + days{rule.addDays}};
}

// Each quarter cell takes the sign of the last accepted line dated strictly before its instant:
// a cell is settled by the first line (in file order) dated on or after the instant, with the
// sign of the line read just before it. A cell settled before any line was read (the table
// starts on or after its instant) stays "" for good: its sign is unknown.
void fillQuarterSigns(PlanetCycleTable& table, const PlanetCycleRule& rule, const IngressTable& ingresses,
                      int16_t& natalSign) {
    constexpr int kColumns = 4;
    std::array<std::array<sys_days, kColumns>, PlanetCycleTable::kQuarterRows> instant{};
    std::array<std::array<bool, kColumns>, PlanetCycleTable::kQuarterRows> settled{};
    for (int k = 0; k < rule.quarterRows; ++k) {
        instant[k][0] = sys_days{table.BoundaryDate[k]};
        for (int j = 1; j < kColumns; ++j) {
            instant[k][j] = instant[k][0] + days{rule.quarterOffsets[j - 1]};
        }
    }
    int open = rule.quarterRows * kColumns;
    SignIndex previous = 0;
    for (const IngressLine& line : ingresses.accepted) {
        if (open == 0) {
            break;  // every cell settled: later lines change nothing
        }
        const sys_days date{line.date};
        for (int k = 0; k < rule.quarterRows; ++k) {
            for (int j = 0; j < kColumns; ++j) {
                if (settled[k][j] || date < instant[k][j]) {
                    continue;
                }
                settled[k][j] = true;
                --open;
                table.QuarterSign[k][j + 1] = previous;
                if (k == 0 && j == 0) {
                    natalSign = previous;
                }
            }
        }
        previous = line.sign;
    }
}

PlanetCycleResult computePlanetCycles(const PlanetCycleRule& rule, CivilDate birth, CivilDate today,
                                      const IngressTable& ingresses) {
    PlanetCycleResult result;
    PlanetCycleTable& table = result.table;
    table.cycleCount = rule.cycleCount;
    table.BoundaryDate[0] = birth;
    for (int i = 1; i <= rule.cycleCount; ++i) {
        table.BoundaryDate[i] = nextBoundary(table.BoundaryDate[i - 1], rule);
    }
    for (int i = 0; i <= rule.cycleCount; ++i) {
        table.BoundaryText[i] = formatDayMonthYear(table.BoundaryDate[i]);
        table.BoundaryAge[i] = static_cast<int16_t>(int(table.BoundaryDate[i].year()) - int(birth.year()));
    }

    // Both ends inclusive: a boundary day belongs to the earlier cycle.
    for (int i = 1; i <= rule.cycleCount; ++i) {
        if (table.BoundaryDate[i - 1] <= today && today <= table.BoundaryDate[i]) {
            result.currentCycle = static_cast<int16_t>(i);
            result.selectedIndex = i - 1;
            break;
        }
    }

    for (int i = 1; i <= rule.cycleCount; ++i) {
        result.comboEntries.push_back(listPrefix(i) + std::to_string(table.BoundaryAge[i]) + " ans");
    }

    fillQuarterSigns(table, rule, ingresses, result.natalSign);
    return result;
}

}  // namespace

static CivilDate lastQuarter(CivilDate birth, const PlanetCycleRule& rule) {
    CivilDate start = birth;
    for (int row = 1; row < rule.quarterRows; ++row) {
        start = nextBoundary(start, rule);
    }
    return CivilDate{sys_days{start} + days{rule.quarterOffsets.back()}};
}

CivilDate lastJupiterQuarter(CivilDate birth) {
    return lastQuarter(birth, kJupiterRule);
}
CivilDate lastSaturnQuarter(CivilDate birth) {
    return lastQuarter(birth, kSaturnRule);
}

int16_t yearsSinceBirth(CivilDate birth, CivilDate today) {
    return static_cast<int16_t>(int(today.year()) - int(birth.year()));
}

PlanetCycleResult calcul_jupiter(CivilDate birth, CivilDate today, const IngressTable& sj) {
    return computePlanetCycles(kJupiterRule, birth, today, sj);
}

PlanetCycleResult calcul_saturne(CivilDate birth, CivilDate today, const IngressTable& ss) {
    return computePlanetCycles(kSaturnRule, birth, today, ss);
}

}  // namespace selenarc
