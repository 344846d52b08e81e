#pragma once

#include <string>

#include "cycles/run_state.h"
#include "interpretation/paragraphs.h"

namespace selenarc {

// The three interpretation texts, joined from the fixed paragraphs chosen by the run state.
// Lines end with "\r\n"; a value out of its range leaves out its paragraph, never fails. The joined
// text is set in French typography (frenchTypography), so every display of it agrees.
std::string SoliLunarText(const RunState& state, const ParagraphSet& paragraphs);
std::string JupiterText(const RunState& state, const ParagraphSet& paragraphs);
std::string SaturnText(const RunState& state, const ParagraphSet& paragraphs);

// Quarter of the lunation in which the birth falls: 1 (new moon to first quarter) .. 4.
int birthQuarter(float birthPhaseAngle);
// Row 1..8 of the present phase (30°, 60°, 120°, 150°, 210°, 240°, 300°, 360°), 0 at 2π and beyond.
int presentPhaseRow(float todayPhaseAngle);

}  // namespace selenarc
