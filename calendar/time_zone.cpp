#include "calendar/time_zone.h"

#include "calendar/text.h"

namespace selenarc {

namespace {

// Value of the digits of a field; 0 when it holds anything else (the text has been checked before,
// this only keeps a stray call harmless).
int fieldValue(std::string_view text, std::size_t from, std::size_t count) {
    return from < text.size() ? parseWholeNumber<int>(text.substr(from, count)).value_or(0) : 0;
}

}  // namespace

UniversalBirthTime toUniversalTime(CivilDate localDate, std::string_view timeText, int timeZoneRow) {
    int hour = fieldValue(timeText, 0, 2) + (12 - timeZoneRow);
    std::chrono::sys_days day{localDate};
    // One day at most each way for a checked time (00..29 h) and a row of 0..25; a floor division
    // keeps any other value inside 0..23 too.
    const int dayShift = hour >= 0 ? hour / 24 : -((23 - hour) / 24);
    hour -= dayShift * 24;
    day += std::chrono::days{dayShift};
    return {CivilDate{day}, hour, fieldValue(timeText, 3, 2)};
}

}  // namespace selenarc
