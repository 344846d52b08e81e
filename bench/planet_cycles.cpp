#include <benchmark/benchmark.h>

#include "cycles/planet_cycles.h"

using namespace selenarc;

namespace {

// An ingress table shaped like the real ones from 1900 to 2100: one sign every `daysPerSign`
// days, and every other ingress followed by a retrograde exit and re-entry a few weeks later.
IngressTable syntheticTable(int daysPerSign) {
    IngressTable table;
    std::chrono::sys_days day{std::chrono::year{1900} / 1 / 1};
    const std::chrono::sys_days end{std::chrono::year{2100} / 12 / 31};
    int sign = 1;
    auto add = [&](std::chrono::sys_days when, int s) {
        table.accepted.push_back(
            {CivilDate{when}, static_cast<SignIndex>(s), std::nullopt, int(table.accepted.size()) + 1});
    };
    for (int n = 0; day < end; ++n, day += std::chrono::days{daysPerSign}) {
        sign = sign % 12 + 1;
        add(day, sign);
        if (n % 2 == 0) {
            add(day + std::chrono::days{40}, sign == 1 ? 12 : sign - 1);
            add(day + std::chrono::days{120}, sign);
        }
    }
    return table;
}

}  // namespace

static void BM_JupiterAndSaturn(benchmark::State& state) {
    const IngressTable jupiter = syntheticTable(361);  // about 400 lines
    const IngressTable saturn = syntheticTable(897);
    const CivilDate today{std::chrono::year{2026} / 1 / 1};
    const CivilDate kBirth{std::chrono::year{1950} / 1 / 1};
    for (auto _ : state) {
        benchmark::DoNotOptimize(calcul_jupiter(kBirth, today, jupiter));
        benchmark::DoNotOptimize(calcul_saturne(kBirth, today, saturn));
    }
    state.counters["jupiterLines"] = double(jupiter.accepted.size());
    state.counters["saturnLines"] = double(saturn.accepted.size());
}
BENCHMARK(BM_JupiterAndSaturn);
