#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "calendar/civil_time.h"
#include "sky/sign_names.h"

namespace selenarc {

// One accepted line (motion code "R" or "D") of an ingress file (so.txt, su.txt, sj.txt, ss.txt):
// from `date` on, the body stands in `sign`.
struct IngressLine {
    CivilDate date{};
    SignIndex sign = 0;  // 1..12
    // " HH:MM" after column 12, when the line has it; minutes kept small, for the Moon's table is long
    std::optional<std::chrono::duration<int16_t, std::ratio<60>>> timeUT;
    int lineNumber = 0;  // 1-based, for messages
};

struct IngressTable {
    std::string fileName;               // "so.txt", ...
    std::vector<IngressLine> accepted;  // in file order
};

// One line of the lunation file sl.txt.
struct LunationLine {
    int number = 0;                    // lunation number, columns 1-4
    std::array<SignIndex, 4> signs{};  // signs of columns 6..9 (NL, PQ, PL, DQ); 0 when blank
    int lineNumber = 0;
};

struct LunationTable {
    std::string fileName;             // "sl.txt"
    std::vector<LunationLine> lines;  // in file order
};

struct EphemerisTables {
    IngressTable sun, moon, jupiter, saturn;
    LunationTable lunations;
};

}  // namespace selenarc
