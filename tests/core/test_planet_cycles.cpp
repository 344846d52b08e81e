#include <QtTest>

#include "cycles/planet_cycles.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

namespace {

const QString kJupiter = "jupiter";
const QString kSaturn = "saturn";

CivilDate date(const QString& text) {
    return *parseDayMonthYear(text.toStdString());
}

QString shifted(const QString& day, int offset) {
    return QString::fromStdString(
        formatDayMonthYear(CivilDate{std::chrono::sys_days{date(day)} + std::chrono::days{offset}}));
}

// Ingress table from "JJ/MM/AAAA=sign" items, in the given order.
IngressTable ingresses(const QStringList& items) {
    IngressTable table;
    for (const QString& item : items) {
        table.accepted.push_back({date(item.left(10)), item.mid(11).toStdString(), std::nullopt, 0});
    }
    return table;
}

// The planet's computation for a birth (today 01/01/2000 unless given).
PlanetCycleResult run(const QString& planet, const QStringList& lines, RunState& state,
                      const QString& birth = "01/01/1950", const QString& today = "01/01/2000") {
    const auto compute = planet == kJupiter ? calcul_jupiter : calcul_saturne;
    return compute(birth.toStdString(), date(today), ingresses(lines), state);
}

}  // namespace

class PlanetCyclesTest : public QObject {
    Q_OBJECT
  private slots:
    // "date:age" of boundaries 1.. (the first ones given); the whole cycle list for the 1950 births.
    void boundaries_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("boundaries");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("jupiter 1950")
            << kJupiter << u"01/01/1950"_s
            << u"12/12/1961:11 23/11/1973:23 03/11/1985:35 14/10/1997:47 25/09/2009:59 05/09/2021:71 16/08/2033:83"_s
            << QStringList{"1er cycle : jusqu'à 11 ans",  "2ème cycle : jusqu'à 23 ans",
                           "3ème cycle : jusqu'à 35 ans", "4ème cycle : jusqu'à 47 ans",
                           "5ème cycle : jusqu'à 59 ans", "6ème cycle : jusqu'à 71 ans",
                           "7ème cycle : jusqu'à 83 ans"};
        QTest::newRow("saturn 1950") << kSaturn << u"01/01/1950"_s
                                     << u"17/06/1979:29 01/12/2008:58 17/05/2038:88"_s
                                     << QStringList{"1er cycle : jusqu'à 29 ans",
                                                    "2ème cycle : jusqu'à 58 ans",
                                                    "3ème cycle : jusqu'à 88 ans"};
        QTest::newRow("jupiter october 1970")
            << kJupiter << u"01/10/1970"_s << u"12/09/1982:12"_s << QStringList{};
        QTest::newRow("jupiter leap day")
            << kJupiter << u"29/02/1952"_s << u"08/02/1964:12"_s << QStringList{};
        QTest::newRow("jupiter 31 january")
            << kJupiter << u"31/01/1980"_s << u"11/01/1992:12"_s << QStringList{};
        QTest::newRow("jupiter blanks around")
            << kJupiter << u"  01/01/1950 "_s << u"12/12/1961:11"_s << QStringList{};
        QTest::newRow("saturn october 1970")
            << kSaturn << u"01/10/1970"_s << u"16/03/2000:30 30/08/2029:59 13/02/2059:89"_s << QStringList{};
        QTest::newRow("saturn leap day") << kSaturn << u"29/02/1952"_s << u"14/08/1981:29"_s << QStringList{};
    }
    void boundaries() {
        QFETCH(QString, planet);
        QFETCH(QString, birth);
        QFETCH(QString, boundaries);
        QFETCH(QStringList, entries);
        RunState state;
        const PlanetCycleResult result = run(planet, {}, state, birth);
        const PlanetCycleTable& table = result.table;
        QCOMPARE(QString::fromStdString(table.BoundaryText[0]), birth.trimmed());
        QCOMPARE(table.BoundaryAge[0], int16_t(0));
        QStringList got;
        for (int i = 1; i <= boundaries.count(' ') + 1; ++i) {
            QCOMPARE(table.BoundaryText[i], formatDayMonthYear(table.BoundaryDate[i]));
            got << QString::fromStdString(table.BoundaryText[i]) + ":" +
                       QString::number(table.BoundaryAge[i]);
        }
        QCOMPARE(got.join(' '), boundaries);
        if (!entries.isEmpty()) {
            got.clear();
            for (const std::string& entry : result.comboEntries) {
                got << QString::fromStdString(entry);
            }
            QCOMPARE(got, entries);
            QCOMPARE(table.cycleCount, int(entries.size()));
        }
    }

    // Lines the day before and on an instant: the cell takes the sign of the day before, which pins
    // the instant to the day.
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
        RunState state;
        const QStringList lines{"01/01/1900=1", shifted(instant, -1) + "=7", instant + "=8", "01/01/2200=2"};
        const PlanetCycleResult result = run(planet, lines, state);
        QCOMPARE(QString::fromStdString(result.table.QuarterSign[row][column]), u"7"_s);
        // Column 0 and the rows past the cycles (Jupiter's row 7) stay empty; every other cell is set.
        const int rowsFilled = planet == kJupiter ? 7 : 4;
        for (int k = 0; k < PlanetCycleTable::kQuarterRows; ++k) {
            for (int j = 0; j <= 4; ++j) {
                QCOMPARE(result.table.QuarterSign[k][j].empty(), j == 0 || k >= rowsFilled);
            }
        }
    }

    // Cells (0, 1) (the natal sign) and (0, 2) (Jupiter's first square, 31/12/1952) for a birth on
    // 01/01/1950, "-" when empty; the natal sign replaces the 7 of an earlier person.
    void signAtInstants_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("natal");
        QTest::addColumn<QString>("cells");
        QTest::newRow("ingress the day before birth")
            << kJupiter << QStringList{"01/01/1940=10", "31/12/1949=11", "01/06/1951=12"} << 11 << "11 -";
        QTest::newRow("ingress on the birth date not yet made")
            << kJupiter << QStringList{"01/01/1940=10", "01/01/1950=11", "01/06/1951=12"} << 10 << "10 -";
        QTest::newRow("table starts on the birth date")
            << kJupiter << QStringList{"01/01/1950=11", "01/06/1951=12"} << 0 << "- -";
        QTest::newRow("empty table") << kSaturn << QStringList{} << 0 << "- -";
        QTest::newRow("undecoded sign")
            << kSaturn << QStringList{"01/01/1940=X", "01/06/1951=12"} << 0 << "X -";
        QTest::newRow("retrograde re-entry before the instant")
            << kJupiter
            << QStringList{"01/01/1940=11", "10/12/1952=12", "20/12/1952=11", "28/12/1952=12", "05/01/1953=1"}
            << 11 << "11 12";
        QTest::newRow("backed out before the instant")
            << kJupiter << QStringList{"01/01/1940=11", "10/12/1952=12", "20/12/1952=11", "05/01/1953=12"}
            << 11 << "11 11";
        QTest::newRow("re-entry on the instant not yet made")
            << kJupiter << QStringList{"01/01/1940=11", "10/12/1952=12", "20/12/1952=11", "31/12/1952=12"}
            << 11 << "11 11";
        QTest::newRow("instant after the last line")
            << kJupiter << QStringList{"01/01/1940=11", "10/12/1952=12"} << 11 << "11 -";
    }
    void signAtInstants() {
        QFETCH(QString, planet);
        QFETCH(QStringList, lines);
        QFETCH(int, natal);
        QFETCH(QString, cells);
        RunState state;
        state.NatalJupiterSign = state.NatalSaturnSign = 7;
        const PlanetCycleResult result = run(planet, lines, state);
        QCOMPARE(int(planet == kJupiter ? state.NatalJupiterSign : state.NatalSaturnSign), natal);
        QStringList got;
        for (const std::string& cell : {result.table.QuarterSign[0][1], result.table.QuarterSign[0][2]}) {
            got << (cell.empty() ? u"-"_s : QString::fromStdString(cell));
        }
        QCOMPARE(got.join(' '), cells);
    }

    // Birth 01/01/1950; a boundary day belongs to the earlier cycle; outside the cycles the value left
    // by an earlier person (5) is cleared and nothing is selected.
    void currentCycle_data() {
        QTest::addColumn<QString>("planet");
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("cycle");
        QTest::newRow("jupiter birth day") << kJupiter << "01/01/1950" << 1;
        QTest::newRow("jupiter day after boundary 1") << kJupiter << "13/12/1961" << 2;
        QTest::newRow("jupiter on boundary 3") << kJupiter << "03/11/1985" << 3;
        QTest::newRow("jupiter last day") << kJupiter << "16/08/2033" << 7;
        QTest::newRow("jupiter too old") << kJupiter << "17/08/2033" << 0;
        QTest::newRow("jupiter before birth") << kJupiter << "31/12/1949" << 0;
        QTest::newRow("saturn last day") << kSaturn << "17/05/2038" << 3;
        QTest::newRow("saturn too old") << kSaturn << "18/05/2038" << 0;
    }
    void currentCycle() {
        QFETCH(QString, planet);
        QFETCH(QString, today);
        QFETCH(int, cycle);
        RunState state;
        state.CurrentJupiterCycle = state.CurrentSaturnCycle = 5;
        const PlanetCycleResult result = run(planet, {}, state, "01/01/1950", today);
        QCOMPARE(int(planet == kJupiter ? state.CurrentJupiterCycle : state.CurrentSaturnCycle), cycle);
        QCOMPARE(result.selectedIndex, cycle - 1);
    }

    // Present year minus birth year, cycles or not.
    void currentAge_data() {
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("today");
        QTest::addColumn<int>("age");
        QTest::newRow("new year counts") << u"31/12/1960"_s << u"01/01/2026"_s << 66;
        QTest::newRow("new year eve") << u"31/12/1960"_s << u"31/12/2025"_s << 65;
        QTest::newRow("beyond the cycles") << u"01/01/1900"_s << u"01/01/2026"_s << 126;
    }
    void currentAge() {
        QFETCH(QString, birth);
        QFETCH(QString, today);
        QFETCH(int, age);
        RunState state;
        run(kSaturn, {}, state, birth, today);
        QCOMPARE(int(state.CurrentAge), age);
    }

    void unreadableBirthDate() {
        RunState state;
        state.CurrentJupiterCycle = 3;
        const PlanetCycleResult result = run(kJupiter, {}, state, "1/1/1950");
        QVERIFY(result.comboEntries.empty());
        QCOMPARE(result.selectedIndex, -1);
        QCOMPARE(int(state.CurrentJupiterCycle), 0);
    }
};

QTEST_GUILESS_MAIN(PlanetCyclesTest)
#include "test_planet_cycles.moc"
