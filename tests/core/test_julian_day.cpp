#include <QtTest>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "calendar/julian_day.h"

using namespace selenarc;

namespace {

// Historical years (no year 0); Julian leap rule before the switch, Gregorian after.
int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2) {
        return kDays[month - 1];
    }
    const int astronomical = year < 0 ? year + 1 : year;
    const bool leap =
        year <= 1582 ? astronomical % 4 == 0 : (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
}

enum Field { None = -1, Day, Month, Year, Shape, Hour, Minutes };
const char* const kFieldMessages[] = {"Erreur sur le jour pour ", "Erreur sur le mois pour ",
                                      "Erreur sur l'année pour ", "Erreur sur l'horaire pour ",
                                      "Erreur sur l'heure pour ", "Erreur sur les minutes pour "};

}  // namespace

class JulianDayTest : public QObject {
    Q_OBJECT
  private slots:
    // A refused text gives 0 and one message naming the field, quoting the text with " à 0h00"
    // added when it has no time and "H" made "h".
    void readsDateTimeTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("refused");
        QTest::newRow("1950 noon") << "01/01/1950 à 12h00" << 2433283.0 << int(None);
        QTest::newRow("2000 noon") << "01/01/2000 à 12h00" << 2451545.0 << int(None);
        QTest::newRow("first gregorian day") << "15/10/1582 à 0h00" << 2299160.5 << int(None);
        QTest::newRow("last julian day") << "04/10/1582 à 0h00" << 2299159.5 << int(None);
        QTest::newRow("julian 5 october is gregorian 15") << "05/10/1582 à 0h00" << 2299160.5 << int(None);
        QTest::newRow("year 1") << "01/01/1 à 0h00" << 1721423.5 << int(None);
        QTest::newRow("last day of 1 BC") << "31/12/-1 à 0h00" << 1721422.5 << int(None);
        QTest::newRow("year 0 is year 1") << "01/01/0 à 0h00" << 1721423.5 << int(None);
        QTest::newRow("no time is midnight") << "01/01/1950" << 2433282.5 << int(None);
        QTest::newRow("capital H") << "01/01/1950 à 12H00" << 2433283.0 << int(None);
        QTest::newRow("nothing after h") << "01/01/1950 à 12h" << 2433283.0 << int(None);
        QTest::newRow("blank and sign in fields") << " 1/+1/ 1950  à 12h00" << 2433283.0 << int(None);
        QTest::newRow("month 13 is next january") << "01/13/1950 à 0h00" << 2433647.5 << int(None);
        QTest::newRow("half minute to even, down") << "01/01/1950 à 12h00.5" << 2433283.0 << int(None);
        QTest::newRow("half minute to even, up") << "01/01/1950 à 12h31.5" << 2433283.02222 << int(None);
        QTest::newRow("decimal point then digits") << ".1/01/1950 à 12h00" << 2433282.0 << int(None);
        QTest::newRow("long zeros year") << "01/01/" + QString(5000, '0') + "1950" << 2433282.5 << int(None);
        QTest::newRow("day letters") << "xx/01/1950" << 0.0 << int(Day);
        QTest::newRow("empty text") << "" << 0.0 << int(Day);
        QTest::newRow("many at signs") << QString(" à ").repeated(30000) << 0.0 << int(Day);
        QTest::newRow("month letters") << "01/xx/1950" << 0.0 << int(Month);
        QTest::newRow("year missing") << "01/01/ à 12h00" << 0.0 << int(Year);
        QTest::newRow("year beyond int") << "01/01/99999999999" << 0.0 << int(Year);
        QTest::newRow("year inf") << "01/01/-inf" << 0.0 << int(Year);
        QTest::newRow("year exponent") << "01/01/1e3" << 0.0 << int(Year);
        QTest::newRow("year sign only") << "01/01/-" << 0.0 << int(Year);
        QTest::newRow("one minute digit, capital H") << "01/01/1950 à 12H5" << 0.0 << int(Shape);
        QTest::newRow("one accented char after h") << "01/01/1950 à 12hé" << 0.0 << int(Shape);
        QTest::newRow("h first") << "01/01/1950 à h30" << 0.0 << int(Shape);
        QTest::newRow("no h") << "01/01/1950 à 1230" << 0.0 << int(Shape);
        QTest::newRow("hour letters") << "01/01/1950 à 1xh30" << 0.0 << int(Hour);
        QTest::newRow("hour beyond int") << "01/01/1950 à 3000000000h00" << 0.0 << int(Hour);
        QTest::newRow("minute letters") << "01/01/1950 à 12h3x" << 0.0 << int(Minutes);
    }
    void readsDateTimeTexts() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QFETCH(int, refused);
        std::vector<Message> shown;
        QCOMPARE(JourJulien(text.toStdString(), [&](const Message& m) { shown.push_back(m); }), expected);
        QCOMPARE(shown.size(), size_t(refused != None));
        if (refused != None) {
            QString quoted = text.replace('H', 'h');
            if (!quoted.contains(" à ")) {
                quoted += " à 0h00";
            }
            QCOMPARE(QString::fromStdString(shown[0].text),
                     kFieldMessages[refused] + quoted + "\r\nJourJulien vaut 0");
            QCOMPARE(QString::fromStdString(shown[0].title), QString(kProgramTitle));
            QVERIFY(shown[0].icon == MessageIcon::None);
        }
    }

    // The short form of a bound comes back, after a message, only outside the range.
    void writesDateTimeTexts_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<QString>("expected");
        const double hair = 1e-7;
        QTest::newRow("1950 noon") << 2433283.0 << "01/01/1950 à 12h00mn00s";
        QTest::newRow("first gregorian day") << 2299160.5 << "15/10/1582 à 00h00mn00s";
        QTest::newRow("last julian day") << 2299159.5 << "04/10/1582 à 00h00mn00s";
        QTest::newRow("800 AD minutes") << 2013323.71458 << "07/03/800 à 05h09mn00s";
        QTest::newRow("thirty seconds") << 2433283.0 + 30.0 / 86400 << "01/01/1950 à 12h00mn30s";
        QTest::newRow("1 BC") << 1721422.5 << "31/12/-1 à 00h00mn00s";
        QTest::newRow("lower bound itself") << 260423.5 << "01/01/-4000 à 00h00mn00s";
        QTest::newRow("upper bound itself") << 2634531.5 << "01/01/2501 à 00h00mn00s";
        QTest::newRow("carry into next day") << 2433283.5 - hair << "02/01/1950 à 00h00mn00s";
        QTest::newRow("carry over the switch") << 2299160.5 - hair << "15/10/1582 à 00h00mn00s";
        QTest::newRow("above range") << 2634532.0 << "01/01/2501 à 0h00";
        QTest::newRow("below range") << 260000.0 << "01/01/-4000 à 0h00";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "01/01/-4000 à 0h00";
    }
    void writesDateTimeTexts() {
        QFETCH(double, jd);
        QFETCH(QString, expected);
        std::vector<Message> shown;
        QCOMPARE(QString::fromStdString(JulianDayToDate(jd, [&](const Message& m) { shown.push_back(m); })),
                 expected);
        const bool outside = !expected.contains("mn");
        QCOMPARE(shown.size(), size_t(outside));
        if (outside) {
            QCOMPARE(QString::fromStdString(shown[0].text),
                     "la date correspondante est hors limite, la date renvoyée est " + expected);
            QCOMPARE(QString::fromStdString(shown[0].title), QString(kProgramTitle));
        }
    }

    // Every day from -4000 to 2500 (the ten days dropped in October 1582 skipped): consecutive days are
    // exactly one Julian day apart, and every fifth day both directions agree at 0h00 and at a minute that
    // moves from day to day.
    void everyDayRoundTrips() {
        double previousMidnight = 0.0;
        long dayIndex = 0;
        for (int year = -4000; year <= 2500; ++year) {
            for (int month = 1; month <= 12 && year != 0; ++month) {
                for (int day = 1; day <= daysInMonth(year, month); ++day) {
                    day += year == 1582 && month == 10 && day == 5 ? 10 : 0;
                    const QString date = QString::asprintf("%02d/%02d/%d", day, month, year);
                    const double midnight = JourJulien(date.toStdString(), {});
                    if (previousMidnight != 0.0 && midnight != previousMidnight + 1.0) {
                        QCOMPARE(midnight - previousMidnight, 1.0);
                    }
                    previousMidnight = midnight;
                    if (dayIndex++ % 5 != 0) {
                        continue;
                    }
                    for (int minutes : {0, int(dayIndex * 397 % 1440)}) {
                        const QString input =
                            date + QString::asprintf(" à %02dh%02d", minutes / 60, minutes % 60);
                        const std::string back = JulianDayToDate(JourJulien(input.toStdString(), {}), {});
                        if (back != (input + "mn00s").toStdString()) {
                            QCOMPARE(QString::fromStdString(back), input + "mn00s");
                        }
                    }
                }
            }
        }
        QVERIFY(dayIndex > 2'000'000);
    }
};

QTEST_GUILESS_MAIN(JulianDayTest)
#include "test_julian_day.moc"
