#include "calendar/time_zone.h"

namespace selenarc {

namespace {

// Value of the digits of a field; a character that is not a digit counts as 0 (the text has been
// checked before, this only keeps a stray call harmless).
int fieldValue(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count && i < text.size(); ++i) {
        const char c = text[i];
        value = value * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
    }
    return value;
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
