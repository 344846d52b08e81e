#include "charts/events_overlay.h"

#include <string_view>

#include "calendar/entry_checks.h"
#include "charts/radius_notes.h"

namespace selenarc {

static std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool plotEvents(const EventRows& rows, EventPlot& events, ChartSurface& surface, SoliLunarChartState& chart,
                const SoliLunarCycle& cycle, const CivilDateTime& now, const PhaseAngles& angles,
                const MessageSink& sink) {
    events.EventCount = 0;
    bool anyBadRow = false;
    for (int i = 0; i < kEventRows; ++i) {
        const EventRow& row = rows[i];
        if (trimSpaces(row.date).empty()) {
            continue;  // an empty row, whatever its name
        }
        // The untrimmed text is checked: a date with a leading space is refused.
        std::string reason = CheckDateText(row.date);
        const auto date = parseDayMonthYear(row.date);
        if (reason.empty() && !date) {
            reason = "format incorrect : __/__/____";
        }
        if (!reason.empty()) {
            tell(sink, Message{"Date ligne " + std::to_string(i + 1) + " : " + reason, kProgramTitle,
                               MessageIcon::None});
            anyBadRow = true;
            continue;
        }
        ++events.EventCount;
        events.EventDates[events.EventCount] = CivilDateTime{std::chrono::sys_days{*date}};
        events.EventNames[events.EventCount] = std::string(trimSpaces(row.name));
    }
    if (anyBadRow || chart.ShownLunarCycle < 1 || chart.ShownLunarCycle > 5) {
        return false;
    }

    affiche_cycle(surface, chart, cycle, chart.ShownLunarCycle, now, angles);
    for (int j = 1; j <= events.EventCount; ++j) {
        const CivilDateTime& date = events.EventDates[j];
        const float angle = angle_date(cycle, date, sink);
        // At this phase, but of another cycle than the one drawn: dashed, its name in italics.
        const int cycleNumber = lunarCycleNumberOf(cycle.table, date);
        const LineStyle style = cycleNumber == chart.ShownLunarCycle ? LineStyle::Solid : LineStyle::Dashed;
        markRadius(surface, chart, angle, events.EventNames[j], kOrange,
                   radiusNote(events.EventNames[j], CivilDate{date.day}, cycle.birthDate,
                              lunarCycleText(cycleNumber)),
                   style);
    }
    return true;
}

}  // namespace selenarc
