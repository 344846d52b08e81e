#include <QtTest>

#include "calendar/entry_checks.h"
#include "charts/clearing.h"
#include "charts/events_overlay.h"
#include "charts/planet_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

using Rows = std::array<EventRow, PersonRecord::kEventRows>;

// Rows given as "date|name" texts, the others left empty.
Rows makeRows(const QStringList& texts) {
    Rows rows;
    for (int i = 0; i < texts.size() && i < PersonRecord::kEventRows; ++i) {
        const QStringList parts = texts[i].split('|');
        rows[i].date = parts.value(0).toStdString();
        rows[i].name = parts.value(1).toStdString();
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

    void draw(int cycleNumber) {
        affiche_cycle(surface, chart, cycle, cycleNumber, now, state, testing::silentSink());
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
        QTest::addColumn<std::vector<int>>("badRows");  // 1-based, in message order
        QTest::addColumn<QStringList>("names");         // plotted, in order
        QTest::newRow("all empty") << QStringList{} << std::vector<int>{} << QStringList{};
        QTest::newRow("rows in order, gaps skipped")
            << QStringList{"14/07/1975|Anne", "|ignored name", "  |blank date", "03/03/1921|Père"}
            << std::vector<int>{} << QStringList{"Anne", "Père"};
        QTest::newRow("names trimmed, empty name kept")
            << QStringList{"01/02/1980|  Mariage  ", "05/05/1990|"} << std::vector<int>{}
            << QStringList{"Mariage", ""};
        QTest::newRow("rows 2 and 5 bad")
            << QStringList{"01/01/1980|a", "1/1/1980|b", "02/02/1982|c", "", "31/02/1990|e"}
            << std::vector<int>{2, 5} << QStringList{};
        QTest::newRow("leading space refused")
            << QStringList{" 01/01/1980|a"} << std::vector<int>{1} << QStringList{};
        QTest::newRow("twelve rows") << QStringList(12, "10/10/1960|x") << std::vector<int>{}
                                     << QStringList(12, "x");
        QTest::newRow("before the first lunation")
            << QStringList{"01/01/1700|ancêtre"} << std::vector<int>{} << QStringList{"ancêtre"};
    }
    void plotting() {
        QFETCH(QStringList, rows);
        QFETCH(std::vector<int>, badRows);
        QFETCH(QStringList, names);
        Panel panel;
        panel.draw(2);
        const ChartSurface before = panel.surface;
        const Rows typed = makeRows(rows);

        const bool plotted = panel.ok(typed);

        QCOMPARE(plotted, badRows.empty());
        QCOMPARE(panel.messages.size(), badRows.size());
        for (size_t m = 0; m < badRows.size(); ++m) {
            const int row = badRows[m];
            const std::string expected =
                "Date ligne " + std::to_string(row) + " : " + CheckDateText(typed[row - 1].date);
            QCOMPARE(panel.messages[m].text, expected);
            QCOMPARE(panel.messages[m].title, std::string(kProgramTitle));
            QCOMPARE(panel.messages[m].icon, MessageIcon::None);
        }
        if (!plotted) {
            QVERIFY(panel.surface == before);
            return;
        }
        QCOMPARE(panel.events.EventCount, int16_t(names.size()));
        QCOMPARE(panel.chart.ChartLabelCount, int16_t(1 + names.size()));
        QCOMPARE(panel.surface.label("Texte(0)").caption, std::string("Naissance"));
        QCOMPARE(panel.surface.label("Texte(1)").caption, std::string("Aujourd'hui"));
        for (int j = 0; j < names.size(); ++j) {
            QCOMPARE(panel.events.EventNames[j + 1], names[j].toStdString());
            const ChartLabel& label = panel.surface.label(indexedName("Texte", j + 2));
            QCOMPARE(label.caption, names[j].toStdString());
            QCOMPARE(label.textColour, kOrange);
            // Its radius: the j-th orange line, at the date's phase angle.
            const float angle =
                angle_date(panel.cycle, panel.events.EventDates[j + 1], testing::silentSink());
            const DialPoint end = dialGeometry(panel.surface).roundedPoint(angle, kOuterRingRadius);
            const ChartLine& line = panel.surface.lines[32 + 2 + j];
            QCOMPARE(line.colour, kOrange);
            QCOMPARE(line.x2, end.x);
            QCOMPARE(line.y2, end.y);
        }
        QVERIFY(!panel.surface.label(indexedName("Texte", 2 + names.size())).visible);
        QCOMPARE(panel.surface.lines.size(), size_t(32 + 2 + names.size()));
    }

    // A second "Ok" replaces the first plotting; an earlier one is not kept on the dial.
    void plottingAgainReplaces() {
        Panel panel;
        panel.draw(2);
        QVERIFY(panel.ok(makeRows({"01/01/1980|a", "01/01/1981|b", "01/01/1982|c"})));
        QVERIFY(panel.ok(makeRows({"01/01/1990|d"})));
        QCOMPARE(panel.events.EventCount, int16_t(1));
        QCOMPARE(panel.surface.label("Texte(2)").caption, std::string("d"));
        QVERIFY(!panel.surface.label("Texte(3)").visible);
    }

    // "Ok" before any drawing checks the rows but plots nothing.
    void okBeforeAnyDrawing() {
        Panel panel;
        const ChartSurface before = panel.surface;
        QVERIFY(!panel.ok(makeRows({"01/01/1980|a"})));
        QVERIFY(panel.messages.empty());
        QVERIFY(panel.surface == before);
        QCOMPARE(panel.chart.ShownLunarCycle, int16_t(0));
    }

    // "Effacer": drawings, dates, ages, free labels and pictures go; names of the points stay.
    void clearing_data() {
        QTest::addColumn<QString>("dial");
        QTest::addColumn<QString>("element");
        QTest::addColumn<bool>("visibleAfter");
        QTest::newRow("ladate(0)") << "soli"
                                   << "ladate(0)" << false;
        QTest::newRow("lage(4)") << "soli"
                                 << "lage(4)" << false;
        QTest::newRow("Texte(0)") << "soli"
                                  << "Texte(0)" << false;
        QTest::newRow("pb1") << "soli"
                             << "pb1" << false;
        QTest::newRow("l_nl stays") << "soli"
                                    << "l_nl" << true;
        QTest::newRow("l_ce stays") << "soli"
                                    << "l_ce" << true;
        QTest::newRow("Label10 stays") << "soli"
                                       << "Label10" << true;
        QTest::newRow("ladate(6)") << "jupiter"
                                   << "ladate(6)" << false;
        QTest::newRow("textej") << "jupiter"
                                << "textej" << false;
        QTest::newRow("textej2") << "jupiter"
                                 << "textej2" << false;
        QTest::newRow("pjs2") << "jupiter"
                              << "pjs2" << false;
        QTest::newRow("j_pq stays") << "jupiter"
                                    << "j_pq" << true;
        QTest::newRow("lage(8)") << "saturn"
                                 << "lage(8)" << false;
        QTest::newRow("textes2") << "saturn"
                                 << "textes2" << false;
        QTest::newRow("pss4") << "saturn"
                              << "pss4" << false;
        QTest::newRow("s_de stays") << "saturn"
                                    << "s_de" << true;
    }
    void clearing() {
        QFETCH(QString, dial);
        QFETCH(QString, element);
        QFETCH(bool, visibleAfter);
        Panel panel;
        panel.draw(2);
        QVERIFY(panel.ok(makeRows({"01/01/1980|a"})));
        ChartSurface jupiter = makePlanetSurface(kJupiterDial);
        ChartSurface saturn = makePlanetSurface(kSaturnDial);
        const CivilDate today = CivilDate{panel.now.day};
        affiche_cycle_jupiter(jupiter, testing::makeJupiterTable1950(), 5, today, panel.state);
        affiche_cycle_saturne(saturn, testing::makeSaturnTable1950(), 2, today);

        clearCharts(panel.surface, jupiter, saturn, panel.chart);

        QCOMPARE(panel.chart.ChartLabelCount, int16_t(0));
        QCOMPARE(panel.chart.ShownLunarCycle, int16_t(2));
        for (const ChartSurface* s : {&panel.surface, &jupiter, &saturn}) {
            QVERIFY(s->lines.empty() && s->circles.empty());
        }
        const ChartSurface& surface = dial == "soli" ? panel.surface : dial == "jupiter" ? jupiter : saturn;
        const std::string name = element.toStdString();
        if (const ChartLabel* label = surface.findLabel(name)) {
            QCOMPARE(label->visible, visibleAfter);
            if (name.starts_with("lada") || name.starts_with("lage")) {
                QVERIFY(label->caption.empty());
            }
        } else {
            QVERIFY(surface.findPicture(name));
            QCOMPARE(surface.findPicture(name)->visible, visibleAfter);
        }
    }
};

QTEST_GUILESS_MAIN(EventsOverlayTest)
#include "test_events_overlay.moc"
