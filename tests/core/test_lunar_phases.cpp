#include <QtTest>

#include <limits>

#include "calendar/julian_day.h"
#include "sky/lunar_phases.h"

using namespace selenarc;

class LunarPhasesTest : public QObject {
    Q_OBJECT
  private slots:
    // The check values Meeus publishes with these coefficients (Astronomical Formulae for
    // Calculators), cut to the minute; phase 0 NL, 1 PQ, 2 PL, 3 DQ (the quarters share a table,
    // the sign of their correction differs). The formulas give dynamical time: the full moon of the
    // lunar eclipse of 21/01/2000 is published at 04h40 UT (USNO), a minute of ΔT earlier.
    void phaseInstants_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("lunation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("618 new moon") << 0 << 618 << "19/12/1949 à 18h57";
        QTest::newRow("618 first quarter") << 1 << 618 << "27/12/1949 à 06h32";
        QTest::newRow("618 full moon") << 2 << 618 << "04/01/1950 à 07h49";
        QTest::newRow("618 last quarter") << 3 << 618 << "11/01/1950 à 10h32";
        QTest::newRow("1237 new moon") << 0 << 1237 << "06/01/2000 à 18h14";
        QTest::newRow("1237 full moon (lunar eclipse night)") << 2 << 1237 << "21/01/2000 à 04h41";
    }
    void phaseInstants() {
        QFETCH(int, phase);
        QFETCH(int, lunation);
        QFETCH(QString, expected);
        double (*const kPhaseJD[])(int32_t) = {NewMoonJD, FirstQuarterJD, FullMoonJD, LastQuarterJD};
        QCOMPARE(QString::fromStdString(JulianDayToDate(kPhaseJD[phase](lunation), {})).left(18), expected);
    }

    // Whole turns removed with the sign kept; a civil day from its 0h UT (23h59 in the sweep
    // below); the lunation of a day. Absurd instants end without undefined behaviour with a
    // lunation of the right sign.
    void scalarResults_data() {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("argument");
        QTest::addColumn<double>("expected");
        QTest::newRow("725 degrees") << "ReduceToRadians" << 725.0 << 5 * 0.017453292519943278;
        QTest::newRow("-30 degrees") << "ReduceToRadians" << -30.0 << -30 * 0.017453292519943278;
        QTest::newRow("01/01/1950 11h00") << "LunationAt" << 2433282.5 + 11 / 24.0 << 618.0;
        QTest::newRow("NaN") << "sign of LunationAt" << std::numeric_limits<double>::quiet_NaN() << 0.0;
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
    // any hour, from 1819 to 2290.
    void lunationAtEveryDay() {
        for (int32_t k = -1000; k <= 4830; ++k) {
            const double start = CivilDayStart(NewMoonJD(k)), end = CivilDayStart(NewMoonJD(k + 1));
            QVERIFY(end - start == 29 || end - start == 30);
            for (double day = start; day < end; day += 1) {
                if (LunationAt(day) != k || LunationAt(day + 1439 / 1440.0) != k) {
                    QFAIL(qPrintable(QString::number(day)));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(LunarPhasesTest)
#include "test_lunar_phases.moc"
