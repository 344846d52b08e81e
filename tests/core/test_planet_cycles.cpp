#include <QtTest>

#include "cycles/planet_cycles.h"

using namespace selenarc;

namespace {

const QString kJupiter = "jupiter";
const QString kSaturn = "saturn";

CivilDate date(const QString& text) {
    const auto parsed = parseDayMonthYear(text.toStdString());
    if (!parsed) {
        qFatal("bad test date %s", qPrintable(text));
    }
    return *parsed;
}

// Ingress table from "JJ/MM/AAAA=sign" items, in the given order.
IngressTable ingresses(const QStringList& items) {
    IngressTable table;
    table.fileName = "test.txt";
    for (const QString& item : items) {
        const QStringList parts = item.split('=');
        table.accepted.push_back(
            {date(parts[0]), parts[1].toStdString(), std::nullopt, int(table.accepted.size()) + 1});
    }
    return table;
}

PlanetCycleResult run(const QString& planet, const QString& birth, const QString& today,
                      const IngressTable& table, RunState& state) {
    return planet == kJupiter ? calcul_jupiter(birth.toStdString(), date(today), table, state)
                              : calcul_saturne(birth.toStdString(), date(today), table, state);
}

QString shifted(const QString& day, int offset) {
    return QString::fromStdString(
        formatDayMonthYear(CivilDate{std::chrono::sys_days{date(day)} + std::chrono::days{offset}}));
}

}  // namespace

class PlanetCyclesTest : public QObject {
    Q_OBJECT
  private slots:
    void boundaries_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QStringList>("dates");  // boundaries 1.. (the first ones given)
        QTest::addColumn<QList<int>>("ages");
        QTest::newRow("jupiter 1950")
            << kJupiter << "01/01/1950" << QStringList{"12/12/1961", "23/11/1973", "03/11/1985", "14/10/1997",
                                                       "25/09/2009", "05/09/2021", "16/08/2033"}
            << QList<int>{11, 23, 35, 47, 59, 71, 83};
        QTest::newRow("jupiter october 1970")
            << kJupiter << "01/10/1970" << QStringList{"12/09/1982"} << QList<int>{12};
        QTest::newRow("jupiter leap day")
            << kJupiter << "29/02/1952" << QStringList{"08/02/1964"} << QList<int>{12};
        QTest::newRow("jupiter 31 january")
            << kJupiter << "31/01/1980" << QStringList{"11/01/1992"} << QList<int>{12};
        QTest::newRow("jupiter blanks around")
            << kJupiter << "  01/01/1950 " << QStringList{"12/12/1961"} << QList<int>{11};
        QTest::newRow("saturn 1950") << kSaturn << "01/01/1950"
                                     << QStringList{"17/06/1979", "01/12/2008", "17/05/2038"}
                                     << QList<int>{29, 58, 88};
        QTest::newRow("saturn october 1970")
            << kSaturn << "01/10/1970" << QStringList{"16/03/2000", "30/08/2029", "13/02/2059"}
            << QList<int>{30, 59, 89};
        QTest::newRow("saturn leap day")
            << kSaturn << "29/02/1952" << QStringList{"14/08/1981"} << QList<int>{29};
    }
    void boundaries() {
        QFETCH(QString, planet);
        QFETCH(QString, birth);
        QFETCH(QStringList, dates);
        QFETCH(QList<int>, ages);
        RunState state;
        const PlanetCycleResult result = run(planet, birth, "01/01/2000", IngressTable{}, state);
        QCOMPARE(QString::fromStdString(result.table.BoundaryText[0]), birth.trimmed());
        QCOMPARE(result.table.BoundaryAge[0], int16_t(0));
        for (int i = 0; i < dates.size(); ++i) {
            QCOMPARE(QString::fromStdString(result.table.BoundaryText[i + 1]), dates[i]);
            QCOMPARE(QString::fromStdString(formatDayMonthYear(result.table.BoundaryDate[i + 1])), dates[i]);
            QCOMPARE(int(result.table.BoundaryAge[i + 1]), ages[i]);
        }
    }

    void listEntries_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("jupiter") << kJupiter
                                 << QStringList{"1er cycle : jusqu'à 11 ans",  "2ème cycle : jusqu'à 23 ans",
                                                "3ème cycle : jusqu'à 35 ans", "4ème cycle : jusqu'à 47 ans",
                                                "5ème cycle : jusqu'à 59 ans", "6ème cycle : jusqu'à 71 ans",
                                                "7ème cycle : jusqu'à 83 ans"};
        QTest::newRow("saturn") << kSaturn
                                << QStringList{"1er cycle : jusqu'à 29 ans", "2ème cycle : jusqu'à 58 ans",
                                               "3ème cycle : jusqu'à 88 ans"};
    }
    void listEntries() {
        QFETCH(QString, planet);
        QFETCH(QStringList, entries);
        RunState state;
        const PlanetCycleResult result = run(planet, "01/01/1950", "01/01/2000", IngressTable{}, state);
        QStringList got;
        for (const std::string& entry : result.comboEntries) {
            got << QString::fromStdString(entry);
        }
        QCOMPARE(got, entries);
        QCOMPARE(result.table.cycleCount, int(entries.size()));
    }

    // Lines the day before, on and after an instant: the cell takes the sign of the day before,
    // which pins the instant to the day.
    void quarterInstants_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("instant");
        QTest::newRow("jupiter first square") << kJupiter << 0 << 2 << "31/12/1952";
        QTest::newRow("jupiter opposition") << kJupiter << 0 << 3 << "31/12/1955";
        QTest::newRow("jupiter second square") << kJupiter << 0 << 4 << "30/12/1958";
        QTest::newRow("jupiter second conjunction") << kJupiter << 1 << 1 << "12/12/1961";
        QTest::newRow("jupiter last cycle second square") << kJupiter << 6 << 4 << "03/09/2030";
        QTest::newRow("saturn first square") << kSaturn << 0 << 2 << "12/05/1957";
        QTest::newRow("saturn opposition") << kSaturn << 0 << 3 << "20/09/1964";
        QTest::newRow("saturn second square") << kSaturn << 0 << 4 << "30/01/1972";
        QTest::newRow("saturn unlisted fourth span") << kSaturn << 3 << 1 << "17/05/2038";
    }
    void quarterInstants() {
        QFETCH(QString, planet);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, instant);
        const IngressTable table = ingresses({"01/01/1900=1", shifted(instant, -1) + "=7", instant + "=8",
                                              shifted(instant, 1) + "=9", "01/01/2200=2"});
        RunState state;
        const PlanetCycleResult result = run(planet, "01/01/1950", "01/01/2000", table, state);
        QCOMPARE(QString::fromStdString(result.table.QuarterSign[row][column]), QString("7"));
    }

    void unusedCellsStayEmpty_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<int>("rowsFilled");
        QTest::newRow("jupiter") << kJupiter << 7;
        QTest::newRow("saturn") << kSaturn << 4;
    }
    void unusedCellsStayEmpty() {
        QFETCH(QString, planet);
        QFETCH(int, rowsFilled);
        const IngressTable table = ingresses({"01/01/1900=5", "01/01/2200=6"});
        RunState state;
        const PlanetCycleResult result = run(planet, "01/01/1950", "01/01/2000", table, state);
        for (int k = 0; k < PlanetCycleTable::kQuarterRows; ++k) {
            QCOMPARE(QString::fromStdString(result.table.QuarterSign[k][0]), QString());
            for (int j = 1; j <= 4; ++j) {
                QCOMPARE(QString::fromStdString(result.table.QuarterSign[k][j]), k < rowsFilled ? "5" : "");
            }
        }
    }

    // Jupiter first square on 31/12/1952, birth 01/01/1950.
    void retrogradeReentry_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("sign");
        QTest::newRow("re-entered before the instant")
            << QStringList{"01/01/1940=11", "10/12/1952=12", "20/12/1952=11", "28/12/1952=12", "05/01/1953=1"}
            << "12";
        QTest::newRow("backed out before the instant")
            << QStringList{"01/01/1940=11", "10/12/1952=12", "20/12/1952=11", "05/01/1953=12"} << "11";
        QTest::newRow("re-entry on the instant not yet made")
            << QStringList{"01/01/1940=11", "10/12/1952=12", "20/12/1952=11", "31/12/1952=12"} << "11";
        QTest::newRow("instant after the last line") << QStringList{"01/01/1940=11", "10/12/1952=12"} << "";
    }
    void retrogradeReentry() {
        QFETCH(QStringList, lines);
        QFETCH(QString, sign);
        RunState state;
        const PlanetCycleResult result =
            calcul_jupiter("01/01/1950", date("01/01/2000"), ingresses(lines), state);
        QCOMPARE(QString::fromStdString(result.table.QuarterSign[0][2]), sign);
    }

    void natalSign_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("natal");
        QTest::addColumn<QString>("cell");
        QTest::newRow("ingress the day before birth")
            << kJupiter << QStringList{"01/01/1940=10", "31/12/1949=11", "01/06/1951=12"} << 11 << "11";
        QTest::newRow("ingress on the birth date not yet made")
            << kJupiter << QStringList{"01/01/1940=10", "01/01/1950=11", "01/06/1951=12"} << 10 << "10";
        QTest::newRow("table starts on the birth date")
            << kJupiter << QStringList{"01/01/1950=11", "01/06/1951=12"} << 0 << "";
        QTest::newRow("table starts after the birth date")
            << kSaturn << QStringList{"02/01/1950=11", "01/06/1951=12"} << 0 << "";
        QTest::newRow("empty table") << kSaturn << QStringList{} << 0 << "";
        QTest::newRow("undecoded sign")
            << kSaturn << QStringList{"01/01/1940=X", "01/06/1951=12"} << 0 << "X";
        QTest::newRow("sign 12") << kSaturn << QStringList{"01/01/1940=12", "01/06/1951=1"} << 12 << "12";
    }
    void natalSign() {
        QFETCH(QString, planet);
        QFETCH(QStringList, lines);
        QFETCH(int, natal);
        QFETCH(QString, cell);
        RunState state;
        state.NatalJupiterSign = state.NatalSaturnSign = 7;  // left by an earlier person
        const PlanetCycleResult result = run(planet, "01/01/1950", "01/01/2000", ingresses(lines), state);
        QCOMPARE(int(planet == kJupiter ? state.NatalJupiterSign : state.NatalSaturnSign), natal);
        QCOMPARE(QString::fromStdString(result.table.QuarterSign[0][1]), cell);
    }

    void currentCycle_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("cycle");
        QTest::newRow("jupiter birth day") << kJupiter << "01/01/1950" << 1;
        QTest::newRow("jupiter end of cycle 1") << kJupiter << "12/12/1961" << 1;
        QTest::newRow("jupiter day after") << kJupiter << "13/12/1961" << 2;
        QTest::newRow("jupiter on boundary 3") << kJupiter << "03/11/1985" << 3;
        QTest::newRow("jupiter last day") << kJupiter << "16/08/2033" << 7;
        QTest::newRow("jupiter too old") << kJupiter << "17/08/2033" << 0;
        QTest::newRow("jupiter before birth") << kJupiter << "31/12/1949" << 0;
        QTest::newRow("saturn end of cycle 1") << kSaturn << "17/06/1979" << 1;
        QTest::newRow("saturn day after") << kSaturn << "18/06/1979" << 2;
        QTest::newRow("saturn 2026") << kSaturn << "01/01/2026" << 3;
        QTest::newRow("saturn last day") << kSaturn << "17/05/2038" << 3;
        QTest::newRow("saturn too old") << kSaturn << "18/05/2038" << 0;
    }
    void currentCycle() {
        QFETCH(QString, planet);
        QFETCH(QString, today);
        QFETCH(int, cycle);
        RunState state;
        state.CurrentJupiterCycle = state.CurrentSaturnCycle = 5;  // left by an earlier person
        const PlanetCycleResult result = run(planet, "01/01/1950", today, IngressTable{}, state);
        QCOMPARE(int(planet == kJupiter ? state.CurrentJupiterCycle : state.CurrentSaturnCycle), cycle);
        QCOMPARE(result.selectedIndex, cycle - 1);
    }

    void currentAge_data() {
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("age");
        QTest::newRow("new year counts") << "31/12/1960"
                                         << "01/01/2026" << 66;
        QTest::newRow("new year eve") << "31/12/1960"
                                      << "31/12/2025" << 65;
        QTest::newRow("birth day") << "01/01/1950"
                                   << "01/01/1950" << 0;
        QTest::newRow("beyond the cycles") << "01/01/1900"
                                           << "01/01/2026" << 126;
    }
    void currentAge() {
        QFETCH(QString, birth);
        QFETCH(QString, today);
        QFETCH(int, age);
        RunState state;
        calcul_saturne(birth.toStdString(), date(today), IngressTable{}, state);
        QCOMPARE(int(state.CurrentAge), age);
    }

    void unreadableBirthDate() {
        RunState state;
        state.CurrentJupiterCycle = 3;
        const PlanetCycleResult result =
            calcul_jupiter("1/1/1950", date("01/01/2000"), IngressTable{}, state);
        QVERIFY(result.comboEntries.empty());
        QCOMPARE(result.selectedIndex, -1);
        QCOMPARE(int(state.CurrentJupiterCycle), 0);
    }
};

QTEST_GUILESS_MAIN(PlanetCyclesTest)
#include "test_planet_cycles.moc"
