#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/civil_time.h"
#include "calendar/gazetteer.h"
#include "calendar/legal_time.h"

namespace selenarc {

// Which reading of a local time that happened twice (clocks put back) was meant: the first, still on
// summer time, or the second.
enum class HourChoice { None, Summer, Winter };

// Where the birth took place and by which clock its time was read.
struct BirthClock {
    std::uint32_t placeId = 0;          // gazetteer identifier; 0 when a time-zone row was used
    std::string placeName;              // "Saint-Étienne (Loire, France)"; empty with a row
    std::string timeZoneId;             // "Europe/Paris"; for a row, its fixed zone "Etc/GMT-1"
    std::chrono::seconds utcOffset{0};  // local time minus universal time
    OffsetKind kind = OffsetKind::Row;
};

// The birth as the computations need it: the local calendar date and the same instant in universal
// time, to the minute, with the seconds an offset of local mean time may add.
struct BirthMoment {
    CivilDate localDate;
    CivilDateTime universal;               // cut to the minute
    std::chrono::seconds extraSeconds{0};  // 0..59, beyond `universal`
    BirthClock clock{};
};

// The birth moment of entries that passed the entry checks: the date "JJ/MM/AAAA" (spaces and tabs
// around it ignored), the local time "HHhMM" and the time-zone row 0..25. Nothing when the date
// cannot be read.
std::optional<BirthMoment> readBirthMoment(std::string_view dateText, std::string_view timeText,
                                           int timeZoneRow);

struct BirthMomentReading {
    std::optional<BirthMoment> moment;
    std::string message;  // French, when there is no moment
};

// The same at a place, by its legal time at that date: nothing and a message when the local time
// never happened, when it happened twice and `choice` does not say which, or when the zone is unknown.
BirthMomentReading readBirthMomentAt(std::string_view dateText, std::string_view timeText, const Place& place,
                                     HourChoice choice);

// The row of the time-zone list (0..25) whose offset is nearest to `offset`; the eastern one of two.
int nearestTimeZoneRow(std::chrono::seconds offset);

}  // namespace selenarc
