#include <benchmark/benchmark.h>

#include "calendar/julian_day.h"

using namespace selenarc;

static void BM_JourJulien(benchmark::State& state) {
    const MessageSink none;
    for (auto _ : state) {
        benchmark::DoNotOptimize(JourJulien("17/06/1979 à 23h45", none));
    }
}
BENCHMARK(BM_JourJulien);

static void BM_JourJulienWithoutTime(benchmark::State& state) {
    const MessageSink none;
    for (auto _ : state) {
        benchmark::DoNotOptimize(JourJulien("04/10/1582", none));
    }
}
BENCHMARK(BM_JourJulienWithoutTime);

static void BM_JulianDayToDate(benchmark::State& state) {
    const MessageSink none;
    double jd = 2433283.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(JulianDayToDate(jd, none));
        jd += 0.37;  // a different date and time each round, across years
    }
}
BENCHMARK(BM_JulianDayToDate);

static void BM_RoundTrip(benchmark::State& state) {
    const MessageSink none;
    for (auto _ : state) {
        benchmark::DoNotOptimize(JulianDayToDate(JourJulien("31/12/-1 à 12h05", none), none));
    }
}
BENCHMARK(BM_RoundTrip);
