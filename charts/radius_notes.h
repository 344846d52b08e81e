#pragma once

#include <string>
#include <string_view>

#include "calendar/civil_time.h"
#include "charts/chart_surface.h"
#include "charts/dial_geometry.h"
#include "cycles/phase_table.h"

namespace selenarc {

// Whole years lived from the birth date to the date; negative before birth.
int fullYears(CivilDate birth, CivilDate date);

// The age at the date: "0 an", "1 an", "25 ans", "3 ans avant la naissance",
// "moins d'un an avant la naissance".
std::string ageText(CivilDate birth, CivilDate date);

// What a radius stands for, shown when the pointer rests on it: the name (when there is one),
// the date and age, and the cycle when given, one per line.
std::string radiusNote(std::string_view name, CivilDate date, CivilDate birth, std::string_view cycle = {});

// Soli-lunar cycle of the table that holds the date: 1 (preparatory) .. 5, each from its new moon
// up to the next one; 0 before the first, 6 from the last new moon on.
int lunarCycleNumberOf(const PhaseTable& table, const CivilDateTime& date);
// The same in words: "dans le cycle préparatoire", "dans le 2ème cycle", "avant le cycle
// préparatoire", "après le 4ème cycle".
std::string lunarCycleText(int cycleNumber);

// The note under a point of the surface: a visible label holding the point, otherwise the radius
// nearest to it within `reach` twips; empty when none.
std::string noteAt(const ChartSurface& surface, DialPoint point, double reach);

}  // namespace selenarc
