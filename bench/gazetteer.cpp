#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "app/birth_place.h"
#include "calendar/gazetteer.h"
#include "calendar/legal_time.h"

using namespace selenarc;

namespace {

const Gazetteer& shipped() {
    static const Gazetteer gazetteer = [] {
        std::string error;
        return std::move(*Gazetteer::load(SELENARC_SOURCE_DIR "/data/lieux.txt", error));
    }();
    return gazetteer;
}

}  // namespace

// Reading and indexing the whole list, as on the first use of the place field.
static void BM_LoadGazetteer(benchmark::State& state) {
    std::string error;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Gazetteer::load(SELENARC_SOURCE_DIR "/data/lieux.txt", error));
    }
}
BENCHMARK(BM_LoadGazetteer)->Unit(benchmark::kMillisecond);

// The completion list as one types a name: three letters, then six.
static void BM_CompleteTyping(benchmark::State& state, const char* typed) {
    const Gazetteer& gazetteer = shipped();
    for (auto _ : state) {
        benchmark::DoNotOptimize(gazetteer.complete(typed, 20));
    }
}
BENCHMARK_CAPTURE(BM_CompleteTyping, three_letters, "sai")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CompleteTyping, six_letters, "st eti")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CompleteTyping, six_letters_accented, "Montré")->Unit(benchmark::kMicrosecond);

static void BM_LookupCompletionForm(benchmark::State& state) {
    const Gazetteer& gazetteer = shipped();
    for (auto _ : state) {
        benchmark::DoNotOptimize(gazetteer.lookup("Brest (Finistère, France)"));
    }
}
BENCHMARK(BM_LookupCompletionForm)->Unit(benchmark::kMicrosecond);

static void BM_LegalTime(benchmark::State& state) {
    const CivilDateTime birth = makeDateTime(1976, 9, 26, 0, 30);
    for (auto _ : state) {
        benchmark::DoNotOptimize(legalTimeAt("Europe/Paris", -4.4863, birth));
    }
}
BENCHMARK(BM_LegalTime)->Unit(benchmark::kMicrosecond);

// What the window does on each reading of its fields with a place: find the saved place by its
// identifier, then the row nearest to its standard time for the file.
static void BM_SavedPlaceRow(benchmark::State& state) {
    const Gazetteer& gazetteer = shipped();
    const PlaceEntry saved{gazetteer[gazetteer.size() - 1].id, ""};
    for (auto _ : state) {
        const Place* place = resolveBirthPlace(gazetteer, saved).place;
        benchmark::DoNotOptimize(timeZoneRowForPlace(*place, "15/08/1976", 13));
    }
}
BENCHMARK(BM_SavedPlaceRow)->Unit(benchmark::kMicrosecond);
