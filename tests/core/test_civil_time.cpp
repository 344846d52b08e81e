#include <QtTest>

#include "calendar/birth_moment.h"
#include "calendar/civil_time.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

class CivilTimeTest : public QObject {
    Q_OBJECT
  private slots:
    void monthsClipTheDay_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("expected");
        QTest::newRow("31 jan + 1") << "31/01/1980" << 1 << "29/02/1980";
        QTest::newRow("31 jan + 1, common year") << "31/01/1981" << 1 << "28/02/1981";
        QTest::newRow("31 mar - 1") << "31/03/1981" << -1 << "28/02/1981";
        QTest::newRow("15 may + 122") << "15/05/1950" << 122 << "15/07/1960";
        QTest::newRow("31 dec + 11") << "31/12/1991" << 11 << "30/11/1992";
    }
    void monthsClipTheDay() {
        QFETCH(QString, start);
        QFETCH(int, months);
        QFETCH(QString, expected);
        const auto date = parseDayMonthYear(start.toStdString());
        QVERIFY(date);
        QCOMPARE(QString::fromStdString(formatDayMonthYear(addMonthsClipped(*date, months))), expected);
    }
    void leapDayYears() {
        QCOMPARE(formatDayMonthYear(addYearsClipped(*parseDayMonthYear("29/02/1952"), 11)), "28/02/1963");
        QCOMPARE(formatDayMonthYear(addYearsClipped(*parseDayMonthYear("29/02/1952"), 12)), "29/02/1964");
    }
    void parsingRefusesImpossibleDates() {
        QVERIFY(!parseDayMonthYear("29/02/1900"));
        QVERIFY(!parseDayMonthYear("31/04/1950"));
        QVERIFY(!parseDayMonthYear("1/1/1950"));
        QVERIFY(parseDayMonthYear("29/02/2000"));
    }

    // The birth read once from the entry texts: the local date as typed, the universal instant
    // moved across midnight by the zone; a date that cannot be read gives nothing.
    void read_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("zoneRow");       // row r is r - 12 hours from Greenwich
        QTest::addColumn<QString>("expected");  // "local date | universal date and time", or ""
        QTest::newRow("Greenwich") << u"15/06/1980"_s << u"08h30"_s << 12
                                   << u"15/06/1980 | 15/06/1980 08h30"_s;
        QTest::newRow("blanks around the date")
            << u" \t01/01/1950 "_s << u"12h00"_s << 13 << u"01/01/1950 | 01/01/1950 11h00"_s;
        QTest::newRow("east, universal eve")
            << u"01/01/2000"_s << u"02h15"_s << 22 << u"01/01/2000 | 31/12/1999 16h15"_s;
        QTest::newRow("west, universal next day")
            << u"28/02/2024"_s << u"20h00"_s << 0 << u"28/02/2024 | 29/02/2024 08h00"_s;
        QTest::newRow("no 31 February") << u"31/02/1950"_s << u"12h00"_s << 12 << QString();
        QTest::newRow("empty date") << QString() << u"12h00"_s << 12 << QString();
    }
    void read() {
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(int, zoneRow);
        QFETCH(QString, expected);
        const auto birth = readBirthMoment(date.toStdString(), time.toStdString(), zoneRow);
        const QString got = birth ? QString::fromStdString(formatDayMonthYear(birth->localDate) + " | " +
                                                           formatDayMonthYearTime(birth->universal))
                                  : QString();
        QCOMPARE(got, expected);
    }
};

QTEST_GUILESS_MAIN(CivilTimeTest)
#include "test_civil_time.moc"
