#include <QtTest>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calendar/julian_day.h"

using namespace selenarc;

namespace {

// Collects what the routines would show in their message boxes.
struct CollectedMessages {
    std::vector<Message> messages;
    MessageSink sink() {
        return [this](const Message& m) { messages.push_back(m); };
    }
};

#if defined(__SANITIZE_ADDRESS__)
constexpr int kSweepStride = 7;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kSweepStride = 7;
#else
constexpr int kSweepStride = 1;
#endif
#else
constexpr int kSweepStride = 1;
#endif

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

}  // namespace

class JulianDayTest : public QObject {
    Q_OBJECT
  private slots:
    void readsDateTimeTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("1950 noon") << "01/01/1950 à 12h00" << 2433283.0;
        QTest::newRow("2000 noon") << "01/01/2000 à 12h00" << 2451545.0;
        QTest::newRow("first gregorian day") << "15/10/1582 à 0h00" << 2299160.5;
        QTest::newRow("last julian day") << "04/10/1582 à 0h00" << 2299159.5;
        QTest::newRow("year 1") << "01/01/1 à 0h00" << 1721423.5;
        QTest::newRow("last day of 1 BC") << "31/12/-1 à 0h00" << 1721422.5;
        QTest::newRow("julian day zero") << "01/01/-4713 à 12h00" << 0.0;
        QTest::newRow("333 AD") << "27/01/333 à 12h00" << 1842713.0;
        QTest::newRow("lower bound") << "01/01/-4000 à 0h00" << 260423.5;
        QTest::newRow("upper bound") << "01/01/2501 à 0h00" << 2634531.5;
        QTest::newRow("no time is midnight") << "01/01/1950" << 2433282.5;
        QTest::newRow("capital H") << "01/01/1950 à 12H00" << 2433283.0;
        QTest::newRow("nothing after h") << "01/01/1950 à 12h" << 2433283.0;
        QTest::newRow("year 0 is year 1") << "01/01/0 à 0h00" << 1721423.5;
        QTest::newRow("blank and sign in fields") << " 1/+1/ 1950  à 12h00" << 2433283.0;
        QTest::newRow("hour 30 not range tested") << "01/01/1950 à 30h00" << 2433283.75;
        QTest::newRow("month 13 is next january") << "01/13/1950 à 0h00" << 2433647.5;
        QTest::newRow("julian 5 october is gregorian 15") << "05/10/1582 à 0h00" << 2299160.5;
        QTest::newRow("julian leap day 1500") << "29/02/1500 à 0h00" << 2268991.5;
        QTest::newRow("half minute rounds to even, down") << "01/01/1950 à 12h00.5" << 2433283.0;
        QTest::newRow("decimal point then digits") << ".1/01/1950 à 12h00" << 2433282.0;
    }
    void readsDateTimeTexts() {
        QFETCH(QString, text);
        QFETCH(double, expected);
        CollectedMessages collected;
        const double jd = JourJulien(text.toStdString(), collected.sink());
        QCOMPARE(jd, expected);
        QCOMPARE(collected.messages.size(), size_t(0));
    }

    void roundsMinutesHalfToEven_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sameAs");
        QTest::newRow("30.5 -> 30") << "01/01/1950 à 12h30.5"
                                    << "01/01/1950 à 12h30";
        QTest::newRow("31.5 -> 32") << "01/01/1950 à 12h31.5"
                                    << "01/01/1950 à 12h32";
        QTest::newRow("hour 2.5 -> 2") << "01/01/1950 à 2.5h00"
                                       << "01/01/1950 à 2h00";
        QTest::newRow("day 3.5 is not read past 2 chars") << "3./01/1950 à 0h00"
                                                          << "03/01/1950 à 0h00";
    }
    void roundsMinutesHalfToEven() {
        QFETCH(QString, text);
        QFETCH(QString, sameAs);
        QCOMPARE(JourJulien(text.toStdString(), {}), JourJulien(sameAs.toStdString(), {}));
    }

    void refusesUnreadableFields_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("day letters") << "xx/01/1950"
                                     << "Erreur sur le jour pour xx/01/1950 à 0h00";
        QTest::newRow("empty text") << ""
                                    << "Erreur sur le jour pour  à 0h00";
        QTest::newRow("accented day") << "é1/01/1950"
                                      << "Erreur sur le jour pour é1/01/1950 à 0h00";
        QTest::newRow("month letters") << "01/xx/1950"
                                       << "Erreur sur le mois pour 01/xx/1950 à 0h00";
        QTest::newRow("year letters") << "01/01/19x0"
                                      << "Erreur sur l'année pour 01/01/19x0 à 0h00";
        QTest::newRow("year missing") << "01/01/ à 12h00"
                                      << "Erreur sur l'année pour 01/01/ à 12h00";
        QTest::newRow("year beyond int") << "01/01/99999999999"
                                         << "Erreur sur l'année pour 01/01/99999999999 à 0h00";
        QTest::newRow("year nan") << "01/01/nan"
                                  << "Erreur sur l'année pour 01/01/nan à 0h00";
        QTest::newRow("year inf") << "01/01/-inf"
                                  << "Erreur sur l'année pour 01/01/-inf à 0h00";
        QTest::newRow("year exponent") << "01/01/1e3"
                                       << "Erreur sur l'année pour 01/01/1e3 à 0h00";
        QTest::newRow("year two points") << "01/01/19.5.0"
                                         << "Erreur sur l'année pour 01/01/19.5.0 à 0h00";
        QTest::newRow("year sign only") << "01/01/-"
                                        << "Erreur sur l'année pour 01/01/- à 0h00";
        QTest::newRow("year point only") << "01/01/."
                                         << "Erreur sur l'année pour 01/01/. à 0h00";
        QTest::newRow("one minute digit") << "01/01/1950 à 12h5"
                                          << "Erreur sur l'horaire pour 01/01/1950 à 12h5";
        QTest::newRow("capital H normalised") << "01/01/1950 à 12H5"
                                              << "Erreur sur l'horaire pour 01/01/1950 à 12h5";
        QTest::newRow("one accented char after h") << "01/01/1950 à 12hé"
                                                   << "Erreur sur l'horaire pour 01/01/1950 à 12hé";
        QTest::newRow("h first") << "01/01/1950 à h30"
                                 << "Erreur sur l'horaire pour 01/01/1950 à h30";
        QTest::newRow("no h") << "01/01/1950 à 1230"
                              << "Erreur sur l'horaire pour 01/01/1950 à 1230";
        QTest::newRow("hour letters") << "01/01/1950 à 1xh30"
                                      << "Erreur sur l'heure pour 01/01/1950 à 1xh30";
        QTest::newRow("hour beyond int") << "01/01/1950 à 3000000000h00"
                                         << "Erreur sur l'heure pour 01/01/1950 à 3000000000h00";
        QTest::newRow("minute letters") << "01/01/1950 à 12h3x"
                                        << "Erreur sur les minutes pour 01/01/1950 à 12h3x";
        QTest::newRow("minute two accents") << "01/01/1950 à 12héé"
                                            << "Erreur sur les minutes pour 01/01/1950 à 12héé";
    }
    void refusesUnreadableFields() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        CollectedMessages collected;
        QCOMPARE(JourJulien(text.toStdString(), collected.sink()), 0.0);
        QCOMPARE(collected.messages.size(), size_t(1));
        const Message& shown = collected.messages.front();
        QCOMPARE(QString::fromStdString(shown.text), message + "\r\nJourJulien vaut 0");
        QCOMPARE(QString::fromStdString(shown.title), QString(kProgramTitle));
        QVERIFY(shown.icon == MessageIcon::None);
    }

    void survivesHugeTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::newRow("long garbage") << QString(200000, QChar('x')) << false;
        QTest::newRow("long year") << "01/01/" + QString(5000, QChar('1')) << false;
        QTest::newRow("long zeros year") << "01/01/" + QString(5000, QChar('0')) + "1950" << true;
        QTest::newRow("long time") << "01/01/1950 à " + QString(100000, QChar('h')) << false;
        QTest::newRow("many at signs") << QString(" à ").repeated(30000) << false;
    }
    void survivesHugeTexts() {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        CollectedMessages collected;
        const double jd = JourJulien(text.toStdString(), collected.sink());
        QCOMPARE(collected.messages.empty(), readable);
        QCOMPARE(jd != 0.0, readable);
    }

    void writesDateTimeTexts_data() {
        QTest::addColumn<double>("jd");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message");
        const double hair = 1e-7;
        QTest::newRow("1950 noon") << 2433283.0 << "01/01/1950 à 12h00mn00s"
                                   << "";
        QTest::newRow("first gregorian day") << 2299160.5 << "15/10/1582 à 00h00mn00s"
                                             << "";
        QTest::newRow("last julian day") << 2299159.5 << "04/10/1582 à 00h00mn00s"
                                         << "";
        QTest::newRow("800 AD minutes") << 2013323.71458 << "07/03/800 à 05h09mn00s"
                                        << "";
        QTest::newRow("thirty seconds") << 2433283.0 + 30.0 / 86400 << "01/01/1950 à 12h00mn30s"
                                        << "";
        QTest::newRow("1 BC") << 1721422.5 << "31/12/-1 à 00h00mn00s"
                              << "";
        QTest::newRow("1 AD") << 1721423.5 << "01/01/1 à 00h00mn00s"
                              << "";
        QTest::newRow("lower bound itself") << 260423.5 << "01/01/-4000 à 00h00mn00s"
                                            << "";
        QTest::newRow("upper bound itself") << 2634531.5 << "01/01/2501 à 00h00mn00s"
                                            << "";
        QTest::newRow("carry into next day") << 2433283.5 - hair << "02/01/1950 à 00h00mn00s"
                                             << "";
        QTest::newRow("carry into next month") << 2433313.5 - hair << "01/02/1950 à 00h00mn00s"
                                               << "";
        QTest::newRow("carry into next year") << 2433647.5 - hair << "01/01/1951 à 00h00mn00s"
                                              << "";
        QTest::newRow("carry over the switch") << 2299160.5 - hair << "15/10/1582 à 00h00mn00s"
                                               << "";
        QTest::newRow("carry into 1 AD") << 1721423.5 - hair << "01/01/1 à 00h00mn00s"
                                         << "";
        const QString outside = "la date correspondante est hors limite, la date renvoyée est ";
        QTest::newRow("above range") << 2634532.0 << "01/01/2501 à 0h00" << outside + "01/01/2501 à 0h00";
        QTest::newRow("below range") << 260000.0 << "01/01/-4000 à 0h00" << outside + "01/01/-4000 à 0h00";
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << "01/01/-4000 à 0h00"
                             << outside + "01/01/-4000 à 0h00";
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "01/01/2501 à 0h00"
                                  << outside + "01/01/2501 à 0h00";
    }
    void writesDateTimeTexts() {
        QFETCH(double, jd);
        QFETCH(QString, expected);
        QFETCH(QString, message);
        CollectedMessages collected;
        QCOMPARE(QString::fromStdString(JulianDayToDate(jd, collected.sink())), expected);
        QCOMPARE(collected.messages.size(), size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty()) {
            QCOMPARE(QString::fromStdString(collected.messages.front().text), message);
            QCOMPARE(QString::fromStdString(collected.messages.front().title), QString(kProgramTitle));
        }
    }

    // Every day from -4000 to 2500 at a few times: the two directions agree and consecutive days
    // are exactly one Julian day apart.
    void everyDayRoundTrips() {
        char input[48];
        char expected[64];
        double previousMidnight = 0.0;
        long dayIndex = 0;
        for (int year = -4000; year <= 2500; ++year) {
            if (year == 0) {
                continue;
            }
            for (int month = 1; month <= 12; ++month) {
                for (int day = 1; day <= daysInMonth(year, month); ++day) {
                    if (year == 1582 && month == 10 && day >= 5 && day <= 14) {
                        continue;
                    }
                    const bool sampled = dayIndex++ % kSweepStride == 0;
                    std::snprintf(input, sizeof input, "%02d/%02d/%d", day, month, year);
                    const double midnight = JourJulien(input, {});
                    if (previousMidnight != 0.0 && midnight - previousMidnight != 1.0) {
                        QCOMPARE(midnight - previousMidnight, 1.0);
                    }
                    previousMidnight = midnight;
                    if (!sampled) {
                        continue;
                    }
                    const int minuteOfDay = static_cast<int>((dayIndex * 397) % 1440);
                    for (int minutes : {0, minuteOfDay, 1439}) {
                        std::snprintf(input, sizeof input, "%02d/%02d/%d à %02dh%02d", day, month, year,
                                      minutes / 60, minutes % 60);
                        std::snprintf(expected, sizeof expected, "%smn00s", input);
                        const std::string back = JulianDayToDate(JourJulien(input, {}), {});
                        if (back != expected) {
                            QCOMPARE(QString::fromStdString(back), QString::fromUtf8(expected));
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
