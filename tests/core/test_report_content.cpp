#include <QtTest>
#include <numeric>

#include "app/report_content.h"
#include "support/shipped_cycles.h"

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
        PersonRecord person{"", "", " 01/01/1950 ", "12h00", 12, {}, {}, HourChoice::None};
        QCOMPARE(joined(birthLines(person, {})),
                 "Né(e) le 01/01/1950 à 12h00\nFuseau horaire : (GMT      ) Greenwich, "
                 "Dublin, Lisbonne, Londres, Casablanca, Monrovia\n");
        QCOMPARE(birthLines({"", "", "", "", 26, {}, {}, HourChoice::None}, {}).size(), 1u);
        const BirthClock brest{3030300, "Brest (Finistère, France)", "Europe/Paris",
                               std::chrono::seconds{-1077}, OffsetKind::LocalMean};
        QCOMPARE(joined(birthLines(person, brest)),
                 "Né(e) le 01/01/1950 à 12h00\nLieu de naissance : Brest "
                 "(Finistère, France), UTC\u22120h17m57s, temps moyen local\n");
        QCOMPARE(zoneLine({"", "", "", "", -1, {}, {}, HourChoice::None}), "");
    }

    // The cycles of today: the soli-lunar one between its two new moons with the quarter of today's
    // angle, Jupiter with its year, Saturn with the quarter of today; a cycle without today says so.
    void currentCycles_data() {
        QTest::addColumn<bool>("current");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all three")
            << true
            << "Cycle de vie, 1er cycle|du 05/11/1962 au 01/12/1992|pleine lune\n"
               "Cycle socio-professionnel, 7ème cycle|du 05/09/2021 au 16/08/2033|année 5 "
               "sur 12\nCycle d'individuation, 3ème cycle|du 01/12/2008 au "
               "17/05/2038|opposition\n";
        const QString none = "|aucun cycle ne contient la date du jour|\n";
        QTest::newRow("none") << false
                              << "Cycle de vie" + none + "Cycle socio-professionnel" + none +
                                     "Cycle d'individuation" + none;
    }
    void currentCycles() {
        QFETCH(bool, current);
        QFETCH(QString, expected);
        SoliLunarResult lunar;
        lunar.cycleEntries = {"Cycle prép. : jusqu'à 12 ans", "1er cycle : jusqu'à 42 ans"};
        lunar.cycle.table.LifeDateText[5] = "1962/11/05";
        lunar.cycle.table.LifeDateText[9] = "1992/12/01";
        const CivilDate today = *parseDayMonthYear(current ? "06/12/2026" : "01/01/2050");
        const PlanetCycleResult jupiter =
            calcul_jupiter(testing::kBirth1950, today, testing::shippedTables().jupiter);
        const PlanetCycleResult saturn =
            calcul_saturne(testing::kBirth1950, today, testing::shippedTables().saturn);
        RunState state;
        state.TodayPhaseAngle = 4.0f;
        state.JupiterCycleYear = 5;
        if (current) {
            lunar.currentCycle = lunar.currentCycleEntry = 1;
        }
        QString got;
        for (const CurrentCycleRow& row : currentCycleRows(lunar, jupiter, saturn, state, today)) {
            got += QString::fromStdString(row.cycle + '|' + row.span + '|' + row.today + '\n');
        }
        QCOMPARE(got, expected);
        QCOMPARE(interpretationSubject({"Jean ", " Dupont", "", "", 0, {}, {}, HourChoice::None}, today),
                 "Jean Dupont, interprétation du " + formatDayMonthYear(today));
    }
};

QTEST_GUILESS_MAIN(ReportContentTest)
#include "test_report_content.moc"
