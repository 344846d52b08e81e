#include "calendar/civil_time.h"

#include <cstdio>

#include "calendar/text.h"

namespace selenarc {

using namespace std::chrono;

CivilDateTime CivilDateTime::fromInstant(sys_time<minutes> t) {
    const sys_days day = floor<days>(t);
    return {day, t - day};
}

CivilDateTime makeDateTime(int year, int month, int day, int hour, int minute) {
    const CivilDate date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                         std::chrono::day{static_cast<unsigned>(day)}};
    return {sys_days{date}, hours{hour} + minutes{minute}};
}

static CivilDate clipDay(year_month ym, std::chrono::day d) {
    const std::chrono::day last = year_month_day_last{ym.year(), month_day_last{ym.month()}}.day();
    return {ym.year(), ym.month(), d > last ? last : d};
}

CivilDate addYearsClipped(CivilDate date, int years) {
    return clipDay(year_month{date.year() + std::chrono::years{years}, date.month()}, date.day());
}

CivilDate addMonthsClipped(CivilDate date, int months) {
    return clipDay(year_month{date.year(), date.month()} + std::chrono::months{months}, date.day());
}

CivilDateTime addMonthsClipped(const CivilDateTime& dateTime, int months) {
    return {sys_days{addMonthsClipped(CivilDate{dateTime.day}, months)}, dateTime.timeOfDay};
}

long daysBetween(CivilDate a, CivilDate b) {
    return (sys_days{b} - sys_days{a}).count();
}

std::optional<CivilDate> parseDayMonthYear(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') {
        return std::nullopt;
    }
    auto number = [&](size_t from, size_t count) {
        return parseWholeNumber<int>(text.substr(from, count)).value_or(-1);
    };
    const int d = number(0, 2), m = number(3, 2), y = number(6, 4);
    if (d < 0 || m < 0 || y < 0) {
        return std::nullopt;
    }
    const CivilDate date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                         std::chrono::day{static_cast<unsigned>(d)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

std::string formatDayMonthYear(CivilDate date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", unsigned(date.day()), unsigned(date.month()),
                  int(date.year()));
    return text;
}

std::string formatSortable(CivilDate date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02u/%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return text;
}

std::string formatDayMonthYearTime(const CivilDateTime& dateTime) {
    const auto minutesOfDay = dateTime.timeOfDay.count();
    char text[32];
    std::snprintf(text, sizeof text, "%02ldh%02ld", long(minutesOfDay / 60), long(minutesOfDay % 60));
    return formatDayMonthYear(CivilDate{dateTime.day}) + " " + text;
}

}  // namespace selenarc
