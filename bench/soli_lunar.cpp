// The soli-lunar cycle of one birth with the lunation table in memory, its building blocks, and the
// cost of reading sl.txt from disk.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "cycles/soli_lunar.h"
#include "sky/lunar_phases.h"

#if __has_include("sky/ephemeris_reader.h")
#include "sky/ephemeris_reader.h"
#define SELENARC_HAVE_TABLE_READER 1
#endif

using namespace selenarc;

namespace {

// One line per lunation from 1819 to 2280, as the shipped table has.
LunationTable syntheticLunations() {
    LunationTable table;
    table.fileName = "sl.txt";
    for (int k = -999; k <= 4710; ++k) {
        LunationLine line;
        line.number = k;
        for (int phase = 0; phase < 4; ++phase) {
            line.signs[phase] = static_cast<SignIndex>((k * 4 + phase + 12000) % 12 + 1);
        }
        line.lineNumber = k + 1000;
        table.lines.push_back(line);
    }
    return table;
}

BirthMoment person(const std::string& date) {
    return *readBirthMoment(date, "14h25", 13);
}

void calculSoliLunaire(benchmark::State& state, const std::string& birthDate) {
    const LunationTable table = syntheticLunations();
    const BirthMoment p = person(birthDate);
    const CivilDateTime now = makeDateTime(2026, 12, 6, 10, 0);
    const MessageSink sink = [](const Message&) {};
    for (auto _ : state) {
        SoliLunarResult result = calcul_soli_lunaire(p, now, table, sink);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK_CAPTURE(calculSoliLunaire, birth1950, std::string("01/01/1950"));
// Late in the table: the sign lookup walks almost every line.
BENCHMARK_CAPTURE(calculSoliLunaire, birth2280, std::string("31/12/2280"));

void newMoon(benchmark::State& state) {
    int32_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NewMoonJD(k));
        k = (k + 1) % 4000;
    }
}
BENCHMARK(newMoon);

void lunationAt(benchmark::State& state) {
    double jd = 2385000.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LunationAt(jd));
        jd = jd < 2553000.0 ? jd + 13.3 : 2385000.5;
    }
}
BENCHMARK(lunationAt);

#ifdef SELENARC_HAVE_TABLE_READER
std::string shippedTablePath() {
    return SELENARC_SOURCE_DIR "/data/sl.txt";
}

// Opening, reading and parsing sl.txt each time, as a run without a table in memory would.
void readShippedTable(benchmark::State& state) {
    std::string error;
    for (auto _ : state) {
        std::ifstream in(shippedTablePath(), std::ios::binary);
        const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto table = parseLunationText(content, "sl.txt", error);
        if (!table) {
            state.SkipWithError(error.empty() ? "sl.txt absent" : error.c_str());
            return;
        }
        benchmark::DoNotOptimize(table->lines.data());
    }
}
BENCHMARK(readShippedTable)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
