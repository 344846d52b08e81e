#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/birth_moment.h"
#include "calendar/civil_time.h"
#include "calendar/message_sink.h"
#include "cycles/phase_table.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

struct SoliLunarResult {
    SoliLunarCycle cycle;
    std::vector<std::string>
        cycleEntries;            // "Cycle prép. : jusqu'à 12 ans", "1er cycle : jusqu'à 42 ans", ...
    int currentCycleEntry = -1;  // the entry of the cycle that contains today, -1 when none
    int16_t currentCycle = -1;   // the cycle of today, 0 preparatory .. 3; -1 when none
};

// The progressed lunation of a person: the lunation in progress at birth and the five new moons
// after it, each phase placed in life by the day-for-a-year rule, the cycle list and the cycle of
// today. `now` is the present local date and time.
SoliLunarResult calcul_soli_lunaire(const BirthMoment& birth, const CivilDateTime& now,
                                    const LunationTable& sl, const MessageSink& sink);

// SignIndex of the new moon that opens cycle 1..5 (1 = preparatory); 0 when its sign is unknown
// or there is no such cycle.
int16_t openingNewMoonSign(const PhaseTable& table, int cycleNumber);

}  // namespace selenarc
