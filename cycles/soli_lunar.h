#pragma once

#include <string>
#include <vector>

#include "calendar/birth_moment.h"
#include "calendar/civil_time.h"
#include "calendar/message_sink.h"
#include "cycles/phase_table.h"
#include "cycles/run_state.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

struct SoliLunarResult {
    SoliLunarCycle cycle;
    std::vector<std::string> Combo2;  // "Cycle prép. : jusqu'à 12 ans", "1er cycle : jusqu'à 42 ans", ...
    int Combo2Selected = -1;          // the entry of the cycle that contains today, -1 when none
};

// The progressed lunation of a person: the lunation in progress at birth and the five new moons
// after it, each phase placed in life by the day-for-a-year rule, the cycle list and the cycle of
// today (written into `state`: CurrentLunarCycle -1 and empty dates when no cycle 0..3 holds
// today). `now` is the present local date and time.
SoliLunarResult calcul_soli_lunaire(const BirthMoment& birth, const CivilDateTime& now,
                                    const LunationTable& sl, RunState& state, const MessageSink& sink);

}  // namespace selenarc
