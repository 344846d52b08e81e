#pragma once

#include <array>
#include <string>

namespace selenarc {

// One row of the persons/events panel, as typed (UTF-8 texts).
struct EventRow {
    std::string date;  // s_date(i): "JJ/MM/AAAA" or anything typed
    std::string name;  // s_pers(i)
    bool operator==(const EventRow&) const = default;
};

inline constexpr int kEventRows = 12;
using EventRows = std::array<EventRow, kEventRows>;

}  // namespace selenarc
