#include "cycles/planet_today.h"

#include <algorithm>

#include "cycles/dial_angle.h"

namespace selenarc {

std::vector<float> todayPlanetAngles(const PlanetCycleTable& table, int cycleCount, CivilDate today) {
    std::vector<float> angles;
    const int last = std::min(cycleCount, PlanetCycleTable::kBoundaries - 1);
    for (int i = 1; i <= last; ++i) {
        const CivilDate start = table.BoundaryDate[i - 1], end = table.BoundaryDate[i];
        if (start <= today && today <= end) {
            const long total = daysBetween(start, end);
            const long elapsed = daysBetween(start, today);
            angles.push_back(total == 0 ? 0.0f
                                        : static_cast<float>(static_cast<double>(elapsed) / total * kTwoPi));
        }
    }
    return angles;
}

PlanetToday planetToday(const PlanetCycleTable& table, int cycleCount, CivilDate today) {
    return {today, todayPlanetAngles(table, cycleCount, today)};
}

std::optional<float> findTodayPlanetAngle(const PlanetCycleTable& table, int cycleCount, CivilDate today) {
    const std::vector<float> angles = todayPlanetAngles(table, cycleCount, today);
    if (angles.empty()) {
        return std::nullopt;
    }
    return angles.back();
}

float todayPlanetAngle(const PlanetCycleTable& table, int cycleCount, CivilDate today) {
    return findTodayPlanetAngle(table, cycleCount, today).value_or(0.0f);
}

int16_t jupiterCycleYear(float angle) {
    const float twelfth = static_cast<float>(kTwoPi / 12);
    for (int16_t year = 1; year <= 12; ++year) {
        if (static_cast<float>(year * twelfth) >= angle) {
            return year;
        }
    }
    return 12;  // only an angle beyond the whole turn
}

}  // namespace selenarc
