#pragma once

#include <string>

#include "calendar/event_row.h"

namespace selenarc {

// The person under study: exactly what the main window's entry fields hold (UTF-8 texts).
struct PersonRecord {
    static constexpr int kDefaultTimeZoneRow = 13;
    static constexpr int kEventRows = selenarc::kEventRows;

    std::string t_prenom;
    std::string t_nom;
    std::string Text1 = "01/01/1950";       // birth date
    std::string Text2 = "12h00";            // birth time, local
    int timeZoneRow = kDefaultTimeZoneRow;  // selected row of Combo1, 0..25
    EventRows events;
};

}  // namespace selenarc
