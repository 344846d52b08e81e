#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calendar/civil_time.h"
#include "charts/chart_surface.h"
#include "charts/dial_geometry.h"
#include "cycles/planet_cycle_table.h"
#include "cycles/planet_cycles.h"

namespace selenarc {

// What tells the Jupiter dial from the Saturn dial; everything else is drawn alike.
struct PlanetDialConfig {
    std::string_view titleName, titleCaption;  // "Label11", "Cycle de Jupiter"
    std::array<std::string_view, 4> quarterNames;
    CycleLegendNames legend;
    std::string_view startLabel;  // "Naissance" under the start radius, never moved
    std::string_view freeLabel;   // the single label moved to "Aujourd'hui"
    QuarterPictureLayout pictures;
    int ticks = 12;               // one per year of the cycle, the first at the bottom
    int cycles = kJupiterCycles;  // cycles searched for today
};

inline constexpr PlanetDialConfig kJupiterDial{
    "Label11",
    "Cycle de Jupiter",
    {"j_nl", "j_pq", "j_pl", "j_dq"},
    {"ladate(5)", "lage(5)", "j_de", "j_ce", "ladate(6)", "lage(6)", "j_a"},
    "textej2",
    "textej",
    {{"pjs1", "pjs2", "pjs3", "pjs4"}, -30, 40},
    12,
    kJupiterCycles,
};

inline constexpr PlanetDialConfig kSaturnDial{
    "Label21",
    "Cycle de Saturne",
    {"s_nl", "s_pq", "s_pl", "s_dq"},
    {"ladate(7)", "lage(7)", "s_de", "s_ce", "ladate(8)", "lage(8)", "s_a"},
    "textes2",
    "textes",
    {{"pss1", "pss2", "pss3", "pss4"}, 60, 200},
    29,
    kSaturnCycles,
};

// The planet surface as designed, all hidden but the title.
ChartSurface makePlanetSurface(const PlanetDialConfig& config);

// Sign texts at the conjunction, first square, opposition and second square of cycle 1..8 (the
// QuarterSign row of the span the cycle covers); all empty for any other number.
std::array<std::string, 4> dialQuarterSigns(const PlanetCycleTable& table, int cycle);

// Clears the surface and draws cycle `cycle` of the table (1..cycleCount); any other number
// draws nothing.
void affiche_cycle_planete(ChartSurface& surface, const PlanetDialConfig& config,
                           const PlanetCycleTable& table, int cycle, CivilDate today);
void affiche_cycle_jupiter(ChartSurface& surface, const PlanetCycleTable& table, int cycle, CivilDate today);
void affiche_cycle_saturne(ChartSurface& surface, const PlanetCycleTable& table, int cycle, CivilDate today);

// One radius of the dial; the free label of the dial moved to the rim beside the angle.
void affiche_ligne2(ChartSurface& surface, float angle, Rgb colour);
void affiche_ligne3(ChartSurface& surface, float angle, Rgb colour);
void affiche_libelle2(ChartSurface& surface, float angle, const std::string& text, Rgb colour);
void affiche_libelle3(ChartSurface& surface, float angle, const std::string& text, Rgb colour);

}  // namespace selenarc
