// Natal Sun and Moon for a birth at the end of the tables, and the cost of reading the tables.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "cycles/birth_span.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

using namespace selenarc;

namespace {

const std::string kDataFolder = SELENARC_SOURCE_DIR "/data";

std::string fileContent(const std::string& name) {
    std::ifstream in(kDataFolder + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void natalSunAndMoon2280(benchmark::State& state) {
    std::string error;
    const auto tables = loadEphemerisTables(kDataFolder, error);
    if (!tables) {
        state.SkipWithError(error.c_str());
        return;
    }
    const CivilDate birthDate = *parseDayMonthYear("31/12/2280");
    const CivilDateTime birthUT = makeDateTime(2280, 12, 31, 22, 30);
    const BirthMoment birth{birthDate, birthUT, {}, {}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(calcul_soleil(birth, tables->sun));
        benchmark::DoNotOptimize(calcul_lune(birth, tables->moon));
    }
}
BENCHMARK(natalSunAndMoon2280);

void birthSpanOfTables(benchmark::State& state) {
    std::string error;
    const auto tables = loadEphemerisTables(kDataFolder, error);
    if (!tables) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(supportedBirthSpan(*tables));
    }
}
BENCHMARK(birthSpanOfTables)->Unit(benchmark::kMicrosecond);

void parseMoonTable(benchmark::State& state) {
    const std::string content = fileContent("su.txt");
    for (auto _ : state) {
        std::string error;
        auto table = parseIngressText(content, "su.txt", error);
        benchmark::DoNotOptimize(table);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * content.size()));
}
BENCHMARK(parseMoonTable)->Unit(benchmark::kMillisecond);

void loadAllTables(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        auto tables = loadEphemerisTables(kDataFolder, error);
        benchmark::DoNotOptimize(tables);
    }
}
BENCHMARK(loadAllTables)->Unit(benchmark::kMillisecond);

}  // namespace
