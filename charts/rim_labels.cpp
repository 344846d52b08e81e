#include "charts/rim_labels.h"

#include <algorithm>
#include <cmath>

namespace selenarc {

bool ChartBox::overlaps(const ChartBox& other) const {
    return left < other.left + other.width && other.left < left + width && top < other.top + other.height &&
           other.top < top + height;
}

bool ChartBox::inside(const ChartBox& area) const {
    return left >= area.left && top >= area.top && left + width <= area.left + area.width &&
           top + height <= area.top + area.height;
}

ChartBox boxOf(const ChartLabel& label) {
    return {label.left, label.top, label.width, label.height};
}

ChartBox boxOf(const SignPicture& picture) {
    return {picture.left, picture.top, picture.width, picture.height};
}

std::vector<ChartBox> takenBoxes(const ChartSurface& surface, const ChartLabel* except) {
    std::vector<ChartBox> taken;
    for (const ChartLabel& label : surface.labels) {
        if (label.visible && &label != except) {
            taken.push_back(boxOf(label));
        }
    }
    for (const SignPicture& picture : surface.pictures) {
        if (picture.visible) {
            taken.push_back(boxOf(picture));
        }
    }
    return taken;
}

static bool isFree(const ChartBox& box, const std::vector<ChartBox>& taken, const ChartBox& area) {
    return box.inside(area) &&
           std::none_of(taken.begin(), taken.end(), [&](const ChartBox& t) { return t.overlaps(box); });
}

// Steps along the rim: 0.005 rad is 14 twips at the rim of the design size.
static constexpr double kRimStep = 0.005;
static constexpr int kRimSteps = 629;  // half a turn each way
// Leaders follow the ring 40 twips inside it (design size), outside the sign pictures.
static constexpr double kLeaderRadius = kOuterRingRadius - 0.01;

static std::vector<DialPoint> leaderPath(const DialGeometry& g, double from, double to, const ChartBox& box) {
    std::vector<DialPoint> path{g.roundedPoint(from, kOuterRingRadius)};
    const int arcSteps = 1 + static_cast<int>(std::abs(to - from) / 0.02);
    for (int i = 0; i <= arcSteps; ++i) {
        path.push_back(g.point(from + (to - from) * i / arcSteps, kLeaderRadius));
    }
    const DialPoint anchor = g.roundedPoint(to, kOuterRingRadius);
    path.push_back(anchor);
    // Then to the point of the label nearest to where it meets the rim.
    path.push_back({std::clamp(anchor.x, box.left, box.left + box.width),
                    std::clamp(anchor.y, box.top, box.top + box.height)});
    return path;
}

RimLabelSpot findRimLabelSpot(const DialGeometry& g, float angle, double width, double height,
                              const std::vector<ChartBox>& taken, const ChartBox& area) {
    const float wrapped = wrapDialAngle(angle);
    RimLabelSpot spot{placeRimLabel(g, wrapped, width, height), {}};
    const auto boxAt = [&](const RimLabelPlacement& p) { return ChartBox{p.left, p.top, width, height}; };
    if (isFree(boxAt(spot.placement), taken, area)) {
        return spot;
    }
    for (int k = 1; k <= kRimSteps; ++k) {
        for (const int side : {1, -1}) {
            const double moved = wrapped + side * k * kRimStep;
            const RimLabelPlacement p = placeRimLabel(g, static_cast<float>(moved), width, height);
            if (isFree(boxAt(p), taken, area)) {
                return {p, leaderPath(g, wrapped, moved, boxAt(p))};
            }
        }
    }
    return spot;
}

void showRimLabel(ChartSurface& surface, ChartLabel& label, float angle, const std::string& text,
                  Rgb colour) {
    const RimLabelSpot spot =
        findRimLabelSpot(dialGeometry(surface), angle, label.width, label.height, takenBoxes(surface, &label),
                         {0, 0, surface.width, surface.height});
    label.caption = text;
    label.align = spot.placement.align;
    label.left = spot.placement.left;
    label.top = spot.placement.top;
    label.textColour = colour;
    label.visible = true;
    label.leader.clear();
    for (size_t i = 1; i < spot.leader.size(); ++i) {
        const DialPoint &a = spot.leader[i - 1], &b = spot.leader[i];
        label.leader.push_back({a.x, a.y, b.x, b.y, colour, LineStyle::Leader, {}});
    }
}

}  // namespace selenarc
