#pragma once

#include <string>

#include "calendar/event_row.h"

namespace selenarc {

// The person under study: exactly what the main window's entry fields hold (UTF-8 texts).
struct PersonRecord {
    static constexpr int kDefaultTimeZoneRow = 13;
    static constexpr int kEventRows = selenarc::kEventRows;

    std::string firstName;
    std::string lastName;
    std::string birthDate = "01/01/1950";   // birth date
    std::string birthTime = "12h00";        // birth time, local
    int timeZoneRow = kDefaultTimeZoneRow;  // selected row of the time-zone list, 0..25
    EventRows events;
    bool operator==(const PersonRecord&) const = default;
};

}  // namespace selenarc
