#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/soli_lunar_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

const MessageSink kSilent = testing::silentSink();

// Share of the way from a to b reached at d, in calendar days, as an angle.
float expectedAngle(const CivilDateTime& a, const CivilDateTime& b, const CivilDateTime& d) {
    return static_cast<float>(kTwoPi * std::abs((d.day - a.day).count()) / std::abs((b.day - a.day).count()));
}

CivilDateTime lifeDateOfNewMoon(const SoliLunarCycle& cycle, int32_t k) {
    return progressedLifeDate(NewMoonJD(k), cycle.BirthUT, kSilent).lifeDate;
}

// The minute that holds a Julian day (JD 2440587.5 = 01/01/1970 0h).
CivilDateTime minuteOf(double jd) {
    return CivilDateTime::fromInstant(
        sys_time<minutes>{minutes{static_cast<long>(std::floor((jd - 2440587.5) * 1440 + 1e-6))}});
}

}  // namespace

class AngleDateTest : public QObject {
    Q_OBJECT
  private slots:
    // Every fortnight over the five lunations: the angle is the share of the lunation holding the
    // date and starts again after each new moon row. The opening new moon is at 0, every later
    // one closes the lunation before it, hence a full turn.
    void sweepThroughFiveLunations() {
        for (const CivilDateTime& birth :
             {makeDateTime(1950, 1, 1, 11, 30), makeDateTime(1988, 2, 29, 23, 30)}) {
            const SoliLunarCycle cycle = testing::makeCycle(birth);
            const auto& rows = cycle.table.LifeDate;
            for (int r = 1; r <= 21; r += 4) {
                QCOMPARE(angle_date(cycle, rows[r], kSilent), r == 1 ? 0.0f : static_cast<float>(kTwoPi));
            }
            int lunation = 0;
            for (CivilDateTime d = rows[1]; d <= rows[21]; d.day += days{15}) {
                lunation += d > rows[4 * lunation + 5];
                const float expected = expectedAngle(rows[4 * lunation + 1], rows[4 * lunation + 5], d);
                QVERIFY2(std::abs(angle_date(cycle, d, kSilent) - expected) < 1e-5,
                         qPrintable(QString::fromStdString(formatSortable(CivilDate{d.day}))));
            }
        }
    }

    // Lunation (from the birth one) and day after its new moon's life date: before the first row
    // the lunations are searched backwards; those outside 2..1999 are never searched (angle 0).
    void searchedLunations_data() {
        QTest::addColumn<int>("birthLunation");
        QTest::addColumn<int>("lunation");
        QTest::addColumn<int>("day");
        QTest::addColumn<bool>("placed");
        QTest::newRow("previous lunation") << 870 << -1 << 9000 << true;
        QTest::newRow("twelve back") << 870 << -12 << 100 << true;
        QTest::newRow("birth lunation 1") << 1 << 2 << 100 << false;
        QTest::newRow("birth lunation 2000") << 2000 << 0 << 3000 << false;
    }
    void searchedLunations() {
        QFETCH(int, birthLunation);
        QFETCH(int, lunation);
        QFETCH(int, day);
        QFETCH(bool, placed);
        const SoliLunarCycle cycle = testing::makeCycle(minuteOf(NewMoonJD(birthLunation) + 3.2));
        QCOMPARE(cycle.BirthLunation, birthLunation);
        const CivilDateTime start = lifeDateOfNewMoon(cycle, birthLunation + lunation);
        const CivilDateTime end = lifeDateOfNewMoon(cycle, birthLunation + lunation + 1);
        const CivilDateTime d{start.day + days{day}, start.timeOfDay};
        QVERIFY(d < end);
        QCOMPARE(angle_date(cycle, d, kSilent), placed ? expectedAngle(start, end, d) : 0.0f);
    }

    // The run stores both angles whether or not a cycle gets drawn; a birth at the very minute
    // of a new moon is at 0.
    void storedPhaseAngles_data() {
        QTest::addColumn<int>("minutesAfterNewMoon");
        QTest::newRow("at the new moon") << 0;
        QTest::newRow("twenty days later") << 20 * 1440;
    }
    void storedPhaseAngles() {
        QFETCH(int, minutesAfterNewMoon);
        const SoliLunarCycle cycle = testing::makeCycle(
            CivilDateTime::fromInstant(minuteOf(NewMoonJD(700)).instant() + minutes{minutesAfterNewMoon}));
        RunState state;
        const CivilDateTime now = makeDateTime(2026, 12, 6, 9, 0);
        storePhaseAngles(cycle, now, state, kSilent);
        const auto& rows = cycle.table.LifeDate;
        QCOMPARE(state.BirthPhaseAngle,
                 minutesAfterNewMoon ? expectedAngle(rows[1], rows[5], cycle.BirthUT) : 0.0f);
        QCOMPARE(state.TodayPhaseAngle, angle_date(cycle, now, kSilent));
    }
};

QTEST_GUILESS_MAIN(AngleDateTest)
#include "test_angle_date.moc"
