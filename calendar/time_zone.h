#pragma once

#include <string_view>

#include "calendar/civil_time.h"

namespace selenarc {

// Birth date and time turned into universal time.
struct UniversalBirthTime {
    CivilDate date;
    int hour = 0;  // 0..23
    int minute = 0;
};

// Time-zone row r (0..25) stands for r - 12 hours from Greenwich: universal hour = local hour
// + (12 - r), wrapped into 0..23 with the date moved by one day. timeText is "HHhMM" as checked
// by CheckTimeText; hours 24..29 are carried into the next day the same way.
UniversalBirthTime toUniversalTime(CivilDate localDate, std::string_view timeText, int timeZoneRow);

}  // namespace selenarc
