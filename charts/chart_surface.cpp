#include "charts/chart_surface.h"

#include <algorithm>
#include <utility>

namespace selenarc {

void ChartSurface::clearDrawing() {
    circles.clear();
    lines.clear();
}

bool ChartSurface::operator==(const ChartSurface& other) const {
    return width == other.width && height == other.height && background == other.background &&
           circles == other.circles && lines == other.lines && labels == other.labels &&
           pictures == other.pictures;
}

template <typename Element>
static Element* findNamed(std::vector<Element>& elements, std::string_view name) {
    const auto found =
        std::find_if(elements.begin(), elements.end(), [&](const Element& e) { return e.name == name; });
    return found == elements.end() ? nullptr : &*found;
}

ChartLabel* ChartSurface::findLabel(std::string_view name) {
    return findNamed(labels, name);
}

const ChartLabel* ChartSurface::findLabel(std::string_view name) const {
    return const_cast<ChartSurface*>(this)->findLabel(name);
}

SignPicture* ChartSurface::findPicture(std::string_view name) {
    return findNamed(pictures, name);
}

const SignPicture* ChartSurface::findPicture(std::string_view name) const {
    return const_cast<ChartSurface*>(this)->findPicture(name);
}

ChartLabel& ChartSurface::label(std::string_view name) {
    if (ChartLabel* found = findLabel(name)) {
        return *found;
    }
    spareLabel_ = ChartLabel{};
    return spareLabel_;
}

SignPicture& ChartSurface::picture(std::string_view name) {
    if (SignPicture* found = findPicture(name)) {
        return *found;
    }
    sparePicture_ = SignPicture{};
    return sparePicture_;
}

static ChartLabel designLabel(std::string name, std::string caption, double width, double height) {
    ChartLabel label;
    label.name = std::move(name);
    label.caption = std::move(caption);
    label.width = width;
    label.height = height;
    label.align = TextAlign::Center;
    label.background = kPaleYellow;
    return label;
}

ChartLabel titleLabel(std::string_view name, std::string_view caption) {
    ChartLabel label = designLabel(std::string(name), std::string(caption), 3015, 495);
    label.left = 120;
    label.top = 120;
    label.background = kTitleYellow;
    label.fontFamily = "Arial";
    label.fontPoints = 18;
    label.visible = true;
    return label;
}

ChartLabel quarterNameLabel(std::string_view name, std::string_view caption) {
    return designLabel(std::string(name), std::string(caption), 1215, 255);
}

ChartLabel dateLabel(std::string_view name) {
    return designLabel(std::string(name), "", 855, 255);
}

ChartLabel ageLabel(std::string_view name) {
    ChartLabel label = designLabel(std::string(name), "", 855, 255);
    label.fontPoints = 9.75;
    label.textColour = kAgeBlue;
    return label;
}

ChartLabel legendLabel(std::string_view name, std::string_view caption, double width) {
    ChartLabel label = designLabel(std::string(name), std::string(caption), width, 255);
    label.fontPoints = 9.75;
    label.textColour = kPurple;
    return label;
}

ChartLabel freeLabel(std::string_view name, double width) {
    ChartLabel label = designLabel(std::string(name), "", width, 255);
    label.align = TextAlign::Left;
    label.background = kWhite;
    label.narrowsToFit = false;  // names are cut, never drawn below the dial's font
    return label;
}

std::string indexedName(std::string_view name, int index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

}  // namespace selenarc
