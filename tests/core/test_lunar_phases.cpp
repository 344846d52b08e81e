#include <QtTest>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

#include "sky/lunar_phases.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

constexpr double kUnixEpochJD = 2440587.5;  // 01/01/1970 0h UT

// Julian day of a Gregorian date and UT time, independent of the calendar routines.
double jdOf(int y, int m, int d, int hour = 0, int minute = 0) {
    const sys_days day{year{y} / month{unsigned(m)} / d};
    return kUnixEpochJD + day.time_since_epoch().count() + (hour * 60 + minute) / 1440.0;
}

// "JJ/MM/AAAA HHhMM" of a Julian day, truncated to the minute.
QString minuteText(double jd) {
    const sys_time<minutes> t{minutes{static_cast<long>(std::floor((jd - kUnixEpochJD) * 1440.0))}};
    const sys_days day = floor<days>(t);
    const year_month_day date{day};
    const long minuteOfDay = (t - day).count();
    char text[40];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d %02ldh%02ld", unsigned(date.day()),
                  unsigned(date.month()), int(date.year()), minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

enum Phase { NL, PQ, PL, DQ };

double phaseJD(int phase, int32_t k) {
    switch (phase) {
        case NL:
            return NewMoonJD(k);
        case PQ:
            return FirstQuarterJD(k);
        case PL:
            return FullMoonJD(k);
        default:
            return LastQuarterJD(k);
    }
}

}  // namespace

class LunarPhasesTest : public QObject {
    Q_OBJECT
  private slots:
    // Published check values, UT truncated to the minute.
    void phaseInstants_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("lunation");
        QTest::addColumn<QString>("expected");
        QTest::newRow("618 new moon") << int(NL) << 618 << "19/12/1949 18h57";
        QTest::newRow("618 first quarter") << int(PQ) << 618 << "27/12/1949 06h32";
        QTest::newRow("618 full moon") << int(PL) << 618 << "04/01/1950 07h49";
        QTest::newRow("618 last quarter") << int(DQ) << 618 << "11/01/1950 10h32";
        QTest::newRow("1237 new moon") << int(NL) << 1237 << "06/01/2000 18h14";
        QTest::newRow("1237 full moon") << int(PL) << 1237 << "21/01/2000 04h41";
        QTest::newRow("1238 new moon") << int(NL) << 1238 << "05/02/2000 13h04";
    }
    void phaseInstants() {
        QFETCH(int, phase);
        QFETCH(int, lunation);
        QFETCH(QString, expected);
        QCOMPARE(minuteText(phaseJD(phase, lunation)), expected);
    }

    void reduceToRadians_data() {
        QTest::addColumn<double>("degrees");
        QTest::addColumn<double>("expectedDegrees");
        QTest::newRow("two turns and 5") << 725.0 << 5.0;
        QTest::newRow("negative keeps its sign") << -30.0 << -30.0;
        QTest::newRow("negative turns removed") << -725.0 << -5.0;
        QTest::newRow("just under two turns") << 719.5 << 359.5;
    }
    void reduceToRadians() {
        QFETCH(double, degrees);
        QFETCH(double, expectedDegrees);
        QVERIFY(std::fabs(ReduceToRadians(degrees) - expectedDegrees * 0.017453292519943278) < 1e-9);
    }

    void civilDayStart_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<double>("expected");
        QTest::newRow("noon") << 2433283.0 << 2433282.5;
        QTest::newRow("00h00") << jdOf(1950, 1, 1) << 2433282.5;
        QTest::newRow("23h59") << jdOf(1950, 1, 1, 23, 59) << 2433282.5;
        QTest::newRow("00h01 next day") << jdOf(1950, 1, 2, 0, 1) << 2433283.5;
        QTest::newRow("a breath before midnight") << 2433283.4999999 << 2433282.5;
    }
    void civilDayStart() {
        QFETCH(double, jd);
        QFETCH(double, expected);
        QCOMPARE(CivilDayStart(jd), expected);
    }

    void lunationAt_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<int>("expected");
        QTest::newRow("01/01/1950 11h00") << jdOf(1950, 1, 1, 11) << 618;
        QTest::newRow("eve of a new moon") << jdOf(2000, 1, 5, 23, 59) << 1236;
        QTest::newRow("31/01/1900 00h00, new moon of lunation 1") << jdOf(1900, 1, 31) << 1;
        QTest::newRow("01/01/1900, new moon of lunation 0") << jdOf(1900, 1, 1) << 0;
        QTest::newRow("1820, negative") << NewMoonJD(-989) << -989;
    }
    void lunationAt() {
        QFETCH(double, jd);
        QFETCH(int, expected);
        QCOMPARE(LunationAt(jd), expected);
    }

    // Every civil day from the day of new moon k to the eve of new moon k + 1 belongs to k, at
    // any hour; 29- and 30-day lunations both occur.
    void lunationAtEveryDay_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("1819 to 1900") << -1000 << 0;
        QTest::newRow("1900 to 2100") << 0 << 2475;
        QTest::newRow("2100 to 2290") << 2475 << 4830;
    }
    void lunationAtEveryDay() {
        QFETCH(int, first);
        QFETCH(int, last);
        int thirtyDayLunations = 0;
        int twentyNineDayLunations = 0;
        for (int32_t k = first; k <= last; ++k) {
            const double start = CivilDayStart(NewMoonJD(k));
            const double end = CivilDayStart(NewMoonJD(k + 1));
            const double length = end - start;
            QVERIFY2(length == 29 || length == 30, qPrintable(QString::number(k)));
            (length == 30 ? thirtyDayLunations : twentyNineDayLunations) += 1;
            for (double day = start; day < end; day += 1) {
                for (double minute : {0.0, 1.0, 720.0, 1439.0}) {
                    const double jd = day + minute / 1440.0;
                    QVERIFY2(LunationAt(jd) == k, qPrintable(minuteText(jd)));
                }
            }
        }
        QVERIFY(thirtyDayLunations > 0);
        QVERIFY(twentyNineDayLunations > 0);
    }

    // Absurd instants: no undefined behaviour, no endless loop, a result of the right sign.
    void absurdInstants_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<int>("sign");
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0;
        QTest::newRow("+infinity") << std::numeric_limits<double>::infinity() << 1;
        QTest::newRow("-infinity") << -std::numeric_limits<double>::infinity() << -1;
        QTest::newRow("1e300") << 1e300 << 1;
        QTest::newRow("-1e300") << -1e300 << -1;
        QTest::newRow("3e10, past the int32 lunations") << 3e10 << 1;
    }
    void absurdInstants() {
        QFETCH(double, jd);
        QFETCH(int, sign);
        const int32_t k = LunationAt(jd);
        QCOMPARE((k > 0) - (k < 0), sign);
    }
};

QTEST_GUILESS_MAIN(LunarPhasesTest)
#include "test_lunar_phases.moc"
