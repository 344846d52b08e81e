// Ingress tables of any content: refused with a message naming the line, or read into real dates in
// ascending order with signs 1..12, which the natal-sign lookup and the planet cycles accept.
#include <chrono>

#include "cycles/planet_cycles.h"
#include "fuzz_support.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

namespace selenarc::fuzz {
namespace {

using namespace std::chrono;

int fuzzIngressTable(const uint8_t* data, size_t size) {
    std::string error;
    const auto table = parseIngressText(asText(data, size), "sj.txt", error);
    if (refusedWith(table, error, "Table sj.txt, ligne ")) {
        return 0;
    }
    for (size_t i = 0; i < table->accepted.size(); ++i) {
        const IngressLine& line = table->accepted[i];
        const bool ascending = i == 0 || table->accepted[i - 1].date <= line.date;
        FUZZ_EXPECT(line.date.ok() && ascending && line.sign >= 1 && line.sign <= 12,
                    "line " + std::to_string(line.lineNumber));
    }
    const std::string order = checkSignSequence(*table, SignMotion::ForwardOrBack);
    FUZZ_EXPECT(order.empty() || order.starts_with("Table sj.txt, ligne "), order);
    if (!table->accepted.empty()) {
        const CivilDate birth = table->accepted[table->accepted.size() / 2].date;
        const int sign = natalSign(*table, birth, CivilDateTime::fromInstant(sys_days{birth}));
        const int saturn =
            calcul_saturne(birth, year_month_day{sys_days{birth} + days{40 * 365}}, *table).natalSign;
        FUZZ_EXPECT(sign >= 0 && sign <= 12 && saturn >= 0 && saturn <= 12, formatDayMonthYear(birth));
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("ingress_table", selenarc::fuzz::fuzzIngressTable)
