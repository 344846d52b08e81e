#include "charts/clearing.h"

#include <string>

namespace selenarc {

static void clearOne(ChartSurface& surface) {
    surface.clearDrawing();
    for (int i = 0; i <= 8; ++i) {
        for (const char* array : {"lage", "ladate"}) {
            if (ChartLabel* label = surface.findLabel(indexedName(array, i))) {
                label->caption.clear();
                label->visible = false;
            }
        }
    }
    for (const char* name : {"textej", "textej2", "textes", "textes2"}) {
        if (ChartLabel* label = surface.findLabel(name)) {
            label->visible = false;
        }
    }
    for (SignPicture& picture : surface.pictures) {
        picture.visible = false;
    }
    for (int i = 0; i < SoliLunarChartState::kFreeLabels; ++i) {
        if (ChartLabel* label = surface.findLabel(indexedName("Texte", i))) {
            label->visible = false;
        }
    }
}

void clearCharts(ChartSurface& soliLunar, ChartSurface& jupiter, ChartSurface& saturn,
                 SoliLunarChartState& chart) {
    for (ChartSurface* surface : {&soliLunar, &jupiter, &saturn}) {
        clearOne(*surface);
    }
    chart.ChartLabelCount = 0;  // every drawing sets it back to -1 before placing a label
}

}  // namespace selenarc
