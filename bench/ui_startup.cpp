// Start-up of the main window: construction and first show, as a user waits for it at launch,
// and one whole "Calculer" (checks, tables already read, three cycles, three dials).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include "app/qt/main_window.h"

using namespace selenarc;

namespace {

CivilDateTime fixedNow() {
    return makeDateTime(2026, 12, 6, 10, 30);
}

void BM_MainWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        MainWindow window(
            SELENARC_SOURCE_DIR "/data", [](const Message&) {}, fixedNow);
        window.show();
        benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&window));
    }
}
BENCHMARK(BM_MainWindowShown)->Unit(benchmark::kMillisecond);

void BM_Calculer(benchmark::State& state) {
    MainWindow window(
        SELENARC_SOURCE_DIR "/data", [](const Message&) {}, fixedNow);
    window.findChild<QLineEdit*>("t_prenom")->setText("Jean");
    window.findChild<QLineEdit*>("t_nom")->setText("Dupont");
    window.calculer();  // the first run reads the tables
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.calculer());
    }
}
BENCHMARK(BM_Calculer)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
