#include <QtTest>

#include "app/report_content.h"
#include "charts/planet_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList toList(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& line : lines) {
        list << q(line);
    }
    return list;
}

const CivilDate kToday{std::chrono::year{2015}, std::chrono::month{6}, std::chrono::day{1}};

}  // namespace

class ReportContentTest : public QObject {
    Q_OBJECT
  private slots:
    void sortableDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sortable") << "2004/03/07"
                                  << "07/03/2004";
        QTest::newRow("year end") << "1999/12/31"
                                  << "31/12/1999";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("dashes kept") << "2004-03-07"
                                     << "2004-03-07";
        QTest::newRow("already day first") << "07/03/2004"
                                           << "07/03/2004";
        QTest::newRow("too short") << "04/03/07"
                                   << "04/03/07";
    }
    void sortableDates() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(q(sortableToDayMonthYear(text.toStdString())), expected);
    }

    // The zone row as listed, without the stray ", " that ends row 12; no zone line for a bad row.
    void birth_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected");
        const QString born = QStringLiteral("Né(e) le 01/01/1950 à 12h00");
        QTest::newRow("Paris") << 13
                               << QStringList{
                                      born,
                                      "Fuseau horaire : (GMT +01) Paris, Bruxelles, Amsterdam, Berlin, "
                                      "Berne, Rome, Stocholm, Vienne"};
        QTest::newRow("Greenwich trailing comma")
            << 12
            << QStringList{
                   born,
                   "Fuseau horaire : (GMT      ) Greenwich, Dublin, Lisbonne, Londres, Casablanca, Monrovia"};
        QTest::newRow("first row") << 0
                                   << QStringList{born,
                                                  "Fuseau horaire : (GMT -12) Ligne de date internationale"};
        QTest::newRow("last row") << 25 << QStringList{born, "Fuseau horaire : (GMT +13) Nuku'alofa"};
        QTest::newRow("row past the list") << 26 << QStringList{born};
    }
    void birth() {
        QFETCH(int, row);
        QFETCH(QStringList, expected);
        PersonRecord person;
        person.Text1 = " 01/01/1950 ";
        person.timeZoneRow = row;
        QCOMPARE(toList(birthLines(person)), expected);
    }

    // Start and end of each cycle from its two new moons; an age not above 0 (before birth) left out.
    void lunarLines() {
        SoliLunarResult lunar;
        lunar.Combo2 = {"Cycle prép. : jusqu'à 12 ans", "1er cycle : jusqu'à 42 ans"};
        PhaseTable& table = lunar.cycle.table;
        table.LifeDateText[1] = "1937/10/14";
        table.PhaseAge[1] = -13;
        table.LifeDateText[5] = "1962/11/05";
        table.PhaseAge[5] = 12;
        table.LifeDateText[9] = "1992/12/01";
        table.PhaseAge[9] = 42;
        QCOMPARE(
            toList(lunarCycleLines(lunar, 2)),
            (QStringList{"Cycle prép. : jusqu'à 12 ans — du 14/10/1937 au 05/11/1962 (12 ans)",
                         "1er cycle : jusqu'à 42 ans — du 05/11/1962 (12 ans) au 01/12/1992 (42 ans) (cadran "
                         "ci-dessus)"}));
        QCOMPARE(toList(lunarCycleLines(lunar, 0)).filter("cadran").size(), 0);
        lunar.Combo2.resize(9, "trop");  // more entries than the 21 rows hold: the surplus is ignored
        QCOMPARE(lunarCycleLines(lunar, 1).size(), size_t{5});
    }

    // The mark follows the cycle whose dates the planet dial shows, whichever it is.
    void shownPlanet_data() {
        QTest::addColumn<bool>("jupiter");
        QTest::addColumn<int>("drawn");
        for (int c = 0; c <= 7; ++c) {
            QTest::addRow("Jupiter %d", c) << true << c;
        }
        for (int c = 0; c <= 3; ++c) {
            QTest::addRow("Saturne %d", c) << false << c;
        }
    }
    void shownPlanet() {
        QFETCH(bool, jupiter);
        QFETCH(int, drawn);
        const PlanetDialConfig& config = jupiter ? kJupiterDial : kSaturnDial;
        PlanetCycleResult planet;
        planet.table = jupiter ? testing::makeJupiterTable1950() : testing::makeSaturnTable1950();
        for (int c = 1; c <= planet.table.cycleCount; ++c) {
            planet.comboEntries.push_back("cycle " + std::to_string(c));
        }
        ChartSurface surface = makePlanetSurface(config);
        RunState state;
        affiche_cycle_planete(surface, config, planet.table, drawn, kToday, state);
        const int shown = shownPlanetCycle(surface, config, planet.table);
        QCOMPARE(shown, drawn);

        const std::vector<std::string> lines = planetCycleLines(planet, shown);
        QCOMPARE(static_cast<int>(lines.size()), planet.table.cycleCount);
        for (int c = 1; c <= planet.table.cycleCount; ++c) {
            const QString line = q(lines[c - 1]);
            QCOMPARE(line.endsWith(kShownCycleMark), c == drawn);
            QVERIFY(line.startsWith(QStringLiteral("cycle %1 — du %2 (%3 ans) au %4 (%5 ans)")
                                        .arg(c)
                                        .arg(q(planet.table.BoundaryText[c - 1]))
                                        .arg(planet.table.BoundaryAge[c - 1])
                                        .arg(q(planet.table.BoundaryText[c]))
                                        .arg(planet.table.BoundaryAge[c])));
        }
    }

    void events_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("none") << 0 << QStringList{};
        QTest::newRow("two, names trimmed")
            << 2 << QStringList{"15/05/1975 : Mariage", "01/01/2000 : An 2000"};
        QTest::newRow("count past the rows") << 40 << QStringList{};
    }
    void events() {
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        EventPlot plot;
        plot.EventCount = static_cast<int16_t>(count);
        plot.EventDates[1] = makeDateTime(1975, 5, 15);
        plot.EventNames[1] = "Mariage";
        plot.EventDates[2] = makeDateTime(2000, 1, 1, 12, 30);
        plot.EventNames[2] = "  An 2000 ";
        const QStringList lines = toList(eventLines(plot));
        if (count > PersonRecord::kEventRows) {
            QCOMPARE(lines.size(), PersonRecord::kEventRows);  // never read past the twelve rows
        } else {
            QCOMPARE(lines, expected);
        }
    }
};

QTEST_GUILESS_MAIN(ReportContentTest)
#include "test_report_content.moc"
