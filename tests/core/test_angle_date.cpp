#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/soli_lunar_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

const MessageSink kSilent = testing::silentSink();

// The cycle of a birth some minutes after new moon k (JD 2440587.5 = 01/01/1970 0h).
SoliLunarCycle cycleAfterNewMoon(int32_t k, int minutesAfter) {
    const long minute = std::lround(std::floor((NewMoonJD(k) - 2440587.5) * 1440 + 1e-6)) + minutesAfter;
    return testing::makeCycle(CivilDateTime::fromInstant(sys_time<minutes>{minutes{minute}}));
}

// Share of the way from a to b reached at d, in calendar days, as an angle.
float angleOf(const CivilDateTime& a, const CivilDateTime& b, const CivilDateTime& d) {
    return static_cast<float>(kTwoPi * (d.day - a.day).count() / (b.day - a.day).count());
}

CivilDateTime lifeDateOfNewMoon(const SoliLunarCycle& cycle, int32_t k) {
    return progressedLifeDate(NewMoonJD(k), cycle.BirthUT, kSilent).lifeDate;
}

}  // namespace

class AngleDateTest : public QObject {
    Q_OBJECT
  private slots:
    // A date some days after the life date of a new moon (counted from the birth lunation), or
    // that of the next one itself: its share of that lunation in calendar days, a full turn at the
    // closing new moon. Before the first row the lunations are searched backwards; those outside
    // 2..1999 are never searched (angle 0). The run stores the angles of the birth and of today
    // whether or not a cycle gets drawn; a birth at the very minute of a new moon is at 0.
    void phaseAngles_data() {
        QTest::addColumn<int>("birthLunation");
        QTest::addColumn<int>("birthMinutes");  // after its new moon
        QTest::addColumn<int>("lunation");
        QTest::addColumn<int>("day");  // -1: the closing new moon
        QTest::addColumn<bool>("placed");
        QTest::newRow("birth at the opening new moon") << 870 << 0 << 0 << 0 << true;
        QTest::newRow("closing new moon is a full turn") << 870 << 4608 << 0 << -1 << true;
        QTest::newRow("fourth lunation") << 870 << 4608 << 3 << 4000 << true;
        QTest::newRow("twelve back") << 870 << 4608 << -12 << 100 << true;
        QTest::newRow("birth lunation 1") << 1 << 4608 << 2 << 100 << false;
        QTest::newRow("birth lunation 2000") << 2000 << 4608 << 0 << 3000 << false;
    }
    void phaseAngles() {
        QFETCH(int, birthLunation);
        QFETCH(int, birthMinutes);
        QFETCH(int, lunation);
        QFETCH(int, day);
        QFETCH(bool, placed);
        const SoliLunarCycle cycle = cycleAfterNewMoon(birthLunation, birthMinutes);
        QCOMPARE(cycle.BirthLunation, birthLunation);
        const CivilDateTime start = lifeDateOfNewMoon(cycle, birthLunation + lunation);
        const CivilDateTime end = lifeDateOfNewMoon(cycle, birthLunation + lunation + 1);
        const CivilDateTime d = day < 0 ? end : CivilDateTime{start.day + days{day}, start.timeOfDay};
        QVERIFY(d <= end);
        RunState state;
        storePhaseAngles(cycle, d, state, kSilent);
        QCOMPARE(state.TodayPhaseAngle, placed ? angleOf(start, end, d) : 0.0f);
        const auto& rows = cycle.table.LifeDate;
        QCOMPARE(state.BirthPhaseAngle, placed ? angleOf(rows[1], rows[5], cycle.BirthUT) : 0.0f);
    }
};

QTEST_GUILESS_MAIN(AngleDateTest)
#include "test_angle_date.moc"
