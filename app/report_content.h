#pragma once

#include <string>
#include <vector>

#include "app/person_record.h"
#include "charts/chart_surface.h"
#include "charts/events_overlay.h"
#include "charts/planet_dial.h"
#include "cycles/planet_cycles.h"
#include "cycles/run_state.h"
#include "cycles/soli_lunar.h"

namespace selenarc {

// The lines of the printed report, built from the last run; every text is UTF-8.

// "Prénom Nom", the names as typed, blanks around them removed.
std::string reportPersonName(const PersonRecord& person);

// "Né(e) le 01/01/1950 à 12h00" and "Fuseau horaire : (GMT +01) Paris, ...", or with a birthplace its
// line instead of the zone's.
std::vector<std::string> birthLines(const PersonRecord& person, const BirthClock& clock);

// "Lieu de naissance : Lyon (Rhône, France), UTC+2, heure d'été"; empty without a place.
std::string birthPlaceLine(const BirthClock& clock);

// "Soleil : Capricorne", "Lune : ...", "Jupiter : ...", "Saturne : ..." ("inconnu" when not found).
std::vector<std::string> natalSignLines(const RunState& state);

// One line per entry of the cycle list: the entry, then its start and end dates and ages;
// `shownCycle` (1-based) gets the mark of the dial printed beside it.
std::vector<std::string> lunarCycleLines(const SoliLunarResult& lunar, int shownCycle);
std::vector<std::string> planetCycleLines(const PlanetCycleResult& planet, int shownCycle);

// "15/05/1975 : Mariage", one line per person or event plotted on the soli-lunar dial.
std::vector<std::string> eventLines(const EventPlot& events);

// "yyyy/mm/dd" written "dd/mm/yyyy"; any other text unchanged.
std::string sortableToDayMonthYear(const std::string& text);

// The mark appended to the cycle whose dial is printed.
inline constexpr const char* kShownCycleMark = " (cadran ci-dessus)";

}  // namespace selenarc
