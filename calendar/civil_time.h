#pragma once

#include <chrono>
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace selenarc {

// Calendar dates of the life computations: proleptic Gregorian, one day count underneath.
using CivilDate = std::chrono::year_month_day;

// A date and a time of day to the minute, no time zone attached.
struct CivilDateTime {
    std::chrono::sys_days day{};
    std::chrono::minutes timeOfDay{0};  // 0 .. 1439

    auto operator<=>(const CivilDateTime&) const = default;
    std::chrono::sys_time<std::chrono::minutes> instant() const { return day + timeOfDay; }
    static CivilDateTime fromInstant(std::chrono::sys_time<std::chrono::minutes> t);
};

CivilDateTime makeDateTime(int year, int month, int day, int hour = 0, int minute = 0);

// Same month and day in another year; a day the month lacks (29 February) becomes its last day.
CivilDate addYearsClipped(CivilDate date, int years);
// Calendar months added, the day clipped to the length of the target month.
CivilDate addMonthsClipped(CivilDate date, int months);
CivilDateTime addMonthsClipped(const CivilDateTime& dateTime, int months);

// Whole calendar days from a to b (negative when b is earlier): midnights crossed.
long daysBetween(CivilDate a, CivilDate b);

// "JJ/MM/AAAA" with digits at the fixed places and an existing Gregorian date, else nothing.
std::optional<CivilDate> parseDayMonthYear(std::string_view text);
std::string formatDayMonthYear(CivilDate date);                     // "JJ/MM/AAAA"
std::string formatSortable(CivilDate date);                         // "yyyy/mm/dd", text order is date order
std::string formatDayMonthYearTime(const CivilDateTime& dateTime);  // "JJ/MM/AAAA HHhMM"

}  // namespace selenarc
