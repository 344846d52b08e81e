#include <QtTest>

#include "calendar/julian_day.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

class JulianMinuteTest : public QObject {
    Q_OBJECT
  private slots:
    // A Julian day as a date and time to the minute: seconds dropped, a hair before midnight carried
    // into the next day, Julian-calendar dates read on the proleptic Gregorian calendar, the range
    // bounds after their message. Expected values worked out by hand from the day count of 1/1/2000.
    void minute_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<QString>("expected");  // "JJ/MM/AAAA HHhMM|messages"
        QTest::newRow("J2000 noon") << 2451545.0 << u"01/01/2000 12h00|0"_s;
        QTest::newRow("midnight") << 2451544.5 << u"01/01/2000 00h00|0"_s;
        QTest::newRow("seconds dropped") << 2451545.0 + 59.0 / 86400 << u"01/01/2000 12h00|0"_s;
        QTest::newRow("a hair before midnight") << 2451544.4999999 << u"01/01/2000 00h00|0"_s;
        QTest::newRow("first Gregorian day") << 2299160.5 << u"15/10/1582 00h00|0"_s;
        QTest::newRow("last Julian day, proleptic") << 2299160.25 << u"04/10/1582 18h00|0"_s;
        QTest::newRow("29 February 1500 runs over") << 2268991.5 << u"01/03/1500 00h00|0"_s;
        QTest::newRow("past the high bound") << 3e6 << u"01/01/2501 00h00|1"_s;
    }
    void minute() {
        QFETCH(double, jd);
        QFETCH(QString, expected);
        int messages = 0;
        const auto got = julianDayToMinute(jd, [&](const Message&) { ++messages; });
        QVERIFY(got);
        QCOMPARE(QString::fromStdString(formatDayMonthYearTime(*got)) + "|" + QString::number(messages),
                 expected);
    }
};

QTEST_GUILESS_MAIN(JulianMinuteTest)
#include "test_julian_minute.moc"
