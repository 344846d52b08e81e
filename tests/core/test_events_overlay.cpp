#include <QtTest>

#include "calendar/entry_checks.h"
#include "charts/clearing.h"
#include "charts/events_overlay.h"
#include "charts/planet_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;

namespace {

using Rows = std::array<EventRow, PersonRecord::kEventRows>;

// Rows given as "date|name" texts, the others left empty.
Rows makeRows(const QStringList& texts) {
    Rows rows;
    for (int i = 0; i < texts.size() && i < PersonRecord::kEventRows; ++i) {
        rows[i] = {texts[i].section('|', 0, 0).toStdString(), texts[i].section('|', 1).toStdString()};
    }
    return rows;
}

struct Panel {
    SoliLunarCycle cycle = testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0));
    CivilDateTime now = makeDateTime(2015, 6, 1, 12, 0);
    ChartSurface surface = makeSoliLunarSurface();
    SoliLunarChartState chart;
    RunState state;
    EventPlot events;
    std::vector<Message> messages;

    explicit Panel(int drawnCycle) {
        affiche_cycle(surface, chart, cycle, drawnCycle, now, state, testing::silentSink());
    }
    bool ok(const Rows& rows) {
        const MessageSink sink = [this](const Message& m) { messages.push_back(m); };
        return plotEvents(rows, events, surface, chart, cycle, now, state, sink);
    }
};

}  // namespace

class EventsOverlayTest : public QObject {
    Q_OBJECT
  private slots:
    void plotting_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<int>>("badRows");  // 1-based, in message order
        QTest::addColumn<QStringList>("names");   // plotted, in order
        QTest::addColumn<int>("drawn");           // cycle on the dial; 0: none drawn yet
        QTest::newRow("all empty") << QStringList{} << QList<int>{} << QStringList{} << 2;
        QTest::newRow("rows in order, gaps skipped, names trimmed")
            << QStringList{"14/07/1975|  Anne  ", "|ignored name", "  |blank date", "03/03/1921|"}
            << QList<int>{} << QStringList{"Anne", ""} << 2;
        QTest::newRow("rows 2 and 5 bad")
            << QStringList{"01/01/1980|a", "1/1/1980|b", "02/02/1982|c", "", "31/02/1990|e"}
            << QList<int>{2, 5} << QStringList{} << 2;
        QTest::newRow("leading space refused")
            << QStringList{" 01/01/1980|a"} << QList<int>{1} << QStringList{} << 2;
        QTest::newRow("twelve rows") << QStringList(12, "10/10/1960|x") << QList<int>{}
                                     << QStringList(12, "x") << 2;
        QTest::newRow("before the first lunation")
            << QStringList{"01/01/1700|ancêtre"} << QList<int>{} << QStringList{"ancêtre"} << 2;
        QTest::newRow("nothing drawn yet")
            << QStringList{"01/01/1980|a"} << QList<int>{} << QStringList{} << 0;
    }
    void plotting() {
        QFETCH(QStringList, rows);
        QFETCH(QList<int>, badRows);
        QFETCH(QStringList, names);
        QFETCH(int, drawn);
        Panel panel(drawn);
        panel.ok(makeRows({"01/01/1980|a", "01/01/1981|b", "01/01/1982|c"}));  // replaced by what follows
        const ChartSurface before = panel.surface;
        const Rows typed = makeRows(rows);

        const bool plotted = panel.ok(typed);
        QCOMPARE(plotted, badRows.empty() && drawn != 0);
        QCOMPARE(panel.messages.size(), size_t(badRows.size()));
        for (qsizetype m = 0; m < badRows.size(); ++m) {
            const std::string reason = CheckDateText(typed[badRows[m] - 1].date);
            QCOMPARE(panel.messages[m].text, "Date ligne " + std::to_string(badRows[m]) + " : " + reason);
            QVERIFY(panel.messages[m].title == kProgramTitle && panel.messages[m].icon == MessageIcon::None);
        }
        if (!plotted) {
            QVERIFY(panel.surface == before);
            return;
        }
        QCOMPARE(panel.events.EventCount, int16_t(names.size()));
        QCOMPARE(panel.chart.ChartLabelCount, int16_t(1 + names.size()));
        for (int j = 0; j < names.size(); ++j) {
            QCOMPARE(panel.events.EventNames[j + 1], names[j].toStdString());
            const ChartLabel& label = panel.surface.label(indexedName("Texte", j + 2));
            QVERIFY(label.caption == names[j].toStdString() && label.textColour == kOrange);
            // Its radius: the j-th orange line, at the date's phase angle.
            const float angle =
                angle_date(panel.cycle, panel.events.EventDates[j + 1], testing::silentSink());
            const DialPoint end = dialGeometry(panel.surface).roundedPoint(angle, kOuterRingRadius);
            QCOMPARE(panel.surface.lines[32 + 2 + j], (ChartLine{5227, 4027, end.x, end.y, kOrange}));
        }
        QVERIFY(!panel.surface.label(indexedName("Texte", 2 + names.size())).visible);
        QCOMPARE(panel.surface.lines.size(), size_t(32 + 2 + names.size()));
    }

    // "Effacer": drawings, dates, ages, free labels and pictures go; names of the points stay.
    // Row name: the label or picture, found on whichever dial has it.
    void clearing_data() {
        QTest::addColumn<bool>("visibleAfter");
        for (const char* gone : {"ladate(0)", "lage(4)", "Texte(0)", "pb1", "ladate(6)", "textej", "textej2",
                                 "pjs2", "lage(8)", "textes2", "pss4"}) {
            QTest::newRow(gone) << false;
        }
        for (const char* kept : {"l_nl", "l_ce", "Label10", "j_pq", "s_de"}) {
            QTest::newRow(kept) << true;
        }
    }
    void clearing() {
        QFETCH(bool, visibleAfter);
        Panel panel(2);
        const CivilDate today{panel.now.day};
        std::array<ChartSurface, 3> s{panel.surface, makePlanetSurface(kJupiterDial),
                                      makePlanetSurface(kSaturnDial)};
        affiche_cycle_jupiter(s[1], testing::makeJupiterTable1950(), 5, today, panel.state);
        affiche_cycle_saturne(s[2], testing::makeSaturnTable1950(), 2, today);

        clearCharts(s[0], s[1], s[2], panel.chart);

        QCOMPARE(panel.chart.ChartLabelCount, int16_t(0));
        QCOMPARE(panel.chart.ShownLunarCycle, int16_t(2));
        const std::string name = QTest::currentDataTag();
        int found = 0;
        for (const ChartSurface& surface : s) {
            QVERIFY(surface.lines.empty() && surface.circles.empty());
            const ChartLabel* label = surface.findLabel(name);
            const SignPicture* picture = surface.findPicture(name);
            if (label || picture) {
                ++found;
                QCOMPARE(label ? label->visible : picture->visible, visibleAfter);
                QVERIFY(!label || !name.starts_with("la") || label->caption.empty());  // dates, ages emptied
            }
        }
        QCOMPARE(found, 1);
    }
};

QTEST_GUILESS_MAIN(EventsOverlayTest)
#include "test_events_overlay.moc"
