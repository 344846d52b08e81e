#pragma once

#include <cstdint>
#include <string>

#include "calendar/birth_moment.h"
#include "calendar/event_row.h"

namespace selenarc {

// The place of birth as chosen: the gazetteer's identifier and the name shown. None: the row is used.
struct PlaceEntry {
    std::uint32_t id = 0;  // 0 when only a name was typed
    std::string name;      // "Saint-Étienne (Loire, France)", or a name to look up

    bool empty() const { return id == 0 && name.empty(); }
    bool operator==(const PlaceEntry&) const = default;
};

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
    PlaceEntry birthPlace;                       // with a place, its legal time replaces the row
    HourChoice repeatedHour = HourChoice::None;  // which reading of a time that happened twice
    bool operator==(const PersonRecord&) const = default;
};

}  // namespace selenarc
