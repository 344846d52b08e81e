#include <QtTest>

#include "charts/clearing.h"
#include "charts/events_overlay.h"
#include "charts/planet_dial.h"
#include "support/shipped_cycles.h"

using namespace selenarc;

namespace {

const SoliLunarCycle kCycle = testing::cycle1950();
const CivilDateTime kNow = makeDateTime(2015, 6, 1, 12, 0);

}  // namespace

class EventsOverlayTest : public QObject {
    Q_OBJECT
  private slots:
    // Rows plotted twice, the second plot replacing the first: each an orange radius and its name at the
    // rim after "Naissance" and "Aujourd'hui". Any bad row is messages and blocks the whole plot.
    void plotting_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("drawn");             // cycle on the dial; 0: none drawn yet
        QTest::addColumn<QStringList>("expected");  // names plotted in order, or messages
        QTest::newRow("rows in order, gaps skipped, names trimmed")
            << QStringList{"14/07/1975|  Anne  ", "|ignored name", "  |blank date", "03/03/1921|"} << 2
            << QStringList{"Anne", ""};
        QTest::newRow("twelve rows") << QStringList(12, "10/10/1960|x") << 2 << QStringList(12, "x");
        QTest::newRow("rows 2 and 3 bad") << QStringList{"01/01/1980|a", "31/02/1980|b", " 1/01/1980|c"} << 2
                                          << QStringList{"Date ligne 2 : format incorrect : __/__/____",
                                                         "Date ligne 3 : format incorrect : __/__/____"};
        QTest::newRow("nothing drawn yet") << QStringList{"01/01/1980|a"} << 0 << QStringList{};
    }
    void plotting() {
        QFETCH(QStringList, rows);
        QFETCH(int, drawn);
        QFETCH(QStringList, expected);
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        EventPlot events;
        QStringList messages;
        const MessageSink sink = [&](const Message& m) { messages << QString::fromStdString(m.text); };
        const PhaseAngles angles = phaseAngles(kCycle, kNow, sink);
        affiche_cycle(surface, chart, kCycle, drawn, kNow, angles);
        EventRows typed;
        for (int i = 0; i < rows.size(); ++i) {
            typed[i] = {rows[i].section('|', 0, 0).toStdString(), rows[i].section('|', 1).toStdString()};
        }
        plotEvents(typed, events, surface, chart, kCycle, kNow, angles, sink);  // replaced by the same rows
        messages.clear();

        const bool plotted = plotEvents(typed, events, surface, chart, kCycle, kNow, angles, sink);
        QStringList shown;
        for (int i = 2; i < SoliLunarChartState::kFreeLabels; ++i) {
            if (const ChartLabel& label = surface.label(indexedName("Texte", i)); label.visible) {
                shown << QString::fromStdString(label.caption);
                QVERIFY(label.textColour == kOrange && surface.lines[32 + i].colour == kOrange);
            }
        }
        QCOMPARE(shown + messages, expected);
        QCOMPARE(plotted, drawn > 0 && messages.isEmpty());
        QCOMPARE(surface.lines.size(), size_t(drawn == 0 ? 0 : 34 + shown.size()));
    }

    // "Effacer": drawings, dates, ages, free and start labels and pictures go; the names of the quarter
    // points, the legend words and the titles stay; so does the cycle shown.
    void clearing() {
        std::array<ChartSurface, 3> s{makeSoliLunarSurface(), makePlanetSurface(kJupiterDial),
                                      makePlanetSurface(kSaturnDial)};
        SoliLunarChartState chart;
        affiche_cycle(s[0], chart, kCycle, 2, kNow, phaseAngles(kCycle, kNow, testing::kSilent));
        const PlanetCycleTable jupiter = testing::jupiter1950(CivilDate{kNow.day});
        const PlanetCycleTable saturn = testing::saturn1950(CivilDate{kNow.day});
        affiche_cycle_jupiter(s[1], jupiter, 5, planetToday(jupiter, kJupiterCycles, CivilDate{kNow.day}));
        affiche_cycle_saturne(s[2], saturn, 2, planetToday(saturn, kSaturnCycles, CivilDate{kNow.day}));

        clearCharts(s[0], s[1], s[2], chart);

        QVERIFY(chart.ChartLabelCount == 0 && chart.ShownLunarCycle == 2);
        for (const ChartSurface& surface : s) {
            QVERIFY(surface.lines.empty() && surface.circles.empty());
            for (const ChartLabel& label : surface.labels) {
                const bool dated = label.name.starts_with("la");
                const bool gone = dated || label.name.starts_with("Texte") || label.name.starts_with("texte");
                QVERIFY2(label.visible != gone && (!dated || label.caption.empty()), label.name.c_str());
            }
            QVERIFY(std::ranges::none_of(surface.pictures, &SignPicture::visible));
        }
    }
};

QTEST_GUILESS_MAIN(EventsOverlayTest)
#include "test_events_overlay.moc"
