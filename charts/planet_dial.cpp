#include "charts/planet_dial.h"

#include <algorithm>
#include <vector>

#include "charts/radius_notes.h"
#include "charts/rim_labels.h"
#include "cycles/planet_today.h"

namespace selenarc {

ChartSurface makePlanetSurface(const PlanetDialConfig& config) {
    ChartSurface surface;
    surface.labels.push_back(titleLabel(config.titleName, config.titleCaption));
    const std::array<std::string, 4> captions{"Conjonction", "Premier carré", "Opposition", "Second carré"};
    for (int q = 0; q < 4; ++q) {
        surface.labels.push_back(quarterNameLabel(config.quarterNames[q], captions[q]));
    }
    const CycleLegendNames& legend = config.legend;
    for (std::string_view name : {legend.startDate, legend.endDate}) {
        surface.labels.push_back(dateLabel(name));
    }
    for (std::string_view name : {legend.startAge, legend.endAge}) {
        surface.labels.push_back(ageLabel(name));
    }
    surface.labels.push_back(legendLabel(legend.from, "Du :", 855));
    surface.labels.push_back(legendLabel(legend.to, "Au :", 855));
    surface.labels.push_back(legendLabel(legend.whole, "Cycle entier", 1815));

    ChartLabel start = freeLabel(config.startLabel, 1215);
    start.caption = "Naissance";
    start.textColour = kRed;
    start.left = 5280;
    start.top = 6960;
    surface.labels.push_back(start);
    ChartLabel free = freeLabel(config.freeLabel, 1215);
    free.left = 6480;
    free.top = 120;
    surface.labels.push_back(free);

    for (std::string_view name : config.pictures.names) {
        surface.pictures.push_back({std::string(name)});
    }
    return surface;
}

// The cycle's start and end: date and age on either side of the vertical axis.
static void showCycleEnds(ChartSurface& surface, const CycleLegendNames& legend,
                          const PlanetCycleTable& table, int cycle) {
    const auto fill = [&](std::string_view dateName, std::string_view ageName, int boundary) {
        ChartLabel& date = surface.label(dateName);
        ChartLabel& age = surface.label(ageName);
        date.caption = table.BoundaryText[boundary];
        age.caption = std::to_string(table.BoundaryAge[boundary]) + " ans";
        date.visible = age.visible = true;
    };
    fill(legend.startDate, legend.startAge, cycle - 1);
    fill(legend.endDate, legend.endAge, cycle);
    placeCycleLegend(surface, legend);
}

std::array<std::string, 4> dialQuarterSigns(const PlanetCycleTable& table, int cycle) {
    std::array<std::string, 4> signs;
    if (cycle >= 1 && cycle <= PlanetCycleTable::kQuarterRows) {
        const auto& row = table.QuarterSign[cycle - 1];  // the row that starts where the cycle starts
        std::copy(row.begin() + 1, row.end(), signs.begin());
    }
    return signs;
}

void affiche_cycle_planete(ChartSurface& surface, const PlanetDialConfig& config,
                           const PlanetCycleTable& table, int cycle, CivilDate today) {
    if (cycle < 1 || cycle > config.cycles || cycle > PlanetCycleTable::kQuarterRows) {
        return;  // the list offers no such cycle
    }
    surface.clearDrawing();
    drawRings(surface);
    const float step = static_cast<float>(kTwoPi / config.ticks);
    for (int i = 0; i < config.ticks; ++i) {
        drawTick(surface, static_cast<float>(i) * step);
    }
    placeQuarterNames(surface, config.quarterNames);
    showCycleEnds(surface, config.legend, table, cycle);

    const CivilDate birth = table.BoundaryDate[0];
    drawRimRadius(surface, 0.0f, kRed);
    ChartLabel& start = surface.label(config.startLabel);
    start.visible = true;
    start.tooltip = surface.lines.back().tooltip =
        radiusNote(cycle == 1 ? "Naissance" : "Début du cycle", table.BoundaryDate[cycle - 1], birth);

    // Today at its share of the cycle that contains it, whichever cycle is drawn.
    const std::vector<float> angles = todayPlanetAngles(table, config.cycles, today);
    for (const float angle : angles) {
        drawRimRadius(surface, angle, kRed);
        ChartLabel& label = surface.label(config.freeLabel);
        showRimLabel(surface, label, angle, "Aujourd'hui", kRed);
        label.tooltip = surface.lines.back().tooltip = radiusNote("Aujourd'hui", today, birth);
    }

    placeQuarterPictures(surface, config.pictures, dialQuarterSigns(table, cycle));
}

void affiche_cycle_jupiter(ChartSurface& surface, const PlanetCycleTable& table, int cycle, CivilDate today) {
    affiche_cycle_planete(surface, kJupiterDial, table, cycle, today);
}

void affiche_cycle_saturne(ChartSurface& surface, const PlanetCycleTable& table, int cycle, CivilDate today) {
    affiche_cycle_planete(surface, kSaturnDial, table, cycle, today);
}

void affiche_ligne2(ChartSurface& surface, float angle, Rgb colour) {
    drawRimRadius(surface, angle, colour);
}
void affiche_ligne3(ChartSurface& surface, float angle, Rgb colour) {
    drawRimRadius(surface, angle, colour);
}

void affiche_libelle2(ChartSurface& surface, float angle, const std::string& text, Rgb colour) {
    showRimLabel(surface, surface.label(kJupiterDial.freeLabel), angle, text, colour);
}

void affiche_libelle3(ChartSurface& surface, float angle, const std::string& text, Rgb colour) {
    showRimLabel(surface, surface.label(kSaturnDial.freeLabel), angle, text, colour);
}

}  // namespace selenarc
