#pragma once

#include <array>
#include <string>

namespace selenarc {

// The person under study: exactly what the main window's entry fields hold (UTF-8 texts).
struct EventRow {
    std::string date;  // s_date(i): "JJ/MM/AAAA" or anything typed
    std::string name;  // s_pers(i)
};

struct PersonRecord {
    static constexpr int kDefaultTimeZoneRow = 13;
    static constexpr int kEventRows = 12;

    std::string t_prenom;
    std::string t_nom;
    std::string Text1 = "01/01/1950";       // birth date
    std::string Text2 = "12h00";            // birth time, local
    int timeZoneRow = kDefaultTimeZoneRow;  // selected row of Combo1, 0..25
    std::array<EventRow, kEventRows> events;
};

}  // namespace selenarc
