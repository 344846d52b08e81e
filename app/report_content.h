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

// "Né(e) le 01/01/1950 à 12h00" and the line of the birthplace, or of the zone without one.
std::vector<std::string> birthLines(const PersonRecord& person, const BirthClock& clock);
// "Fuseau horaire : (GMT +01) Paris, ..."; empty for a row outside the list.
std::string zoneLine(const PersonRecord& person);
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

// One row of the table of the cycles that contain today: which cycle, from when to when, and where
// today stands in it (phase or year); the span says so when no cycle contains today.
struct CurrentCycleRow {
    std::string cycle;  // "Cycle de vie, 1er cycle"
    std::string span;   // "du 05/11/1962 au 01/12/1992"
    std::string today;  // "premier quartier", "année 5 sur 12", "opposition"
};
std::vector<CurrentCycleRow> currentCycleRows(const SoliLunarResult& lunar, const PlanetCycleResult& jupiter,
                                              const PlanetCycleResult& saturn, const RunState& state,
                                              CivilDate today);

// "Jean Dupont, interprétation du 06/12/2026": what an interpretation printed alone is about.
std::string interpretationSubject(const PersonRecord& person, CivilDate made);

// "yyyy/mm/dd" written "dd/mm/yyyy"; any other text unchanged.
std::string sortableToDayMonthYear(const std::string& text);

// The mark appended to the cycle whose dial is printed.
inline constexpr const char* kShownCycleMark = " (cadran ci-dessus)";

}  // namespace selenarc
