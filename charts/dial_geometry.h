#pragma once

#include <array>
#include <numbers>
#include <string>
#include <string_view>

#include "charts/chart_surface.h"
#include "cycles/dial_angle.h"

namespace selenarc {

// Radii of the dials, as fractions of the half height Y.
inline constexpr double kDateRadius = 0.4;
inline constexpr double kInnerRingRadius = 0.6;
inline constexpr double kOuterRingRadius = 0.7;  // the rim: radii end there, free labels sit there
inline constexpr double kQuarterNameRadius = 0.92;

struct DialPoint {
    double x = 0, y = 0;
    bool operator==(const DialPoint&) const = default;
};

// Centre and scale of a dial, from the size of its surface (twips).
struct DialGeometry {
    double X = 0, Y = 0;  // centre; whole twips (half the size, rounded down)

    double radius(double fraction) const { return fraction * Y; }
    // Dial angle (radians): 0 straight down, π/2 right, π top, 3π/2 left (counter-clockwise).
    DialPoint point(double angle, double radiusFraction) const;
    // The same point rounded to whole twips (line ends of the radii, label anchors).
    DialPoint roundedPoint(double angle, double radiusFraction) const;
};

DialGeometry dialGeometry(const ChartSurface& surface);

// Brings an angle above 2π back by whole turns; a value that is not finite counts as 0.
float wrapDialAngle(float angle);

// Where a free label goes beside its anchor on the rim: outside the dial, 50 twips from the
// anchor horizontally, right-justified on the left half (and on the vertical axis),
// above the anchor on the upper half (and on the horizontal axis), below it otherwise.
struct RimLabelPlacement {
    DialPoint anchor;
    double left = 0, top = 0;
    TextAlign align = TextAlign::Left;
};
RimLabelPlacement placeRimLabel(const DialGeometry& g, float angle, double width, double height);

// One radius from the centre to the rim at the dial angle, end rounded to whole twips.
void drawRimRadius(ChartSurface& surface, float angle, Rgb colour);

// The two blue rings, and one dark blue tick between them at a dial angle.
void drawRings(ChartSurface& surface);
void drawTick(ChartSurface& surface, double angle);

// Layout shared by the three dials: the names of the four quarter points outside the rim.
// Each is moved and shown.
void placeQuarterNames(ChartSurface& surface, const std::array<std::string_view, 4>& names);

// The legend just below the centre: "Cycle entier" over "Du :" start date and age left of
// the vertical axis, "Au :" end date and age right of it. Dates and legend words are shown;
// the age labels are moved only (their visibility is the caller's).
struct CycleLegendNames {
    std::string_view startDate, startAge, from, whole;
    std::string_view endDate, endAge, to;
};
void placeCycleLegend(ChartSurface& surface, const CycleLegendNames& names);

// The sign pictures of the four quarter points, just inside the inner ring. A blank or
// unreadable sign hides its picture.
struct QuarterPictureLayout {
    std::array<std::string_view, 4> names;  // new moon / conjunction first, counter-clockwise
    double oppositionLeftShift = -30;       // left = X − w + shift
    double secondSquareTopShift = 40;       // top = Y + shift
};
void placeQuarterPictures(ChartSurface& surface, const QuarterPictureLayout& layout,
                          const std::array<std::string, 4>& signTexts);

}  // namespace selenarc
