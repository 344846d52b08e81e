// Cost of one dial drawing (state and painting) and of the phase-angle search.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <vector>

#include "charts/events_overlay.h"
#include "charts/planet_dial.h"
#include "charts/qt/dial_renderer.h"
#include "charts/qt/sign_pictures.h"
#include "charts/soli_lunar_dial.h"
#include "cycles/life_date.h"
#include "sky/lunar_phases.h"

using namespace selenarc;

namespace {

const MessageSink kSilent = [](const Message&) {};
const CivilDateTime kNow = makeDateTime(2026, 12, 6, 9, 30);

// The soli-lunar rows of a birth on 01/01/1950 at 11h00 UT.
SoliLunarCycle benchCycle() {
    SoliLunarCycle cycle;
    cycle.BirthUT = makeDateTime(1950, 1, 1, 11, 0);
    cycle.BirthLunation = LunationAt(2433283.0 - 0.5 + 11.0 / 24);
    for (int r = 1; r <= 21; ++r) {
        const int32_t k = cycle.BirthLunation + (r - 1) / 4;
        double (*const phases[4])(int32_t) = {NewMoonJD, FirstQuarterJD, FullMoonJD, LastQuarterJD};
        cycle.table.PhaseJD[r] = phases[(r - 1) % 4](k);
        const ProgressedDate p = progressedLifeDate(cycle.table.PhaseJD[r], cycle.BirthUT, kSilent);
        cycle.table.LifeDate[r] = p.lifeDate;
        cycle.table.LifeDateText[r] = formatSortable(CivilDate{p.lifeDate.day});
        cycle.table.PhaseAge[r] = static_cast<int16_t>(p.days);
        cycle.table.PhaseSign[r] = static_cast<SignIndex>(r % 12 + 1);
    }
    return cycle;
}

const SignPictures& pictures() {
    static const SignPictures loaded(SELENARC_SOURCE_DIR "/data/signs");
    return loaded;
}

// Cycle `shown` of the soli-lunar dial drawn with the event rows plotted on it.
ChartSurface drawWithEvents(const SoliLunarCycle& cycle, int shown, const EventRows& rows) {
    ChartSurface surface = makeSoliLunarSurface();
    SoliLunarChartState chart;
    EventPlot events;
    const PhaseAngles angles = phaseAngles(cycle, kNow, kSilent);
    affiche_cycle(surface, chart, cycle, shown, kNow, angles);
    plotEvents(rows, events, surface, chart, cycle, kNow, angles, kSilent);
    return surface;
}

// A whole soli-lunar drawing with twelve persons/events, painted at 100 %.
void BM_SoliLunarDrawAndPaint(benchmark::State& s) {
    const SoliLunarCycle cycle = benchCycle();
    EventRows rows;
    for (int i = 0; i < kEventRows; ++i) {
        rows[i] = {QString::asprintf("1%d/0%d/19%d", i % 10, i % 9 + 1, 30 + 5 * i).toStdString(),
                   QString::asprintf("Personne %d", i + 1).toStdString()};
    }
    QImage image(697, 537, QImage::Format_RGB32);
    for (auto _ : s) {
        const ChartSurface surface = drawWithEvents(cycle, 3, rows);
        QPainter painter(&image);
        DialRenderer(&pictures()).paint(painter, surface);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SoliLunarDrawAndPaint)->Unit(benchmark::kMillisecond);

// The drawing alone with twelve events a week apart at the phase of birth: every label but the
// first is moved along the rim, clear of the others.
void BM_CrowdedEventLabels(benchmark::State& s) {
    const SoliLunarCycle cycle = benchCycle();
    EventRows rows;
    const std::chrono::sys_days first{std::chrono::year{1979} / 6 / 20};
    for (int i = 0; i < kEventRows; ++i) {
        rows[i] = {formatDayMonthYear(CivilDate{first + std::chrono::days{7 * i}}),
                   "Personne " + std::to_string(i)};
    }
    for (auto _ : s) {
        const ChartSurface surface = drawWithEvents(cycle, 2, rows);
        benchmark::DoNotOptimize(surface.labels.data());
    }
}
BENCHMARK(BM_CrowdedEventLabels)->Unit(benchmark::kMillisecond);

// The Jupiter dial, state and painting, at 100 % and 200 %.
void BM_JupiterDrawAndPaint(benchmark::State& s) {
    PlanetCycleTable table;
    CivilDate boundary{std::chrono::year{1950}, std::chrono::January, std::chrono::day{1}};
    for (int i = 0; i <= 7; ++i) {
        table.BoundaryDate[i] = boundary;
        table.BoundaryText[i] = formatDayMonthYear(boundary);
        table.BoundaryAge[i] = static_cast<int16_t>(12 * i);
        boundary = CivilDate{std::chrono::sys_days{boundary} + std::chrono::days{4363}};
        for (int j = 1; j <= 4 && i < 7; ++j) {
            table.QuarterSign[i][j] = static_cast<SignIndex>((i + j) % 12 + 1);
        }
    }
    const double zoom = static_cast<double>(s.range(0)) / 100;
    QImage image(static_cast<int>(697 * zoom), static_cast<int>(537 * zoom), QImage::Format_RGB32);
    for (auto _ : s) {
        ChartSurface surface = makePlanetSurface(kJupiterDial);
        affiche_cycle_jupiter(surface, table, 5, planetToday(table, kJupiterCycles, CivilDate{kNow.day}));
        QPainter painter(&image);
        DialRenderer(&pictures()).paint(painter, surface, DialRenderer::kPixelsPerTwip * zoom);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_JupiterDrawAndPaint)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

// One phase-angle search for dates spread over the life (forward and backward searches).
void BM_AngleDate(benchmark::State& s) {
    const SoliLunarCycle cycle = benchCycle();
    std::vector<CivilDateTime> dates;
    for (int year = 1800; year <= 2100; year += 7) {
        dates.push_back(makeDateTime(year, 3, 15));
    }
    size_t i = 0;
    for (auto _ : s) {
        benchmark::DoNotOptimize(angle_date(cycle, dates[i], kSilent));
        i = (i + 1) % dates.size();
    }
}
BENCHMARK(BM_AngleDate)->Unit(benchmark::kMicrosecond);

// The longest search: a date beyond the farthest lunation searched, forwards or backwards.
void BM_AngleDateOutOfReach(benchmark::State& s) {
    const SoliLunarCycle cycle = benchCycle();
    const CivilDateTime date = makeDateTime(s.range(0), 1, 1);
    for (auto _ : s) {
        benchmark::DoNotOptimize(angle_date(cycle, date, kSilent));
    }
}
BENCHMARK(BM_AngleDateOutOfReach)->Arg(-2000)->Arg(6000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Painting text needs a GUI application; no screen is used.
    int qtArgc = 3;
    char platformFlag[] = "-platform";
    char platform[] = "offscreen";
    char* qtArgv[] = {argv[0], platformFlag, platform, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
