#pragma once

#include <cstdint>
#include <string>

namespace selenarc {

// Values that one computation or drawing leaves for the others (charts, interpretations).
// Initially 0 or empty; each run or drawing overwrites its own.
struct RunState {
    int16_t NatalSunSign = 0;
    int16_t NatalMoonSign = 0;

    int16_t CurrentLunarCycle = 0;  // 0 preparatory .. 3; -1 when no cycle contains today
    std::string CurrentCycleStart;  // "yyyy/mm/dd"
    std::string CurrentCycleEnd;    // "yyyy/mm/dd"

    float BirthPhaseAngle = 0.0f;  // radians on the soli-lunar dial, 0 .. 2π
    float TodayPhaseAngle = 0.0f;
    int16_t CycleNewMoonSign = 0;

    int16_t NatalJupiterSign = 0;
    int16_t CurrentJupiterCycle = 0;
    int16_t JupiterCycleYear = 0;

    int16_t NatalSaturnSign = 0;
    int16_t CurrentSaturnCycle = 0;
    int16_t CurrentAge = 0;
};

}  // namespace selenarc
