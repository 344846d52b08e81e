#include "app/report_json.h"

#include "app/json_writer.h"
#include "app/session.h"
#include "charts/dial_geometry.h"
#include "charts/planet_dial.h"
#include "interpretation/assembly.h"
#include "sky/sign_names.h"

namespace selenarc {

namespace {

void writeList(JsonWriter& json, std::string_view name, const std::vector<std::string>& entries,
               int selected) {
    json.key(name).beginArray();
    for (const auto& entry : entries) {
        json.value(entry);
    }
    json.endArray();
    json.field(std::string(name) + "Selected", selected);
}

void writePhaseTable(JsonWriter& json, const PhaseTable& table) {
    json.key("PhaseTable").beginArray();
    for (int row = 1; row < PhaseTable::kRows; ++row) {
        json.beginObject()
            .field("PhaseJD", table.PhaseJD[row])
            .field("PhaseText", table.PhaseText[row])
            .field("LifeDateText", table.LifeDateText[row])
            .field("PhaseAge", int(table.PhaseAge[row]))
            .field("PhaseSign", signText(table.PhaseSign[row]))
            .endObject();
    }
    json.endArray();
}

// Entries 0..cycleCount of the boundaries; quarter-sign rows 0..cycleCount (columns 1..4).
void writePlanetTable(JsonWriter& json, std::string_view name, const PlanetCycleTable& table) {
    json.key(name).beginObject();
    json.key("BoundaryText").beginArray();
    for (int i = 0; i <= table.cycleCount; ++i) {
        json.value(table.BoundaryText[i]);
    }
    json.endArray().key("BoundaryAge").beginArray();
    for (int i = 0; i <= table.cycleCount; ++i) {
        json.value(int(table.BoundaryAge[i]));
    }
    json.endArray().key("QuarterSign").beginArray();
    for (int row = 0; row <= table.cycleCount; ++row) {
        json.beginArray();
        for (int column = 1; column <= 4; ++column) {
            json.value(signText(table.QuarterSign[row][column]));
        }
        json.endArray();
    }
    json.endArray().endObject();
}

// SignIndex of the four pictures on the dial of the current cycle (0 where none, all 0 without one).
void writeDialSigns(JsonWriter& json, std::string_view name, const PlanetCycleTable& table, int current) {
    json.key(name).beginArray();
    for (const SignIndex sign : dialQuarterSigns(table, current)) {
        json.value(int(sign));
    }
    json.endArray();
}

void writeEvents(JsonWriter& json, const Session& session) {
    const EventPlot& events = session.events();
    json.key("Events").beginArray();
    for (int j = 1; j <= events.EventCount; ++j) {
        json.beginObject()
            .field("name", events.EventNames[j])
            .field("date", formatDayMonthYear(CivilDate{events.EventDates[j].day}))
            .field("angle", session.angleOf(events.EventDates[j]))
            .endObject();
    }
    json.endArray();
}

}  // namespace

std::string reportJson(Session& session) {
    const RunState& state = session.state();
    const SoliLunarCycle& lunar = session.lunar().cycle;
    JsonWriter json;
    json.beginObject();
    json.field("BirthUT", formatDayMonthYearTime(lunar.BirthUT));
    json.field("BirthJD", lunar.BirthJD);
    const BirthClock& clock = session.birth().clock;
    json.field("BirthPlace", clock.placeName);
    json.field("TimeZoneId", clock.timeZoneId);
    json.field("UtcOffsetSeconds", static_cast<int>(clock.utcOffset.count()));
    json.field("OffsetKind", std::string(offsetKindName(clock.kind)));
    json.field("NatalSunSign", int(state.NatalSunSign));
    json.field("NatalMoonSign", int(state.NatalMoonSign));

    json.field("BirthLunation", int(lunar.BirthLunation));
    writePhaseTable(json, lunar.table);
    writeList(json, "Combo2", session.lunar().cycleEntries, session.lunar().currentCycleEntry);
    json.field("CurrentLunarCycle", int(state.CurrentLunarCycle));
    json.field("CurrentCycleStart", state.CurrentCycleStart);
    json.field("CurrentCycleEnd", state.CurrentCycleEnd);
    json.field("BirthPhaseAngle", state.BirthPhaseAngle);
    json.field("TodayPhaseAngle", state.TodayPhaseAngle);
    json.field("CycleNewMoonSign", int(state.CycleNewMoonSign));
    writeEvents(json, session);

    writePlanetTable(json, "JupiterTable", session.jupiter().table);
    writeList(json, "Combo3", session.jupiter().comboEntries, session.jupiter().selectedIndex);
    json.field("NatalJupiterSign", int(state.NatalJupiterSign));
    json.field("CurrentJupiterCycle", int(state.CurrentJupiterCycle));
    json.field("JupiterCycleYear", int(state.JupiterCycleYear));
    writeDialSigns(json, "JupiterDialSigns", session.jupiter().table, state.CurrentJupiterCycle);
    writePlanetTable(json, "SaturnTable", session.saturn().table);
    writeList(json, "Combo4", session.saturn().comboEntries, session.saturn().selectedIndex);
    json.field("NatalSaturnSign", int(state.NatalSaturnSign));
    json.field("CurrentSaturnCycle", int(state.CurrentSaturnCycle));
    json.field("CurrentAge", int(state.CurrentAge));
    writeDialSigns(json, "SaturnDialSigns", session.saturn().table, state.CurrentSaturnCycle);

    if (const ParagraphSet* paragraphs = session.paragraphs()) {
        json.field("SoliLunarText", SoliLunarText(state, *paragraphs));
        json.field("JupiterText", JupiterText(state, *paragraphs));
        json.field("SaturnText", SaturnText(state, *paragraphs));
    }
    json.endObject();
    return json.text();
}

}  // namespace selenarc
