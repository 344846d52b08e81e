#include "charts/dial_geometry.h"

#include <cmath>

#include "sky/circle.h"
#include "sky/sign_names.h"

namespace selenarc {

DialPoint DialGeometry::point(double angle, double radiusFraction) const {
    const double r = radius(radiusFraction);
    const double screenAngle = angle + 1.5 * kPi;
    return {X + r * std::cos(screenAngle), Y - r * std::sin(screenAngle)};
}

DialPoint DialGeometry::roundedPoint(double angle, double radiusFraction) const {
    const DialPoint p = point(angle, radiusFraction);
    // Whole twips, halves to even like the assignment of a real to a whole coordinate.
    return {std::nearbyint(p.x), std::nearbyint(p.y)};
}

DialGeometry dialGeometry(const ChartSurface& surface) {
    return {std::floor(surface.width / 2), std::floor(surface.height / 2)};
}

float wrapDialAngle(float angle) {
    if (!std::isfinite(angle)) {
        return 0.0f;
    }
    if (angle > 1.0e6f) {  // too large for whole turns to be subtracted one by one
        return static_cast<float>(std::fmod(static_cast<double>(angle), kTwoPi));
    }
    while (angle > kTwoPi) {
        angle = static_cast<float>(angle - kTwoPi);
    }
    return angle;
}

RimLabelPlacement placeRimLabel(const DialGeometry& g, float angle, double width, double height) {
    RimLabelPlacement placed;
    placed.anchor = g.roundedPoint(wrapDialAngle(angle), kOuterRingRadius);
    if (placed.anchor.x <= g.X) {
        placed.align = TextAlign::Right;
        placed.left = placed.anchor.x - width - 50;
    } else {
        placed.align = TextAlign::Left;
        placed.left = placed.anchor.x + 50;
    }
    placed.top = placed.anchor.y <= g.Y ? placed.anchor.y - height : placed.anchor.y;
    return placed;
}

void drawRimRadius(ChartSurface& surface, float angle, Rgb colour) {
    const DialGeometry g = dialGeometry(surface);
    const DialPoint end = g.roundedPoint(angle, kOuterRingRadius);
    surface.lines.push_back({g.X, g.Y, end.x, end.y, colour, LineStyle::Solid, {}});
}

void drawRings(ChartSurface& surface) {
    const DialGeometry g = dialGeometry(surface);
    surface.circles.push_back({g.X, g.Y, g.radius(kInnerRingRadius), kBlue});
    surface.circles.push_back({g.X, g.Y, g.radius(kOuterRingRadius), kBlue});
}

void drawTick(ChartSurface& surface, double angle) {
    const DialGeometry g = dialGeometry(surface);
    const DialPoint from = g.point(angle, kInnerRingRadius);
    const DialPoint to = g.point(angle, kOuterRingRadius);
    surface.lines.push_back({from.x, from.y, to.x, to.y, kDarkBlue, LineStyle::Solid, {}});
}

void placeQuarterNames(ChartSurface& surface, const std::array<std::string_view, 4>& names) {
    const DialGeometry g = dialGeometry(surface);
    const double far = g.radius(kQuarterNameRadius);
    ChartLabel& bottom = surface.label(names[0]);
    bottom.left = g.X - std::floor(bottom.width / 2);
    bottom.top = g.Y + far + 40;
    ChartLabel& right = surface.label(names[1]);
    right.left = g.X + far + 300;
    right.top = g.Y - std::floor(right.height / 2);
    ChartLabel& top = surface.label(names[2]);
    top.left = g.X - std::floor(top.width / 2);
    top.top = g.Y - far - 300;
    ChartLabel& left = surface.label(names[3]);
    left.left = g.X - far - 300 - left.width;
    left.top = g.Y - std::floor(left.height / 2);
    for (std::string_view name : names) {
        surface.label(name).visible = true;
    }
}

// One column of the legend below the centre: the date, the age under it, the caption ("Du :",
// "Au :") above; left of the vertical axis for the cycle's start, right of it for its end.
static const ChartLabel& placeLegendColumn(ChartSurface& surface, const DialGeometry& g,
                                           std::string_view dateName, std::string_view ageName,
                                           std::string_view captionName, bool leftOfAxis) {
    ChartLabel& date = surface.label(dateName);
    date.left = leftOfAxis ? g.X - date.width - 40 : g.X + 40;
    date.top = g.Y + g.radius(kDateRadius);
    ChartLabel& age = surface.label(ageName);
    age.left = date.left;
    age.top = date.top + date.height;
    ChartLabel& caption = surface.label(captionName);
    caption.left = date.left;
    caption.top = date.top - caption.height;
    date.visible = true;
    caption.visible = true;
    return caption;
}

void placeCycleLegend(ChartSurface& surface, const CycleLegendNames& names) {
    const DialGeometry g = dialGeometry(surface);
    const ChartLabel& from = placeLegendColumn(surface, g, names.startDate, names.startAge, names.from, true);
    const ChartLabel& to = placeLegendColumn(surface, g, names.endDate, names.endAge, names.to, false);
    ChartLabel& whole = surface.label(names.whole);
    whole.left = from.left;
    whole.width = to.width + from.width + 80;
    whole.top = from.top - whole.height;
    whole.visible = true;
}

void placeQuarterPictures(ChartSurface& surface, const QuarterPictureLayout& layout,
                          const std::array<std::string, 4>& signTexts) {
    const DialGeometry g = dialGeometry(surface);
    const double inner = g.radius(kInnerRingRadius);
    for (int j = 0; j < 4; ++j) {
        SignPicture& box = surface.picture(layout.names[j]);
        const int sign = signIndexFromText(signTexts[j]);
        if (sign == 0) {
            box.visible = false;
            continue;
        }
        const double w = box.width, h = box.height;
        switch (j) {
            case 0:
                box.left = g.X + 40;
                box.top = g.Y + inner + 30;
                break;
            case 1:
                box.left = g.X + inner + 40;
                box.top = g.Y - h - 10;
                break;
            case 2:
                box.left = g.X - w + layout.oppositionLeftShift;
                box.top = g.Y - inner - h;
                break;
            default:
                box.left = g.X - inner - w;
                box.top = g.Y + layout.secondSquareTopShift;
                break;
        }
        box.sign = sign;
        box.visible = true;
    }
}

}  // namespace selenarc
