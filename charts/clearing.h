#pragma once

#include "charts/chart_surface.h"
#include "charts/soli_lunar_dial.h"

namespace selenarc {

// What "Effacer" does to the three dials: the drawings go, the dates, ages, free labels,
// start labels and sign pictures are emptied or hidden; the quarter names and legend words
// stay where the last drawing put them.
void clearCharts(ChartSurface& soliLunar, ChartSurface& jupiter, ChartSurface& saturn,
                 SoliLunarChartState& chart);

}  // namespace selenarc
