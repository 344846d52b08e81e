#pragma once

#include <optional>
#include <string_view>

#include "calendar/civil_time.h"

namespace selenarc {

// The birth as the computations need it: the local calendar date and the same instant in universal
// time, to the minute.
struct BirthMoment {
    CivilDate localDate;
    CivilDateTime universal;
};

// The birth moment of entries that passed the entry checks: the date "JJ/MM/AAAA" (spaces and tabs
// around it ignored), the local time "HHhMM" and the time-zone row 0..25. Nothing when the date
// cannot be read.
std::optional<BirthMoment> readBirthMoment(std::string_view dateText, std::string_view timeText,
                                           int timeZoneRow);

}  // namespace selenarc
