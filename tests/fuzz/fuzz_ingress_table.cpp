// Ingress tables (so.txt, su.txt, sj.txt, ss.txt) of any content. The reader either refuses the text
// with a message naming the file and line, or gives lines the computations can rely on: real dates
// in ascending order, signs "1".."12", times of day below 24h. The natal-sign lookup and the planet
// cycles then run on whatever was accepted.
#include <algorithm>
#include <chrono>

#include "cycles/planet_cycles.h"
#include "fuzz_support.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

namespace selenarc::fuzz {
namespace {

using namespace std::chrono;

int signNumber(const std::string& sign) {
    for (int index = 1; index <= 12; ++index) {
        if (sign == std::to_string(index)) {
            return index;
        }
    }
    return 0;
}

// The natal sign by the plain rule: the sign of the line before the first line later than the birth.
int natalSignByScan(const IngressTable& table, CivilDate birthDate, const CivilDateTime& birthUT) {
    for (size_t i = 0; i < table.accepted.size(); ++i) {
        const IngressLine& line = table.accepted[i];
        const bool later =
            line.timeUT ? sys_days{line.date} + *line.timeUT > birthUT.instant() : line.date > birthDate;
        if (later) {
            return i == 0 ? 0 : signNumber(table.accepted[i - 1].sign);
        }
    }
    return 0;
}

void checkConsumers(const IngressTable& table, CivilDate birth) {
    const std::string detail = "birth " + formatDayMonthYear(birth);
    for (const minutes offset : {minutes{-30}, minutes{12 * 60}, minutes{36 * 60}}) {
        const CivilDateTime birthUT = CivilDateTime::fromInstant(sys_days{birth} + offset);
        const int sign = natalSign(table, birth, birthUT);
        FUZZ_EXPECT(sign == natalSignByScan(table, birth, birthUT), detail);
    }
    RunState state;
    const CivilDate today = year_month_day{sys_days{birth} + days{40 * 365}};
    for (const PlanetCycleResult& result : {calcul_jupiter(formatDayMonthYear(birth), today, table, state),
                                            calcul_saturne(formatDayMonthYear(birth), today, table, state)}) {
        for (const auto& row : result.table.QuarterSign) {
            for (const std::string& sign : row) {
                FUZZ_EXPECT(sign.empty() || signNumber(sign) != 0, detail + ", sign [" + sign + "]");
            }
        }
    }
    FUZZ_EXPECT(state.NatalJupiterSign >= 0 && state.NatalJupiterSign <= 12, detail);
    FUZZ_EXPECT(state.NatalSaturnSign >= 0 && state.NatalSaturnSign <= 12, detail);
}

int fuzzIngressTable(const uint8_t* data, size_t size) {
    const std::string_view text = asText(data, size);
    std::string error;
    const auto table = parseIngressText(text, "sj.txt", error);
    if (!table) {
        FUZZ_EXPECT(error.starts_with("Table sj.txt, ligne "), error);
        return 0;
    }
    FUZZ_EXPECT(error.empty(), error);
    FUZZ_EXPECT(table->fileName == "sj.txt", table->fileName);

    const int lineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    int previousLine = 0;
    for (size_t i = 0; i < table->accepted.size(); ++i) {
        const IngressLine& line = table->accepted[i];
        const std::string detail = "line " + std::to_string(line.lineNumber);
        FUZZ_EXPECT(line.date.ok(), detail);
        FUZZ_EXPECT(i == 0 || table->accepted[i - 1].date <= line.date, detail);
        FUZZ_EXPECT(signNumber(line.sign) != 0, detail + ", sign [" + line.sign + "]");
        FUZZ_EXPECT(!line.timeUT || (*line.timeUT >= minutes{0} && *line.timeUT < hours{24}), detail);
        FUZZ_EXPECT(line.lineNumber > previousLine && line.lineNumber <= lineCount, detail);
        previousLine = line.lineNumber;
    }

    if (!table->accepted.empty()) {
        checkConsumers(*table, table->accepted[table->accepted.size() / 2].date);
        checkConsumers(*table, year_month_day{sys_days{table->accepted.front().date} - days{1}});
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("ingress_table", selenarc::fuzz::fuzzIngressTable)
