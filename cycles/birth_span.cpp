#include "cycles/birth_span.h"

#include "cycles/planet_cycles.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "sky/lunar_phases.h"

namespace selenarc {

using std::chrono::days;
using std::chrono::sys_days;

namespace {

// The universal birth day is at most one day from the local birth date.
constexpr days kZoneMargin{1};

struct DayRange {
    sys_days first;
    sys_days last;
};
constexpr DayRange kNoDay{sys_days{days{1}}, sys_days{days{0}}};

// First day of [lo, hi] where `reached` holds, `reached` being false then true over the range.
template <typename Predicate>
std::optional<sys_days> firstDayWhere(sys_days lo, sys_days hi, Predicate reached) {
    if (lo > hi || !reached(hi)) {
        return std::nullopt;
    }
    while (lo < hi) {
        const sys_days mid = lo + (hi - lo) / 2;
        if (reached(mid)) {
            hi = mid;
        } else {
            lo = mid + days{1};
        }
    }
    return lo;
}

// An ingress before the birth instant and one after it, the birth being anywhere in the universal days
// next to the local birth date.
DayRange natalRange(const IngressTable& table) {
    const auto& lines = table.accepted;
    return {sys_days{lines.front().date} + kZoneMargin + days{1},
            sys_days{lines.back().date} - kZoneMargin - days{1}};
}

// An ingress strictly before the birth date (the sign at birth) and one on or after the last quarter point.
DayRange planetRange(const IngressTable& table, CivilDate (*lastQuarter)(CivilDate)) {
    const sys_days first = sys_days{table.accepted.front().date} + days{1};
    const sys_days lastLine{table.accepted.back().date};
    const auto beyond = firstDayWhere(
        first, lastLine, [&](sys_days d) { return sys_days{lastQuarter(CivilDate{d})} > lastLine; });
    return {first, beyond ? *beyond - days{1} : lastLine};
}

// Lunation in progress on a civil day (its noon stands for the whole day).
int32_t lunationOfDay(sys_days d) {
    constexpr double kJulianDayOfEpochNoon = 2440588.0;  // 1970-01-01 12h UT
    return LunationAt(kJulianDayOfEpochNoon + d.time_since_epoch().count());
}

// Civil day of the new moon of lunation k (1970-01-01 0h UT is Julian day 2440587.5).
sys_days newMoonDay(int32_t k) {
    return sys_days{days{static_cast<long>(std::floor(NewMoonJD(k) - 2440587.5))}};
}

// Lunations k .. k + 5 present for the birth lunation k, from the longest run of consecutive numbers.
DayRange lunationRange(const LunationTable& table) {
    int32_t bestFirst = table.lines.front().number, bestLast = bestFirst;
    int32_t runFirst = bestFirst, previous = bestFirst;
    for (const LunationLine& line : table.lines) {
        if (line.number > previous + 1) {
            runFirst = line.number;
        }
        previous = line.number;
        if (previous - runFirst > bestLast - bestFirst) {
            bestFirst = runFirst;
            bestLast = previous;
        }
    }
    const days search{60};
    const auto first = firstDayWhere(newMoonDay(bestFirst) - search, newMoonDay(bestFirst) + search,
                                     [&](sys_days d) { return lunationOfDay(d) >= bestFirst; });
    const int32_t lastBirthLunation = bestLast - 5;
    const auto beyond =
        firstDayWhere(newMoonDay(lastBirthLunation) - search, newMoonDay(lastBirthLunation + 1) + search,
                      [&](sys_days d) { return lunationOfDay(d) > lastBirthLunation; });
    if (!first || !beyond || lastBirthLunation < bestFirst) {
        return kNoDay;
    }
    return {*first + kZoneMargin, *beyond - days{1} - kZoneMargin};
}

CivilDate firstWholeYear(CivilDate date) {
    using namespace std::chrono;
    return date.month() == January && date.day() == day{1}
               ? date
               : CivilDate{date.year() + years{1}, January, day{1}};
}

CivilDate lastWholeYear(CivilDate date) {
    using namespace std::chrono;
    return date.month() == December && date.day() == day{31}
               ? date
               : CivilDate{date.year() - years{1}, December, day{31}};
}

}  // namespace

BirthSpan supportedBirthSpan(const EphemerisTables& tables) {
    const IngressTable* ingress[] = {&tables.sun, &tables.moon, &tables.jupiter, &tables.saturn};
    if (tables.lunations.lines.empty() ||
        std::any_of(std::begin(ingress), std::end(ingress), [](auto* t) { return t->accepted.empty(); })) {
        return {CivilDate{kNoDay.first}, CivilDate{kNoDay.last}};
    }
    const DayRange ranges[] = {
        natalRange(tables.sun), natalRange(tables.moon), planetRange(tables.jupiter, lastJupiterQuarter),
        planetRange(tables.saturn, lastSaturnQuarter), lunationRange(tables.lunations)};
    DayRange all = ranges[0];
    for (const DayRange& range : ranges) {
        all.first = std::max(all.first, range.first);
        all.last = std::min(all.last, range.last);
    }
    if (all.first > all.last) {
        return {CivilDate{all.first}, CivilDate{all.last}};
    }
    return {firstWholeYear(CivilDate{all.first}), lastWholeYear(CivilDate{all.last})};
}

bool isInBirthSpan(const BirthSpan& span, CivilDate birthDate) {
    return sys_days{span.first} <= sys_days{birthDate} && sys_days{birthDate} <= sys_days{span.last};
}

std::string birthSpanMessage(const BirthSpan& span) {
    return "Date de naissance : hors des tables (du " + formatDayMonthYear(span.first) + " au " +
           formatDayMonthYear(span.last) + ")";
}

}  // namespace selenarc
