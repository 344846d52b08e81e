#include <QtTest>
#include <numeric>

#include "app/report_content.h"

using namespace selenarc;

// The lines, each ended by a line break.
static QString joined(const std::vector<std::string>& lines) {
    return QString::fromStdString(
        std::accumulate(lines.begin(), lines.end(), std::string(),
                        [](const auto& all, const auto& line) { return all + line + "\n"; }));
}

class ReportContentTest : public QObject {
    Q_OBJECT
  private slots:
    // The zone as listed but without the stray ", " that ends row 12; no zone line past the list.
    void birth() {
        PersonRecord person{"", "", " 01/01/1950 ", "12h00", 12, {}};
        QCOMPARE(joined(birthLines(person)),
                 "Né(e) le 01/01/1950 à 12h00\nFuseau horaire : (GMT      ) Greenwich, "
                 "Dublin, Lisbonne, Londres, Casablanca, Monrovia\n");
        QCOMPARE(birthLines({"", "", "", "", 26, {}}).size(), 1u);
    }

    // Each cycle from its two new moons, an age not above 0 (before birth) left out, the mark on the
    // shown cycle; entries beyond the 21 rows ignored.
    void lunarLines() {
        SoliLunarResult lunar;
        lunar.cycleEntries = {"Cycle prép.", "1er cycle"};
        for (auto [row, date, age] :
             {std::tuple{1, "1937/10/14", -13}, {5, "1962/11/05", 12}, {9, "1992/12/01", 42}}) {
            lunar.cycle.table.LifeDateText[row] = date;
            lunar.cycle.table.PhaseAge[row] = static_cast<int16_t>(age);
        }
        QCOMPARE(joined(lunarCycleLines(lunar, 2)),
                 "Cycle prép. — du 14/10/1937 au 05/11/1962 (12 ans)\n1er cycle — du "
                 "05/11/1962 (12 ans) au 01/12/1992 (42 ans) (cadran ci-dessus)\n");
        lunar.cycleEntries.resize(9, "trop");
        QCOMPARE(lunarCycleLines(lunar, 1).size(), 5u);
    }

    // A count past the twelve rows stops at the last row; names trimmed, times left out.
    void events() {
        EventPlot plot{40, {}, {}};
        plot.EventDates[12] = makeDateTime(2000, 1, 1, 12, 30);
        plot.EventNames[12] = "  An 2000 ";
        QCOMPARE(joined(eventLines(plot)).section('\n', 11), "01/01/2000 : An 2000\n");
    }
};

QTEST_GUILESS_MAIN(ReportContentTest)
#include "test_report_content.moc"
