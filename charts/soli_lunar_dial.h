#pragma once

#include <cstdint>
#include <string>

#include "calendar/civil_time.h"
#include "calendar/message_sink.h"
#include "charts/chart_surface.h"
#include "cycles/phase_table.h"
#include "cycles/run_state.h"

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

// Phase angle (radians, 0..2π) of a date-time within the progressed lunation that contains it:
// lunations are searched from the birth lunation, backwards for a date before the first
// phase row, at most kAngleSearchLunations of them (about 3,000 years of life) either way;
// 0 when none of them contains it.
inline constexpr int32_t kAngleSearchLunations = 100;
float angle_date(const SoliLunarCycle& cycle, const CivilDateTime& d, const MessageSink& sink);

// BirthPhaseAngle and TodayPhaseAngle of this person, whether or not a cycle gets drawn.
void storePhaseAngles(const SoliLunarCycle& cycle, const CivilDateTime& now, RunState& state,
                      const MessageSink& sink);

// Clears the surface and draws cycle 1..5 (1 = preparatory): rings, year ticks, the birth and
// today radii, dates, ages, quarter names and sign pictures. Sets the phase angles and the sign
// of the opening new moon in the run state. Any other cycle number draws nothing.
void affiche_cycle(ChartSurface& surface, SoliLunarChartState& chart, const SoliLunarCycle& cycle,
                   int cycleNumber, const CivilDateTime& now, RunState& state, const MessageSink& sink);

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
