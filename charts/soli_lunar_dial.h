#pragma once

#include <cstdint>
#include <string>

#include "calendar/civil_time.h"
#include "charts/chart_surface.h"
#include "cycles/phase_angles.h"
#include "cycles/phase_table.h"

namespace selenarc {

// What the main window keeps about the soli-lunar dial between drawings.
struct SoliLunarChartState {
    static constexpr int16_t kFreeLabels = 17;  // Texte(0..16)
    int16_t ChartLabelCount = -1;               // last free label placed; -1 = none
    int16_t ShownLunarCycle = 0;                // cycle 1..5 last drawn; 0 = none yet
};

// The soli-lunar surface as designed: title, quarter names, dates, ages, legend, the
// sign picture boxes pb1..pb4 and the free labels Texte(0..16), all hidden but the title.
ChartSurface makeSoliLunarSurface();

// Clears the surface and draws cycle 1..5 (1 = preparatory): rings, year ticks, the birth and
// today radii (at the angles given), dates, ages, quarter names and sign pictures. Any other cycle
// number draws nothing.
void affiche_cycle(ChartSurface& surface, SoliLunarChartState& chart, const SoliLunarCycle& cycle,
                   int cycleNumber, const CivilDateTime& now, const PhaseAngles& angles);

// One radius from the centre to the rim at the dial angle.
void affiche_ligne(ChartSurface& surface, float angle, Rgb colour);

// The next free Texte label, at the rim beside the dial angle or moved along the rim clear of the
// labels already there; nothing (nullptr) once all 17 are used.
ChartLabel* affiche_libelle(ChartSurface& surface, SoliLunarChartState& chart, float angle,
                            const std::string& text, Rgb colour);

// A radius with its label, both carrying the note shown when the pointer rests on them; a radius
// drawn dashed gets its label in italics.
void markRadius(ChartSurface& surface, SoliLunarChartState& chart, float angle, const std::string& text,
                Rgb colour, const std::string& note, LineStyle style);

}  // namespace selenarc
