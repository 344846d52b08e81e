// Ingress tables (so.txt, su.txt, sj.txt, ss.txt) of any content. The reader either refuses the text
// with a message naming the file and line, or gives lines the computations can rely on: real dates
// in ascending order, signs "1".."12", times of day below 24h; its consistency check names the line at
// fault. The natal-sign lookup agrees with a
// plain scan of what was accepted, and the planet cycles run on it.
#include <algorithm>
#include <chrono>

#include "cycles/planet_cycles.h"
#include "fuzz_support.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"
#include "sky/sign_names.h"

namespace selenarc::fuzz {
namespace {

using namespace std::chrono;

bool isSign(SignIndex sign) {
    return sign >= 1 && sign <= 12;
}

// The natal sign by the plain rule: the sign of the line before the first line later than the birth.
int natalSignByScan(const IngressTable& table, CivilDate birthDate, const CivilDateTime& birthUT) {
    for (size_t i = 0; i < table.accepted.size(); ++i) {
        const IngressLine& line = table.accepted[i];
        if (line.timeUT ? sys_days{line.date} + *line.timeUT > birthUT.instant() : line.date > birthDate) {
            return i == 0 ? 0 : table.accepted[i - 1].sign;
        }
    }
    return 0;
}

void checkConsumers(const IngressTable& table, CivilDate birth) {
    const std::string detail = "birth " + formatDayMonthYear(birth);
    // The universal birth day before, on and after the local one.
    for (const minutes offset : {-30min, 720min, 2160min}) {
        const CivilDateTime birthUT = CivilDateTime::fromInstant(sys_days{birth} + offset);
        FUZZ_EXPECT(natalSign(table, birth, birthUT) == natalSignByScan(table, birth, birthUT), detail);
    }
    const CivilDate today = year_month_day{sys_days{birth} + days{40 * 365}};
    const int jupiter = calcul_jupiter(birth, today, table).natalSign;
    const int saturn = calcul_saturne(birth, today, table).natalSign;
    auto known = [](int sign) { return sign >= 0 && sign <= 12; };
    FUZZ_EXPECT(known(jupiter) && known(saturn), detail);
}

int fuzzIngressTable(const uint8_t* data, size_t size) {
    const std::string_view text = asText(data, size);
    std::string error;
    const auto table = parseIngressText(text, "sj.txt", error);
    if (!table) {
        FUZZ_EXPECT(error.starts_with("Table sj.txt, ligne "), error);
        return 0;
    }
    FUZZ_EXPECT(error.empty() && table->fileName == "sj.txt", error);

    for (size_t i = 0; i < table->accepted.size(); ++i) {
        const IngressLine& line = table->accepted[i];
        const std::string detail =
            "line " + std::to_string(line.lineNumber) + ", sign [" + signText(line.sign) + "]";
        const bool ascending = i == 0 || table->accepted[i - 1].date <= line.date;
        FUZZ_EXPECT(line.date.ok() && ascending && isSign(line.sign), detail);
        FUZZ_EXPECT(!line.timeUT || (*line.timeUT >= minutes{0} && *line.timeUT < hours{24}), detail);
    }
    // The consistency check names the line at fault; a table the Sun could follow, a planet can too.
    const std::string forward = checkSignSequence(*table, SignMotion::ForwardOnly);
    const std::string either = checkSignSequence(*table, SignMotion::ForwardOrBack);
    FUZZ_EXPECT(forward.empty() || forward.starts_with("Table sj.txt, ligne "), forward);
    FUZZ_EXPECT(either.empty() || either.starts_with("Table sj.txt, ligne "), either);
    FUZZ_EXPECT(!forward.empty() || either.empty(), either);
    if (!table->accepted.empty()) {
        checkConsumers(*table, table->accepted[table->accepted.size() / 2].date);
        checkConsumers(*table, year_month_day{sys_days{table->accepted.front().date} - days{1}});
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("ingress_table", selenarc::fuzz::fuzzIngressTable)
