#include "charts/radius_notes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace selenarc {

int fullYears(CivilDate birth, CivilDate date) {
    int years = int(date.year()) - int(birth.year());
    const auto dayOfYear = [](CivilDate d) { return unsigned(d.month()) * 100 + unsigned(d.day()); };
    if (date >= birth && dayOfYear(date) < dayOfYear(birth)) {
        --years;  // the birthday of that year is still to come
    } else if (date < birth && dayOfYear(date) > dayOfYear(birth)) {
        ++years;
    }
    return years;
}

static std::string years(int count) {
    return std::to_string(count) + (count > 1 ? " ans" : " an");
}

std::string ageText(CivilDate birth, CivilDate date) {
    if (date >= birth) {
        return years(fullYears(birth, date));
    }
    const int before = fullYears(date, birth);
    return before == 0 ? std::string("moins d'un an avant la naissance")
                       : years(before) + " avant la naissance";
}

std::string radiusNote(std::string_view name, CivilDate date, CivilDate birth, std::string_view cycle) {
    std::string note;
    if (!name.empty()) {
        note.append(name).append("\n");
    }
    note += formatDayMonthYear(date) + ", " + ageText(birth, date);
    if (!cycle.empty()) {
        note.append("\n").append(cycle);
    }
    return note;
}

int lunarCycleNumberOf(const PhaseTable& table, const CivilDateTime& date) {
    int cycle = 0;
    for (int n = 1; n <= 5 && table.LifeDate[4 * (n - 1) + 1] <= date; ++n) {
        cycle = n;
    }
    return cycle == 5 && table.LifeDate[21] <= date ? 6 : cycle;
}

std::string lunarCycleText(int cycleNumber) {
    switch (cycleNumber) {
        case 0:
            return "avant le cycle préparatoire";
        case 1:
            return "dans le cycle préparatoire";
        case 2:
            return "dans le 1er cycle";
        case 6:
            return "après le 4ème cycle";
        default:
            return "dans le " + std::to_string(cycleNumber - 1) + "ème cycle";
    }
}

static double distanceToSegment(DialPoint p, const ChartLine& l) {
    const double dx = l.x2 - l.x1, dy = l.y2 - l.y1;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 == 0 ? 0 : std::clamp(((p.x - l.x1) * dx + (p.y - l.y1) * dy) / length2, 0.0, 1.0);
    return std::hypot(p.x - (l.x1 + t * dx), p.y - (l.y1 + t * dy));
}

std::string noteAt(const ChartSurface& surface, DialPoint point, double reach) {
    for (const ChartLabel& label : surface.labels) {
        if (label.visible && !label.tooltip.empty() && point.x >= label.left &&
            point.x <= label.left + label.width && point.y >= label.top &&
            point.y <= label.top + label.height) {
            return label.tooltip;
        }
    }
    const ChartLine* nearest = nullptr;
    double best = std::numeric_limits<double>::infinity();
    for (const ChartLine& line : surface.lines) {
        if (const double d = distanceToSegment(point, line);
            !line.tooltip.empty() && d <= reach && d < best) {
            best = d;
            nearest = &line;
        }
    }
    return nearest ? nearest->tooltip : std::string();
}

}  // namespace selenarc
