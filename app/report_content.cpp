#include "app/report_content.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "app/time_zones.h"
#include "calendar/text.h"
#include "cycles/dial_angle.h"
#include "cycles/planet_today.h"
#include "sky/sign_names.h"

namespace selenarc {

namespace {

std::string signOrUnknown(int16_t sign) {
    const std::string name = SignName(sign);
    return name.empty() ? "inconnu" : name;
}

std::string ageText(int age) {
    return std::to_string(age) + " ans";
}

// "<entry> — du <start> (<age>) au <end> (<age>)", an age left out when not given (a new moon
// before birth), and the mark added to the cycle of the printed dial.
std::string cycleLine(const std::string& entry, const std::string& start, std::optional<int> startAge,
                      const std::string& end, std::optional<int> endAge, bool shown) {
    std::string line = entry + " — du " + start;
    if (startAge) {
        line += " (" + ageText(*startAge) + ")";
    }
    line += " au " + end;
    if (endAge) {
        line += " (" + ageText(*endAge) + ")";
    }
    if (shown) {
        line += kShownCycleMark;
    }
    return line;
}

// "1er cycle" of "1er cycle : jusqu'à 42 ans".
std::string entryName(const std::string& entry) {
    return entry.substr(0, entry.find(" :"));
}

// The soli-lunar dial hides an age that is not positive; so does the list.
std::optional<int> positiveAge(int16_t age) {
    return age > 0 ? std::optional<int>(age) : std::nullopt;
}

}  // namespace

std::string reportPersonName(const PersonRecord& person) {
    const std::string_view first = trimmed(person.firstName);
    const std::string_view last = trimmed(person.lastName);
    std::string name(first);
    if (!first.empty() && !last.empty()) {
        name += ' ';
    }
    return name.append(last);
}

std::string birthPlaceLine(const BirthClock& clock) {
    if (clock.placeId == 0) {
        return {};
    }
    return "Lieu de naissance : " + clock.placeName + ", " + formatUtcOffset(clock.utcOffset) + ", " +
           std::string(offsetKindName(clock.kind));
}

std::vector<std::string> birthLines(const PersonRecord& person, const BirthClock& clock) {
    std::vector<std::string> lines{"Né(e) le " + std::string(trimmed(person.birthDate)) + " à " +
                                   std::string(trimmed(person.birthTime))};
    if (std::string place = birthPlaceLine(clock); !place.empty()) {
        lines.push_back(std::move(place));
    } else if (std::string zone = zoneLine(person); !zone.empty()) {
        lines.push_back(std::move(zone));
    }
    return lines;
}

std::string zoneLine(const PersonRecord& person) {
    if (person.timeZoneRow < 0 || person.timeZoneRow >= static_cast<int>(kTimeZoneRows.size())) {
        return {};
    }
    // Row 12 of the list ends with a stray ", ".
    std::string_view row = trimmed(kTimeZoneRows[person.timeZoneRow]);
    if (row.ends_with(',')) {
        row.remove_suffix(1);
    }
    return "Fuseau horaire : " + std::string(row);
}

std::vector<std::string> natalSignLines(const RunState& state) {
    return {"Soleil : " + signOrUnknown(state.NatalSunSign), "Lune : " + signOrUnknown(state.NatalMoonSign),
            "Jupiter : " + signOrUnknown(state.NatalJupiterSign),
            "Saturne : " + signOrUnknown(state.NatalSaturnSign)};
}

std::string sortableToDayMonthYear(const std::string& text) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/') {
        return text;
    }
    return text.substr(8, 2) + "/" + text.substr(5, 2) + "/" + text.substr(0, 4);
}

std::vector<std::string> lunarCycleLines(const SoliLunarResult& lunar, int shownCycle) {
    const PhaseTable& table = lunar.cycle.table;
    std::vector<std::string> lines;
    // Cycle n spans the phase rows 4(n-1)+1 (its new moon) to 4(n-1)+5 (the next new moon).
    for (size_t i = 0; i < lunar.cycleEntries.size() && 4 * i + 5 < PhaseTable::kRows; ++i) {
        const size_t first = 4 * i + 1;
        const size_t last = first + 4;
        lines.push_back(cycleLine(lunar.cycleEntries[i], sortableToDayMonthYear(table.LifeDateText[first]),
                                  positiveAge(table.PhaseAge[first]),
                                  sortableToDayMonthYear(table.LifeDateText[last]),
                                  positiveAge(table.PhaseAge[last]), static_cast<int>(i) + 1 == shownCycle));
    }
    return lines;
}

std::vector<std::string> planetCycleLines(const PlanetCycleResult& planet, int shownCycle) {
    const PlanetCycleTable& table = planet.table;
    std::vector<std::string> lines;
    // Cycle i+1 runs from boundary i to boundary i+1; the first starts at birth (age 0).
    for (size_t i = 0; i < planet.comboEntries.size() && i + 1 < PlanetCycleTable::kBoundaries; ++i) {
        lines.push_back(cycleLine(planet.comboEntries[i], table.BoundaryText[i], table.BoundaryAge[i],
                                  table.BoundaryText[i + 1], table.BoundaryAge[i + 1],
                                  static_cast<int>(i) + 1 == shownCycle));
    }
    return lines;
}

std::vector<CurrentCycleRow> currentCycleRows(const SoliLunarResult& lunar, const PlanetCycleResult& jupiter,
                                              const PlanetCycleResult& saturn, const RunState& state,
                                              CivilDate today) {
    static constexpr std::array<const char*, 4> kLunarPhases{"nouvelle lune", "premier quartier",
                                                             "pleine lune", "dernier quartier"};
    static constexpr std::array<const char*, 4> kPlanetPhases{"conjonction", "premier carré", "opposition",
                                                              "second carré"};
    const auto quarterOf = [](float angle) {
        return std::clamp(static_cast<int>(angle / (kTwoPi / 4)), 0, 3);
    };
    const auto span = [](const std::string& from, const std::string& to) {
        return "du " + from + " au " + to;
    };
    const std::string none = "aucun cycle ne contient la date du jour";
    std::vector<CurrentCycleRow> rows;

    const int c = lunar.currentCycle;
    if (c >= 0 && 4 * c + 5 < PhaseTable::kRows && lunar.currentCycleEntry >= 0 &&
        lunar.currentCycleEntry < static_cast<int>(lunar.cycleEntries.size())) {
        const PhaseTable& table = lunar.cycle.table;
        rows.push_back({"Cycle de vie, " + entryName(lunar.cycleEntries[lunar.currentCycleEntry]),
                        span(sortableToDayMonthYear(table.LifeDateText[4 * c + 1]),
                             sortableToDayMonthYear(table.LifeDateText[4 * c + 5])),
                        kLunarPhases[quarterOf(state.TodayPhaseAngle)]});
    } else {
        rows.push_back({"Cycle de vie", none, ""});
    }

    const auto planetRow = [&](const char* name, const PlanetCycleResult& planet, const std::string& where) {
        const int n = planet.currentCycle;
        if (n < 1 || n >= PlanetCycleTable::kBoundaries || n > static_cast<int>(planet.comboEntries.size())) {
            return CurrentCycleRow{name, none, ""};
        }
        return CurrentCycleRow{std::string(name) + ", " + entryName(planet.comboEntries[n - 1]),
                               span(planet.table.BoundaryText[n - 1], planet.table.BoundaryText[n]), where};
    };
    rows.push_back(planetRow("Cycle socio-professionnel", jupiter,
                             "année " + std::to_string(state.JupiterCycleYear) + " sur 12"));
    const std::optional<float> saturnAngle =
        findTodayPlanetAngle(saturn.table, saturn.table.cycleCount, today);
    rows.push_back(planetRow("Cycle d'individuation", saturn,
                             saturnAngle ? kPlanetPhases[quarterOf(*saturnAngle)] : ""));
    return rows;
}

std::string interpretationSubject(const PersonRecord& person, CivilDate made) {
    return reportPersonName(person) + ", interprétation du " + formatDayMonthYear(made);
}

std::vector<std::string> eventLines(const EventPlot& events) {
    std::vector<std::string> lines;
    const int count = std::min<int>(events.EventCount, PersonRecord::kEventRows);
    for (int i = 1; i <= count; ++i) {
        lines.push_back(formatDayMonthYear(CivilDate{events.EventDates[i].day}) + " : " +
                        std::string(trimmed(events.EventNames[i])));
    }
    return lines;
}

}  // namespace selenarc
