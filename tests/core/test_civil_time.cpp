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
        QTest::newRow("31 mar - 1") << "31/03/1981" << -1 << "28/02/1981";
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
};

QTEST_GUILESS_MAIN(CivilTimeTest)
#include "test_civil_time.moc"
