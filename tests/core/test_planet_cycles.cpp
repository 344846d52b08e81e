#include <QtTest>

#include "cycles/planet_cycles.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

namespace {

// Ingress table from "JJ/MM/AAAA=sign" items, in the given order.
IngressTable ingresses(const QStringList& items) {
    IngressTable table;
    for (const QString& item : items) {
        const CivilDate day = *parseDayMonthYear(item.left(10).toStdString());
        table.accepted.push_back({day, static_cast<SignIndex>(item.mid(11).toInt()), std::nullopt, 0});
    }
    return table;
}

// A day's mark 1..12, to tell neighbouring days apart through a sign cell.
SignIndex dayMark(sys_days day) {
    return static_cast<SignIndex>((day.time_since_epoch().count() % 12 + 12) % 12 + 1);
}

// The marks of "JJ/MM/AAAA" dates, as a cell row reads.
QString dayMarks(const QString& dates) {
    QStringList marks;
    for (const QString& date : dates.split(' ', Qt::SkipEmptyParts)) {
        marks << QString::number(dayMark(sys_days{*parseDayMonthYear(date.toStdString())}));
    }
    return marks.join(' ');
}

// One line a day from 1940 to 2070, the line of day D marked as D + 1: a quarter cell, which takes
// the line dated the day before its instant, then reads as its own instant.
IngressTable dailyTable() {
    IngressTable t;
    for (sys_days d{1940y / 1 / 1}; d < sys_days{2070y / 1 / 1}; d += days{1}) {
        t.accepted.push_back({CivilDate{d}, dayMark(d + days{1}), std::nullopt, 0});
    }
    return t;
}

// Rows are named after the planet they run.
bool jupiterRow() {
    return QByteArray(QTest::currentDataTag()).startsWith("jupiter");
}

PlanetCycleResult run(const QString& birth, const IngressTable& table, const QString& today = "01/01/2000") {
    const auto compute = jupiterRow() ? calcul_jupiter : calcul_saturne;
    return compute(*parseDayMonthYear(birth.trimmed().toStdString()), *parseDayMonthYear(today.toStdString()),
                   table);
}

}  // namespace

class PlanetCyclesTest : public QObject {
    Q_OBJECT
  private slots:
    // "date:age" of the first boundaries and, when given, the first cycle's quarter cells (counted in
    // days) on a table where each cell reads as its instant. Every span's conjunction falls on its
    // boundary; column 0 and unused rows stay empty; an unreadable birth gives nothing at all.
    void cycles_data() {
        QTest::addColumn<QString>("birth");
        QTest::addColumn<QString>("boundaries");
        QTest::addColumn<QString>("quarters");
        QTest::newRow("jupiter 1950") << u"01/01/1950"_s
                                      << u"12/12/1961:11 23/11/1973:23 03/11/1985:35 14/10/1997:47 "
                                         "25/09/2009:59 05/09/2021:71 16/08/2033:83"_s
                                      << u"31/12/1952 31/12/1955 30/12/1958"_s;
        QTest::newRow("saturn 1950") << u"01/01/1950"_s << u"17/06/1979:29 01/12/2008:58 17/05/2038:88"_s
                                     << u"12/05/1957 20/09/1964 30/01/1972"_s;
        QTest::newRow("jupiter leap day") << u"29/02/1952"_s << u"08/02/1964:12"_s << QString();
    }
    void cycles() {
        QFETCH(QString, birth);
        QFETCH(QString, boundaries);
        QFETCH(QString, quarters);
        const PlanetCycleResult result = run(birth, dailyTable());
        const PlanetCycleTable& t = result.table;
        const QStringList expected = boundaries.split(' ', Qt::SkipEmptyParts);
        QStringList got;
        for (int i = 1; i <= expected.size(); ++i) {
            got << QString::fromStdString(t.BoundaryText[i] + ":" + std::to_string(t.BoundaryAge[i]));
        }
        QCOMPARE(got, expected);
        QCOMPARE(int(result.comboEntries.size()), expected.isEmpty() ? 0 : t.cycleCount);
        const auto& q = t.QuarterSign[0];
        if (!quarters.isEmpty()) {
            QCOMPARE(u"%1 %2 %3"_s.arg(q[2]).arg(q[3]).arg(q[4]), dayMarks(quarters));
        }
        const int rowsFilled = expected.isEmpty() ? 0 : jupiterRow() ? 7 : 4;
        for (int k = 0; k < PlanetCycleTable::kQuarterRows; ++k) {
            const auto& row = t.QuarterSign[k];
            QCOMPARE(row[1], k < rowsFilled ? dayMark(sys_days{t.BoundaryDate[k]}) : 0);
            QCOMPARE(std::count(row.begin(), row.end(), 0), k < rowsFilled ? 1 : 5);
        }
    }

    // "natal cell|cell": the natal sign (an earlier person's 7 replaced), cells (0, 1) and (0, 2)
    // (31/12/1952).
    void signAtInstants_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("signs");
        QTest::newRow("jupiter ingress on the birth date not yet made")
            << QStringList{"01/01/1940=10", "01/01/1950=11", "01/06/1951=12"} << "10 10|";
        QTest::newRow("jupiter table from the birth date") << QStringList{"01/01/1950=11"} << "0 |";
        QTest::newRow("jupiter retrograde re-entry before the instant")
            << QStringList{"01/01/1940=11", "10/12/1952=12", "20/12/1952=11", "28/12/1952=12", "05/01/1953=1"}
            << "11 11|12";
    }
    void signAtInstants() {
        QFETCH(QStringList, lines);
        QFETCH(QString, signs);
        const PlanetCycleResult result = run("01/01/1950", ingresses(lines));
        const auto& q = result.table.QuarterSign[0];
        QCOMPARE(QString::fromStdString(std::to_string(result.natalSign) + " " + signText(q[1]) + "|" +
                                        signText(q[2])),
                 signs);
    }

    // "birth today": a boundary day belongs to the earlier cycle; outside the cycles no cycle and
    // nothing selected; the age is present year minus birth year.
    void current_data() {
        QTest::addColumn<QString>("dates");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("age");
        QTest::newRow("jupiter on boundary 3") << "01/01/1950 03/11/1985" << 3 << 35;
        QTest::newRow("jupiter too old") << "01/01/1950 17/08/2033" << 0 << 83;
        QTest::newRow("jupiter before birth") << "01/01/1950 31/12/1949" << 0 << -1;
        QTest::newRow("saturn new year counts") << "31/12/1960 01/01/2026" << 3 << 66;
    }
    void current() {
        QFETCH(QString, dates);
        QFETCH(int, cycle);
        QFETCH(int, age);
        const PlanetCycleResult result = run(dates.section(' ', 0, 0), {}, dates.section(' ', 1));
        QCOMPARE(int(result.currentCycle), cycle);
        QCOMPARE(result.selectedIndex, cycle - 1);
        QCOMPARE(yearsSinceBirth(*parseDayMonthYear(dates.section(' ', 0, 0).toStdString()),
                                 *parseDayMonthYear(dates.section(' ', 1).toStdString())),
                 int16_t(age));
    }
};

QTEST_GUILESS_MAIN(PlanetCyclesTest)
#include "test_planet_cycles.moc"
