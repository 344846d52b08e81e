#pragma once

#include <string>
#include <vector>

#include "charts/chart_surface.h"
#include "charts/dial_geometry.h"

namespace selenarc {

// A rectangle of the surface, twips.
struct ChartBox {
    double left = 0, top = 0, width = 0, height = 0;

    // Sharing an edge is not overlapping.
    bool overlaps(const ChartBox& other) const;
    bool inside(const ChartBox& area) const;
};

ChartBox boxOf(const ChartLabel& label);
ChartBox boxOf(const SignPicture& picture);

// What stands on the surface already: the visible labels (but `except`) and sign pictures.
std::vector<ChartBox> takenBoxes(const ChartSurface& surface, const ChartLabel* except);

// Where a label of the radius at `angle` goes: at its own place beside the rim when that is free,
// otherwise at the nearest free place along the rim (either way round), with a leader from the
// radius's end to the label. Its own place when no place of the rim is free.
// The leader runs just inside the outer ring, clear of the other labels, of the sign pictures and
// of the dial's middle, then crosses the ring to the label.
struct RimLabelSpot {
    RimLabelPlacement placement;
    std::vector<DialPoint> leader;  // empty when the label stands at its own place
};
RimLabelSpot findRimLabelSpot(const DialGeometry& g, float angle, double width, double height,
                              const std::vector<ChartBox>& taken, const ChartBox& area);

// Places the label of the radius at `angle` clear of everything else on the surface, and shows it
// with the text and colour (the leader in the same colour).
void showRimLabel(ChartSurface& surface, ChartLabel& label, float angle, const std::string& text, Rgb colour);

}  // namespace selenarc
