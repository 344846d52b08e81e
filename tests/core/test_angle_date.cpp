#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/soli_lunar_dial.h"
#include "cycles/soli_lunar.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

constexpr int kGmtPlusOne = 13;  // time-zone row

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
    // closing new moon. Before the first row the lunations are searched backwards, any number
    // (negative too) up to 100 from the birth lunation; a date further away is at 0. The run stores
    // the angles of the birth and of today whether or not a cycle gets drawn; a birth at the very
    // minute of a new moon is at 0.
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
        QTest::newRow("lunation 1 and after") << 1 << 4608 << 2 << 100 << true;
        QTest::newRow("lunation 2000 and after") << 2000 << 4608 << 0 << 3000 << true;
        QTest::newRow("negative lunation, 1820") << -990 << 4608 << 7 << 2000 << true;
        QTest::newRow("negative, searched backwards") << -990 << 4608 << -40 << 500 << true;
        QTest::newRow("100th lunation after") << 3000 << 60 << 100 << 9000 << true;
        QTest::newRow("101st lunation after") << 3000 << 60 << 101 << 100 << false;
        QTest::newRow("100th lunation before") << -990 << 60 << -100 << 9000 << true;
        QTest::newRow("101st lunation before") << -990 << 60 << -101 << 9000 << false;
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
        const PhaseAngles angles = selenarc::phaseAngles(cycle, d, kSilent);
        QCOMPARE(angles.today, placed ? angleOf(start, end, d) : 0.0f);
        const auto& rows = cycle.table.LifeDate;
        QCOMPARE(angles.birth, angleOf(rows[1], rows[5], cycle.BirthUT));
    }

    // Births across the whole range of the tables, computed as "Calculer" does (GMT+1): the birth
    // and a date in the preparatory cycle are at their share of days between the life dates of its
    // two new moons, a date in the first cycle at its share of that cycle.
    void wholeTableRange_data() {
        QTest::addColumn<QString>("birth");  // local date and time
        QTest::newRow("first day, 1820") << "01/01/1820 00h05";
        QTest::newRow("1880") << "15/06/1880 12h00";
        QTest::newRow("1899") << "15/06/1899 12h00";
        QTest::newRow("2063") << "15/06/2063 12h00";
        QTest::newRow("last day, 2280") << "31/12/2280 23h59";
    }
    void wholeTableRange() {
        QFETCH(QString, birth);
        const BirthMoment person =
            *readBirthMoment(birth.left(10).toStdString(), birth.mid(11).toStdString(), kGmtPlusOne);
        const SoliLunarResult run = calcul_soli_lunaire(person, CivilDateTime{}, {}, kSilent);
        const auto& rows = run.cycle.table.LifeDate;
        const CivilDateTime preparatory{rows[1].day + (rows[5].day - rows[1].day) / 3, rows[1].timeOfDay};
        const CivilDateTime firstCycle{rows[5].day + days{4000}, rows[5].timeOfDay};
        QVERIFY(rows[1] < preparatory && preparatory < rows[5]);
        QVERIFY(firstCycle < rows[9]);
        const PhaseAngles angles = selenarc::phaseAngles(run.cycle, preparatory, kSilent);
        QVERIFY(angles.birth > 0.0f);
        QCOMPARE(angles.birth, angleOf(rows[1], rows[5], run.cycle.BirthUT));
        QCOMPARE(angles.today, angleOf(rows[1], rows[5], preparatory));
        QCOMPARE(selenarc::phaseAngles(run.cycle, firstCycle, kSilent).today,
                 angleOf(rows[5], rows[9], firstCycle));
    }
};

QTEST_GUILESS_MAIN(AngleDateTest)
#include "test_angle_date.moc"
