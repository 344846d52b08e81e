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

}  // namespace

class ReportContentTest : public QObject {
    Q_OBJECT
  private slots:
    void sortableDates_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sortable") << QString("2004/03/07") << "07/03/2004";
        QTest::newRow("empty") << QString() << "";
        QTest::newRow("dashes kept") << QString("2004-03-07") << "2004-03-07";
        QTest::newRow("too short") << QString("04/03/07") << "04/03/07";
    }
    void sortableDates() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(q(sortableToDayMonthYear(text.toStdString())), expected);
    }

    // The zone row as listed, without the stray ", " that ends row 12; no zone line for a bad row.
    void birth_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("zone");
        QTest::newRow("Paris")
            << 13 << "(GMT +01) Paris, Bruxelles, Amsterdam, Berlin, Berne, Rome, Stocholm, Vienne";
        QTest::newRow("Greenwich trailing comma")
            << 12 << "(GMT      ) Greenwich, Dublin, Lisbonne, Londres, Casablanca, Monrovia";
        QTest::newRow("last row") << 25 << "(GMT +13) Nuku'alofa";
        QTest::newRow("row past the list") << 26 << "";
    }
    void birth() {
        QFETCH(int, row);
        QFETCH(QString, zone);
        PersonRecord person;
        person.Text1 = " 01/01/1950 ";
        person.timeZoneRow = row;
        QStringList expected{"Né(e) le 01/01/1950 à 12h00"};
        if (!zone.isEmpty()) {
            expected << "Fuseau horaire : " + zone;
        }
        QCOMPARE(toList(birthLines(person)), expected);
    }

    // Start and end of each cycle from its two new moons; an age not above 0 (before birth) left out.
    void lunarLines() {
        SoliLunarResult lunar;
        lunar.Combo2 = {"Cycle prép. : jusqu'à 12 ans", "1er cycle : jusqu'à 42 ans"};
        PhaseTable& table = lunar.cycle.table;
        for (const auto& [row, date, age] :
             {std::tuple{1, "1937/10/14", -13}, {5, "1962/11/05", 12}, {9, "1992/12/01", 42}}) {
            table.LifeDateText[row] = date;
            table.PhaseAge[row] = static_cast<int16_t>(age);
        }
        QCOMPARE(toList(lunarCycleLines(lunar, 2)),
                 (QStringList{"Cycle prép. : jusqu'à 12 ans — du 14/10/1937 au 05/11/1962 (12 ans)",
                              "1er cycle : jusqu'à 42 ans — du 05/11/1962 (12 ans) au 01/12/1992 (42 ans) "
                              "(cadran ci-dessus)"}));
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
        const PlanetCycleTable& t = planet.table;
        for (int c = 1; c <= t.cycleCount; ++c) {
            planet.comboEntries.push_back("cycle " + std::to_string(c));
        }
        ChartSurface surface = makePlanetSurface(config);
        RunState state;
        affiche_cycle_planete(surface, config, t, drawn,
                              {std::chrono::year{2015}, std::chrono::month{6}, std::chrono::day{1}}, state);
        QCOMPARE(shownPlanetCycle(surface, config, t), drawn);
        const QStringList lines = toList(planetCycleLines(planet, drawn));
        QCOMPARE(lines.size(), t.cycleCount);
        const auto boundary = [&t](int i) {
            return QString("%1 (%2 ans)").arg(q(t.BoundaryText[i])).arg(t.BoundaryAge[i]);
        };
        for (int c = 1; c <= t.cycleCount; ++c) {
            QCOMPARE(lines[c - 1].endsWith(kShownCycleMark), c == drawn);
            QVERIFY(lines[c - 1].startsWith(
                QString("cycle %1 — du %2 au %3").arg(c).arg(boundary(c - 1), boundary(c))));
        }
    }

    // Names trimmed; a count past the twelve rows never reads beyond them.
    void events_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("lines");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("two") << 2 << 2;
        QTest::newRow("count past the rows") << 40 << PersonRecord::kEventRows;
    }
    void events() {
        QFETCH(int, count);
        QFETCH(int, lines);
        EventPlot plot;
        plot.EventCount = static_cast<int16_t>(count);
        plot.EventDates[1] = makeDateTime(1975, 5, 15);
        plot.EventNames[1] = "Mariage";
        plot.EventDates[2] = makeDateTime(2000, 1, 1, 12, 30);
        plot.EventNames[2] = "  An 2000 ";
        const QStringList got = toList(eventLines(plot));
        QCOMPARE(got.size(), lines);
        if (count == 2) {
            QCOMPARE(got, QStringList({"15/05/1975 : Mariage", "01/01/2000 : An 2000"}));
        }
    }
};

QTEST_GUILESS_MAIN(ReportContentTest)
#include "test_report_content.moc"
