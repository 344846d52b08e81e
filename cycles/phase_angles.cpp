#include "cycles/phase_angles.h"

#include <cstdlib>
#include <optional>

#include "cycles/dial_angle.h"
#include "cycles/life_date.h"
#include "sky/lunar_phases.h"

namespace selenarc {

// Life date of the new moon of lunation k (one day after birth for a year, two hours for a month).
static CivilDateTime newMoonLifeDate(const SoliLunarCycle& cycle, int32_t k, const MessageSink& sink) {
    return progressedLifeDate(NewMoonJD(k), cycle.BirthUT, sink).lifeDate;
}

float angle_date(const SoliLunarCycle& cycle, const CivilDateTime& d, const MessageSink& sink) {
    const bool backwards = d < cycle.table.LifeDate[1];
    const int32_t step = backwards ? -1 : 1;
    // Consecutive lunations share a new moon: the one computed last is kept for the next turn.
    std::optional<CivilDateTime> shared;
    for (int32_t n = 0; n <= kAngleSearchLunations; ++n) {
        const int32_t k = cycle.BirthLunation + step * n;
        const CivilDateTime start = (!backwards && shared) ? *shared : newMoonLifeDate(cycle, k, sink);
        const CivilDateTime end = (backwards && shared) ? *shared : newMoonLifeDate(cycle, k + 1, sink);
        if (start <= d && d <= end) {
            const long elapsed = std::labs((d.day - start.day).count());
            const long total = std::labs((end.day - start.day).count());
            return total == 0 ? 0.0f : static_cast<float>(kTwoPi * elapsed / total);
        }
        // Life dates grow with the lunation number: once past d, no further lunation holds it.
        if (backwards ? end < d : d < start) {
            break;
        }
        shared = backwards ? start : end;
    }
    return 0.0f;
}

PhaseAngles phaseAngles(const SoliLunarCycle& cycle, const CivilDateTime& now, const MessageSink& sink) {
    return {angle_date(cycle, cycle.BirthUT, sink), angle_date(cycle, now, sink)};
}

}  // namespace selenarc
