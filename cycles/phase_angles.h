#pragma once

#include <cstdint>

#include "calendar/civil_time.h"
#include "calendar/message_sink.h"
#include "cycles/phase_table.h"

namespace selenarc {

// Phase angle (radians, 0..2π) of a date-time within the progressed lunation that contains it:
// lunations are searched from the birth lunation, backwards for a date before the first
// phase row, at most kAngleSearchLunations of them (about 3,000 years of life) either way;
// 0 when none of them contains it.
inline constexpr int32_t kAngleSearchLunations = 100;
float angle_date(const SoliLunarCycle& cycle, const CivilDateTime& d, const MessageSink& sink);

// Where the birth and today stand in their progressed lunations, whether or not a cycle gets drawn.
struct PhaseAngles {
    float birth = 0.0f;
    float today = 0.0f;
};
PhaseAngles phaseAngles(const SoliLunarCycle& cycle, const CivilDateTime& now, const MessageSink& sink);

}  // namespace selenarc
