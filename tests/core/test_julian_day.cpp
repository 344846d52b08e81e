#include <QtTest>

#include <cmath>
#include <cstdio>
#include <limits>

#include "calendar/julian_day.h"

using namespace selenarc;

namespace {

// A sink that gathers the title and text of every message sent.
MessageSink gather(QString& shown) {
    return [&shown](const Message& m) { shown += QString::fromStdString(m.title + "|" + m.text); };
}

// Days of a month of a historical year (no year 0): Julian leap rule up to 1582, Gregorian after.
int daysInMonth(int year, int month) {
    const int y = year < 0 ? year + 1 : year;
    const bool leap = year <= 1582 ? y % 4 == 0 : (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return month == 2 ? 28 + leap : 30 + (month + month / 8) % 2;
}

}  // namespace

class JulianDayTest : public QObject {
    Q_OBJECT
  private slots:
    // A refused text gives 0 and one message naming the field, quoting the text with " à 0h00"
    // added when it has no time and "H" made "h".
    void readsDateTimeTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("refused");
        QTest::newRow("first gregorian day") << "15/10/1582 à 0h00" << 2299160.5 << "";
        QTest::newRow("julian 5 october is gregorian 15") << "05/10/1582 à 0h00" << 2299160.5 << "";
        QTest::newRow("year 0 is year 1") << "01/01/0 à 0h00" << 1721423.5 << "";
        QTest::newRow("no time is midnight") << "01/01/1950" << 2433282.5 << "";
        QTest::newRow("capital H, nothing after h") << "01/01/1950 à 12H" << 2433283.0 << "";
        QTest::newRow("blank and sign in fields") << " 1/+1/ 1950  à 12h00" << 2433283.0 << "";
        QTest::newRow("month 13 is next january") << "01/13/1950 à 0h00" << 2433647.5 << "";
        QTest::newRow("half minute to even, up") << "01/01/1950 à 12h31.5" << 2433283.02222 << "";
        QTest::newRow("day letters") << "xx/01/1950" << 0.0 << "le jour";
        QTest::newRow("month letters") << "01/xx/1950" << 0.0 << "le mois";
        QTest::newRow("year missing") << "01/01/ à 12h00" << 0.0 << "l'année";
        QTest::newRow("one minute digit, capital H") << "01/01/1950 à 12H5" << 0.0 << "l'horaire";
        QTest::newRow("hour letters") << "01/01/1950 à 1xh30" << 0.0 << "l'heure";
        QTest::newRow("minute letters") << "01/01/1950 à 12h3x" << 0.0 << "les minutes";
    }
    void readsDateTimeTexts() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(QString, refused);
        QString shown;
        QCOMPARE(JourJulien(text.toStdString(), gather(shown)), expected);
        const QString quoted = text.replace('H', 'h') + (text.contains(" à ") ? "" : " à 0h00");
        const QString message =
            "Selenarc|Erreur sur " + refused + " pour " + quoted + "\r\nJourJulien vaut 0";
        QCOMPARE(shown, refused.isEmpty() ? "" : message);
    }

    // The short form of a bound comes back, after a message, only outside the range.
    void writesDateTimeTexts_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1950 noon") << 2433283.0 << "01/01/1950 à 12h00mn00s";
        QTest::newRow("lower bound itself") << 260423.5 << "01/01/-4000 à 00h00mn00s";
        QTest::newRow("carry into next day") << 2433283.5 - 1e-7 << "02/01/1950 à 00h00mn00s";
        QTest::newRow("above range") << 2634532.0 << "01/01/2501 à 0h00";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "01/01/-4000 à 0h00";
    }
    void writesDateTimeTexts() {
        QFETCH(double, jd);
        QFETCH(QString, expected);
        QString shown;
        QCOMPARE(QString::fromStdString(JulianDayToDate(jd, gather(shown))), expected);
        const QString message =
            "Selenarc|la date correspondante est hors limite, la date renvoyée est " + expected;
        QCOMPARE(shown, expected.contains("mn") ? "" : message);
    }

    // Every day from -4000 to 2500, at a minute that moves from day to day: one Julian day after
    // the one before (the ten days dropped in October 1582 skipped), and the same text back.
    void everyDayRoundTrips() {
        double previous = 260423.5 - 1;
        for (int year = -4000; year <= 2500; year += year == -1 ? 2 : 1) {
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= daysInMonth(year, month);
                     day += year == 1582 && month == 10 && day == 4 ? 11 : 1) {
                    const int minute = int(std::lround(previous) * 397 % 1440);
                    char text[64];
                    std::snprintf(text, sizeof text, "%02d/%02d/%d à %02dh%02d", day, month, year,
                                  minute / 60, minute % 60);
                    const double jd = JourJulien(text, {});
                    if (std::floor(jd + 0.5) - 0.5 != previous + 1 ||
                        JulianDayToDate(jd, {}) != text + std::string("mn00s")) {
                        QFAIL(text);
                    }
                    previous += 1;
                }
            }
        }
        QCOMPARE(previous, 2634531.5 - 1);
    }

    // A Julian day as a date and time to the minute: seconds dropped, a hair before midnight carried
    // into the next day, Julian-calendar dates read on the proleptic Gregorian calendar, the range
    // bounds after their message. Expected values worked out by hand from the day count of 1/1/2000.
    void minute_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<QString>("expected");  // "JJ/MM/AAAA HHhMM|messages"
        QTest::newRow("a hair before midnight") << 2451544.4999999 << "01/01/2000 00h00|0";
        QTest::newRow("last Julian day, proleptic") << 2299160.25 << "04/10/1582 18h00|0";
        QTest::newRow("past the high bound") << 3e6 << "01/01/2501 00h00|1";
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

QTEST_GUILESS_MAIN(JulianDayTest)
#include "test_julian_day.moc"
