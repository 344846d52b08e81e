#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "calendar/civil_time.h"
#include "calendar/event_row.h"
#include "calendar/message_sink.h"
#include "charts/chart_surface.h"
#include "charts/soli_lunar_dial.h"
#include "cycles/phase_angles.h"
#include "cycles/phase_table.h"

namespace selenarc {

// The persons and events accepted by the last plotting; entries 1..EventCount used.
struct EventPlot {
    int16_t EventCount = 0;
    std::array<CivilDateTime, kEventRows + 1> EventDates{};
    std::array<std::string, kEventRows + 1> EventNames;
};

// "Ok" of the persons/events panel: every non-empty row's date is checked; each bad row gets
// its own message ("Date ligne " + row + " : " + reason) and then nothing is plotted. Otherwise
// the soli-lunar dial is redrawn and each row gets an orange radius and its name at the rim.
// The birth and today radii are redrawn at `angles`. Before any cycle has been drawn the rows are checked and
// kept but nothing is drawn. Returns true when the dial was redrawn.
bool plotEvents(const EventRows& rows, EventPlot& events, ChartSurface& surface, SoliLunarChartState& chart,
                const SoliLunarCycle& cycle, const CivilDateTime& now, const PhaseAngles& angles,
                const MessageSink& sink);

}  // namespace selenarc
