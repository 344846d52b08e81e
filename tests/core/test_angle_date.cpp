#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/soli_lunar_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

// Share of the way from a to b reached at d, in calendar days, as an angle.
double expectedAngle(const CivilDateTime& a, const CivilDateTime& b, const CivilDateTime& d) {
    return kTwoPi * std::abs((d.day - a.day).count()) / std::abs((b.day - a.day).count());
}

CivilDateTime lifeDateOfNewMoon(const SoliLunarCycle& cycle, int32_t k) {
    return progressedLifeDate(NewMoonJD(k), cycle.BirthUT, testing::silentSink()).lifeDate;
}

void addBirthColumns() {
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("hour");
}

SoliLunarCycle cycleOfRow() {
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, hour);
    return testing::makeCycle(makeDateTime(year, month, day, hour, 30));
}

void birthRows() {
    QTest::newRow("1950 winter noon") << 1950 << 1 << 1 << 11;
    QTest::newRow("1903 night") << 1903 << 7 << 14 << 2;
    QTest::newRow("1987 leap-month end") << 1988 << 2 << 29 << 23;
    QTest::newRow("2024 evening") << 2024 << 10 << 31 << 19;
}

}  // namespace

class AngleDateTest : public QObject {
    Q_OBJECT
  private slots:
    // The opening new moon of the first lunation is at 0; every later new moon closes the
    // lunation before it, hence a full turn.
    void newMoonsOfTheTable_data() {
        addBirthColumns();
        birthRows();
    }
    void newMoonsOfTheTable() {
        const SoliLunarCycle cycle = cycleOfRow();
        const auto sink = testing::silentSink();
        QCOMPARE(angle_date(cycle, cycle.table.LifeDate[1], sink), 0.0f);
        for (int r = 5; r <= 21; r += 4) {
            QCOMPARE(angle_date(cycle, cycle.table.LifeDate[r], sink), static_cast<float>(kTwoPi));
        }
    }

    // Every fortnight over the five lunations: the angle is the share of the lunation holding the
    // date, grows within it and starts again after each new moon row.
    void sweepThroughFiveLunations_data() {
        addBirthColumns();
        birthRows();
    }
    void sweepThroughFiveLunations() {
        const SoliLunarCycle cycle = cycleOfRow();
        const auto& rows = cycle.table.LifeDate;
        const auto sink = testing::silentSink();
        float previous = -1;
        int lunation = 0, previousLunation = 0;
        for (CivilDateTime d = rows[1]; d <= rows[21]; d.day += days{15}) {
            while (d > rows[4 * lunation + 5]) {
                ++lunation;
            }
            const CivilDateTime& start = rows[4 * lunation + 1];
            const CivilDateTime& end = rows[4 * lunation + 5];
            const float angle = angle_date(cycle, d, sink);
            QVERIFY(angle >= 0 && angle <= static_cast<float>(kTwoPi));
            QVERIFY2(std::abs(angle - expectedAngle(start, end, d)) < 1e-5,
                     qPrintable(QString::fromStdString(formatSortable(CivilDate{d.day}))));
            QVERIFY(lunation > previousLunation ? angle < previous : angle >= previous);
            previous = angle;
            previousLunation = lunation;
        }
    }

    // Before the first row the lunations before the birth one are searched, backwards.
    void datesBeforeTheFirstRow_data() {
        QTest::addColumn<int>("lunationsBack");
        QTest::addColumn<int>("daysAfterItsNewMoon");
        QTest::newRow("previous lunation, late") << 1 << 9000;
        QTest::newRow("previous lunation, early") << 1 << 1;
        QTest::newRow("three back") << 3 << 4000;
        QTest::newRow("twelve back") << 12 << 100;
    }
    void datesBeforeTheFirstRow() {
        QFETCH(int, lunationsBack);
        QFETCH(int, daysAfterItsNewMoon);
        const SoliLunarCycle cycle = testing::makeCycle(makeDateTime(1970, 5, 20, 8, 15));
        const int32_t k = cycle.BirthLunation - lunationsBack;
        const CivilDateTime start = lifeDateOfNewMoon(cycle, k);
        const CivilDateTime end = lifeDateOfNewMoon(cycle, k + 1);
        const CivilDateTime d{start.day + days{daysAfterItsNewMoon}, minutes{0}};
        QVERIFY(d < cycle.table.LifeDate[1] && d < end);
        const float angle = angle_date(cycle, d, testing::silentSink());
        QVERIFY(std::abs(angle - expectedAngle(start, end, d)) < 1e-5);
        QVERIFY(angle > 0);
    }

    // Outside lunations 2..1999 a date is not placed: it stands at the new-moon position.
    void outsideTheSearchedLunations_data() {
        QTest::addColumn<int>("birthLunation");
        QTest::addColumn<int>("year");
        QTest::newRow("birth lunation below 2") << 1 << 1960;
        QTest::newRow("birth lunation 2000") << 2000 << 2070;
        QTest::newRow("after lunation 1999") << 1999 << 2400;
        QTest::newRow("before lunation 2") << 2 << 1000;
    }
    void outsideTheSearchedLunations() {
        QFETCH(int, birthLunation);
        QFETCH(int, year);
        SoliLunarCycle cycle = testing::makeCycle(makeDateTime(1960, 3, 3, 3, 0));
        cycle.BirthLunation = birthLunation;
        const double birthJD = NewMoonJD(birthLunation) + 3.2;
        cycle.BirthUT = CivilDateTime::fromInstant(
            sys_time<minutes>{minutes{static_cast<long>(std::floor((birthJD - 2440587.5) * 1440))}});
        cycle.table.LifeDate[1] = lifeDateOfNewMoon(cycle, birthLunation);
        QCOMPARE(angle_date(cycle, makeDateTime(year, 6, 1), testing::silentSink()), 0.0f);
    }

    // The run stores both angles whether or not a cycle gets drawn; a birth at the very minute
    // of a new moon is at 0.
    void storedPhaseAngles_data() {
        QTest::addColumn<int>("minutesAfterNewMoon");
        QTest::newRow("at the new moon") << 0;
        QTest::newRow("four days later") << 4 * 1440;
        QTest::newRow("twenty days later") << 20 * 1440;
    }
    void storedPhaseAngles() {
        QFETCH(int, minutesAfterNewMoon);
        const double newMoon = NewMoonJD(700);
        const auto newMoonMinute =
            sys_time<minutes>{minutes{static_cast<long>(std::floor((newMoon - 2440587.5) * 1440 + 1e-6))}};
        const SoliLunarCycle cycle =
            testing::makeCycle(CivilDateTime::fromInstant(newMoonMinute + minutes{minutesAfterNewMoon}));
        RunState state;
        const CivilDateTime now = makeDateTime(2026, 12, 6, 9, 0);
        storePhaseAngles(cycle, now, state, testing::silentSink());
        const auto& rows = cycle.table.LifeDate;
        QCOMPARE(state.BirthPhaseAngle, static_cast<float>(expectedAngle(rows[1], rows[5], cycle.BirthUT)));
        QCOMPARE(state.TodayPhaseAngle, angle_date(cycle, now, testing::silentSink()));
        if (minutesAfterNewMoon == 0) {
            QCOMPARE(state.BirthPhaseAngle, 0.0f);
        }
    }
};

QTEST_GUILESS_MAIN(AngleDateTest)
#include "test_angle_date.moc"
