#include <QtTest>

#include "cycles/phase_angles.h"
#include "support/shipped_cycles.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

constexpr int kGmt = 12, kGmtPlusOne = 13;  // time-zone rows

CivilDateTime at(const QString& date) {
    return {sys_days{*parseDayMonthYear(date.toStdString())}, hours{12}};
}

const SoliLunarCycle& bornAtNewMoon() {
    static const SoliLunarCycle cycle = testing::soliLunarRun("06/01/2000", "18h14", kGmt).cycle;
    return cycle;
}

}  // namespace

class AngleDateTest : public QObject {
    Q_OBJECT
  private slots:
    // Born at the published new moon of 06/01/2000 18h14 UT (lunation 1237). By hand, a day after
    // birth for a year and two hours for a month: the new moon of 05/02/2000 13h04 comes 715 hour
    // boundaries later, so the next lunation opens at the life date 06/10/2029 (357 months on); the
    // new moon of 07/12/1999 22h32 came 716 before, so the previous one opened on 06/03/1970. A date
    // stands at its share of days between the life dates of its lunation's new moons.
    void phaseAngles_data() {
        QTest::addColumn<QString>("today");
        QTest::addColumn<QString>("opening");  // life dates of its lunation's new moons
        QTest::addColumn<QString>("closing");
        QTest::newRow("birth lunation") << "06/01/2015"
                                        << "06/01/2000"
                                        << "06/10/2029";
        QTest::newRow("closing new moon is a full turn") << "06/10/2029"
                                                         << "06/01/2000"
                                                         << "06/10/2029";
        QTest::newRow("lunation before the birth") << "06/03/1985"
                                                   << "06/03/1970"
                                                   << "06/01/2000";
    }
    void phaseAngles() {
        QFETCH(QString, today);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        const PhaseAngles angles = selenarc::phaseAngles(bornAtNewMoon(), at(today), testing::kSilent);
        QCOMPARE(angles.birth, 0.0f);
        const auto days = [](const QString& a, const QString& b) {
            return double((at(b).day - at(a).day).count());
        };
        QCOMPARE(angles.today, float(2 * std::numbers::pi * days(opening, today) / days(opening, closing)));
    }

    // Lunations are searched 100 either way from the birth's, a lunation lasting about 29.5 years of
    // life; a date further away is at 0.
    void searchLimits_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("placed");
        QTest::newRow("100th lunation after") << 4970 << true;
        QTest::newRow("101st lunation after") << 4995 << false;
        QTest::newRow("101st lunation before") << -970 << false;
    }
    void searchLimits() {
        QFETCH(int, year);
        QFETCH(bool, placed);
        const CivilDateTime now{sys_days{std::chrono::year{year} / 1 / 1}, hours{12}};
        const float angle = selenarc::phaseAngles(bornAtNewMoon(), now, testing::kSilent).today;
        QCOMPARE(angle > 0.0f && angle < 2 * std::numbers::pi_v<float>, placed);
        QVERIFY(placed || angle == 0.0f);
    }

    // Births across the whole range of the tables (GMT+1): the birth stands at its share of its
    // lunation (life dates scale the instants, to a month in thirty years), the full moons of the
    // preparatory and the first cycle about halfway round.
    void wholeTableRange_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("first day, 1820") << "01/01/1820"
                                         << "00h05";
        QTest::newRow("last day, 2280") << "31/12/2280"
                                        << "23h59";
    }
    void wholeTableRange() {
        QFETCH(QString, date);
        QFETCH(QString, time);
        const SoliLunarCycle cycle =
            testing::soliLunarRun(date.toStdString(), time.toStdString(), kGmtPlusOne).cycle;
        const PhaseTable& t = cycle.table;
        const auto turns = [&](const CivilDateTime& d) {
            return selenarc::phaseAngles(cycle, d, testing::kSilent).today / (2 * std::numbers::pi);
        };
        const double birth =
            selenarc::phaseAngles(cycle, {}, testing::kSilent).birth / (2 * std::numbers::pi);
        QVERIFY(std::abs(birth - (cycle.BirthJD - t.PhaseJD[1]) / (t.PhaseJD[5] - t.PhaseJD[1])) < 0.005);
        QVERIFY(std::abs(turns(t.LifeDate[3]) - 0.5) < 0.06);
        QVERIFY(std::abs(turns(t.LifeDate[7]) - 0.5) < 0.06);
    }
};

QTEST_GUILESS_MAIN(AngleDateTest)
#include "test_angle_date.moc"
