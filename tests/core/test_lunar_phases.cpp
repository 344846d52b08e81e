#include <QtTest>

#include <cmath>
#include <limits>

#include "calendar/civil_time.h"
#include "sky/lunar_phases.h"

using namespace selenarc;

namespace {

double (*const kPhaseJD[])(int32_t) = {NewMoonJD, FirstQuarterJD, FullMoonJD, LastQuarterJD};

// "JJ/MM/AAAA HHhMM" of a Julian day, truncated to the minute (JD 2440587.5 = 01/01/1970 0h).
QString minuteText(double jd) {
    const std::chrono::minutes sinceEpoch{static_cast<long>(std::floor((jd - 2440587.5) * 1440.0))};
    return QString::fromStdString(formatDayMonthYearTime(
        CivilDateTime::fromInstant(std::chrono::sys_time<std::chrono::minutes>{sinceEpoch})));
}

}  // namespace

class LunarPhasesTest : public QObject {
    Q_OBJECT
  private slots:
    // Published check values, UT truncated to the minute; phase 0 NL, 1 PQ, 2 PL, 3 DQ.
    void phaseInstants_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("lunation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("618 new moon") << 0 << 618 << "19/12/1949 18h57";
        QTest::newRow("618 first quarter") << 1 << 618 << "27/12/1949 06h32";
        QTest::newRow("618 full moon") << 2 << 618 << "04/01/1950 07h49";
        QTest::newRow("618 last quarter") << 3 << 618 << "11/01/1950 10h32";
        QTest::newRow("1237 new moon") << 0 << 1237 << "06/01/2000 18h14";
        QTest::newRow("1237 full moon") << 2 << 1237 << "21/01/2000 04h41";
        QTest::newRow("1238 new moon") << 0 << 1238 << "05/02/2000 13h04";
    }
    void phaseInstants() {
        QFETCH(int, phase);
        QFETCH(int, lunation);
        QFETCH(QString, expected);
        QCOMPARE(minuteText(kPhaseJD[phase](lunation)), expected);
    }

    // Whole turns removed with the sign kept; civil days from 0h to 23h59 UT; the lunation of a
    // day. Absurd instants end without undefined behaviour with a lunation of the right sign.
    void scalarResults_data() {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("argument");
        QTest::addColumn<double>("expected");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("725 degrees") << "ReduceToRadians" << 725.0 << 5 * 0.017453292519943278;
        QTest::newRow("-30 degrees") << "ReduceToRadians" << -30.0 << -30 * 0.017453292519943278;
        QTest::newRow("00h00") << "CivilDayStart" << 2433282.5 << 2433282.5;
        QTest::newRow("23h59") << "CivilDayStart" << 2433282.5 + 1439 / 1440.0 << 2433282.5;
        QTest::newRow("00h01 next day") << "CivilDayStart" << 2433283.5 + 1 / 1440.0 << 2433283.5;
        QTest::newRow("01/01/1950 11h00") << "LunationAt" << 2433282.5 + 11 / 24.0 << 618.0;
        QTest::newRow("NaN") << "sign of LunationAt" << nan << 0.0;
        QTest::newRow("+infinity") << "sign of LunationAt" << inf << 1.0;
        QTest::newRow("-infinity") << "sign of LunationAt" << -inf << -1.0;
        QTest::newRow("3e10, past the int32 lunations") << "sign of LunationAt" << 3e10 << 1.0;
    }
    void scalarResults() {
        QFETCH(QString, function);
        QFETCH(double, argument);
        QFETCH(double, expected);
        const int32_t k = LunationAt(argument);
        const double result = function == "ReduceToRadians" ? ReduceToRadians(argument)
                              : function == "CivilDayStart" ? CivilDayStart(argument)
                              : function == "LunationAt"    ? k
                                                            : (k > 0) - (k < 0);
        QCOMPARE(result, expected);
    }

    // Every civil day from the day of new moon k to the eve of new moon k + 1 belongs to k, at
    // any hour, from 1819 to 2290; 29- and 30-day lunations both occur.
    void lunationAtEveryDay() {
        int lunationsOfLength[31] = {};
        for (int32_t k = -1000; k <= 4830; ++k) {
            const double start = CivilDayStart(NewMoonJD(k));
            const double end = CivilDayStart(NewMoonJD(k + 1));
            QVERIFY2(end - start == 29 || end - start == 30, qPrintable(QString::number(k)));
            ++lunationsOfLength[int(end - start)];
            for (double day = start; day < end; day += 1) {
                for (double minute : {0.0, 1439.0}) {
                    QVERIFY2(LunationAt(day + minute / 1440.0) == k, qPrintable(minuteText(day)));
                }
            }
        }
        QVERIFY(lunationsOfLength[29] > 0 && lunationsOfLength[30] > 0);
    }
};

QTEST_GUILESS_MAIN(LunarPhasesTest)
#include "test_lunar_phases.moc"
