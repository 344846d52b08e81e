#include "charts/soli_lunar_dial.h"

#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/radius_notes.h"
#include "charts/rim_labels.h"
#include "sky/circle.h"

namespace selenarc {

constexpr std::array<std::string_view, 4> kQuarterNames{"l_nl", "l_pq", "l_pl", "l_dq"};
constexpr CycleLegendNames kLegend{"ladate(0)", "lage(0)", "l_de", "l_ce", "ladate(4)", "lage(4)", "l_a"};
constexpr QuarterPictureLayout kPictures{{"pb1", "pb2", "pb3", "pb4"}, -30, 40};

ChartSurface makeSoliLunarSurface() {
    ChartSurface surface;
    surface.labels.push_back(titleLabel("Label10", "Cycle Soli-Lunaire"));
    const std::array<std::string, 4> captions{"Nouvelle Lune", "Premier quartier", "Pleine Lune",
                                              "Dernier Quartier"};
    for (int q = 0; q < 4; ++q) {
        surface.labels.push_back(quarterNameLabel(kQuarterNames[q], captions[q]));
    }
    for (int j = 0; j <= 4; ++j) {
        surface.labels.push_back(dateLabel(indexedName("ladate", j)));
        surface.labels.push_back(ageLabel(indexedName("lage", j)));
    }
    surface.labels.push_back(legendLabel("l_de", "Du :", 855));
    surface.labels.push_back(legendLabel("l_a", "Au :", 855));
    surface.labels.push_back(legendLabel("l_ce", "Cycle entier", 1815));
    for (int i = 0; i < SoliLunarChartState::kFreeLabels; ++i) {
        surface.labels.push_back(freeLabel(indexedName("Texte", i), 1455));
    }
    for (std::string_view name : kPictures.names) {
        surface.pictures.push_back({std::string(name)});
    }
    return surface;
}

// "yyyy/mm/dd" shown as "dd/mm/yyyy"; a shorter text (never filled) shows as it is.
static std::string dayMonthYear(const std::string& sortable) {
    if (sortable.size() < 10) {
        return sortable;
    }
    return sortable.substr(8, 2) + "/" + sortable.substr(5, 2) + "/" + sortable.substr(0, 4);
}

// Dates and ages of the first quarter, full moon and last quarter (the legend holds the others).
static void placeQuarterDates(ChartSurface& surface) {
    const DialGeometry g = dialGeometry(surface);
    ChartLabel& fullDate = surface.label("ladate(2)");
    ChartLabel& fullAge = surface.label("lage(2)");
    fullDate.left = g.X - std::floor(fullDate.width / 2);
    fullDate.top = g.Y - g.radius(kDateRadius) - fullDate.height - fullAge.height;
    fullAge.left = fullDate.left;
    fullAge.top = fullDate.top + fullDate.height;

    ChartLabel& firstDate = surface.label("ladate(1)");
    firstDate.left = g.X + 0.35 * g.Y + 30;
    firstDate.top = g.Y - firstDate.height;
    ChartLabel& firstAge = surface.label("lage(1)");
    firstAge.left = firstDate.left;
    firstAge.top = g.Y;

    ChartLabel& lastDate = surface.label("ladate(3)");
    lastDate.left = g.X - 0.35 * g.Y - 20 - lastDate.width;
    lastDate.top = g.Y - lastDate.height;
    ChartLabel& lastAge = surface.label("lage(3)");
    lastAge.left = lastDate.left;
    lastAge.top = g.Y;

    for (ChartLabel* shown : {&fullDate, &firstDate, &lastDate}) {
        shown->visible = true;
    }
}

void affiche_cycle(ChartSurface& surface, SoliLunarChartState& chart, const SoliLunarCycle& cycle,
                   int cycleNumber, const CivilDateTime& now, const PhaseAngles& angles) {
    if (cycleNumber < 1 || cycleNumber > 5) {
        return;  // no rows for it
    }
    surface.clearDrawing();
    for (int i = 0; i < SoliLunarChartState::kFreeLabels; ++i) {
        surface.label(indexedName("Texte", i)).visible = false;
    }
    chart.ChartLabelCount = -1;
    chart.ShownLunarCycle = static_cast<int16_t>(cycleNumber);
    const PhaseTable& table = cycle.table;
    const int base = 4 * (cycleNumber - 1) + 1;

    for (int j = 0; j <= 4; ++j) {
        ChartLabel& age = surface.label(indexedName("lage", j));
        const int16_t years = table.PhaseAge[base + j];
        age.visible = years > 0;
        age.caption = years > 0 ? std::to_string(years) + " ans" : "";
        surface.label(indexedName("ladate", j)).caption = dayMonthYear(table.LifeDateText[base + j]);
    }

    drawRings(surface);
    // Seven years to a quarter: eight ticks per quarter, those at the quarter points twice.
    const double step = (kPi / 2) / 7;
    for (int q = 0; q < 4; ++q) {
        for (int i = 0; i <= 7; ++i) {
            drawTick(surface, q * kPi / 2 + i * step);
        }
    }

    // The fixed labels first: the labels of the radii keep clear of them.
    placeCycleLegend(surface, kLegend);
    placeQuarterDates(surface);
    placeQuarterNames(surface, kQuarterNames);

    const CivilDate birth = cycle.birthDate;
    markRadius(surface, chart, angles.birth, "Naissance", kRed, radiusNote("Naissance", birth, birth),
               LineStyle::Solid);
    markRadius(surface, chart, angles.today, "Aujourd'hui", kRed,
               radiusNote("Aujourd'hui", CivilDate{now.day}, birth), LineStyle::Solid);

    std::array<std::string, 4> signs;
    for (int j = 0; j < 4; ++j) {
        signs[j] = table.PhaseSign[base + j];
    }
    placeQuarterPictures(surface, kPictures, signs);
}

void affiche_ligne(ChartSurface& surface, float angle, Rgb colour) {
    drawRimRadius(surface, angle, colour);
}

ChartLabel* affiche_libelle(ChartSurface& surface, SoliLunarChartState& chart, float angle,
                            const std::string& text, Rgb colour) {
    if (chart.ChartLabelCount >= SoliLunarChartState::kFreeLabels - 1) {
        return nullptr;  // all free labels in use
    }
    ++chart.ChartLabelCount;
    ChartLabel& label = surface.label(indexedName("Texte", chart.ChartLabelCount));
    showRimLabel(surface, label, angle, text, colour);
    return &label;
}

void markRadius(ChartSurface& surface, SoliLunarChartState& chart, float angle, const std::string& text,
                Rgb colour, const std::string& note, LineStyle style) {
    affiche_ligne(surface, angle, colour);
    surface.lines.back().style = style;
    surface.lines.back().tooltip = note;
    if (ChartLabel* label = affiche_libelle(surface, chart, angle, text, colour)) {
        label->italic = style != LineStyle::Solid;
        label->tooltip = note;
    }
}

}  // namespace selenarc
