#include <QtTest>

#include "calendar/birth_moment.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

class BirthMomentTest : public QObject {
    Q_OBJECT
  private slots:
    // The birth read once from the entry texts: the local date as typed, the universal instant
    // moved across midnight by the zone; a date that cannot be read gives nothing.
    void read_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("zoneRow");       // row r is r - 12 hours from Greenwich
        QTest::addColumn<QString>("expected");  // "local date | universal date and time", or ""
        QTest::newRow("blanks around the date")
            << u" \t01/01/1950 "_s << u"12h00"_s << 13 << u"01/01/1950 | 01/01/1950 11h00"_s;
        QTest::newRow("east, universal eve")
            << u"01/01/2000"_s << u"02h15"_s << 22 << u"01/01/2000 | 31/12/1999 16h15"_s;
        QTest::newRow("west, universal next day")
            << u"28/02/2024"_s << u"20h00"_s << 0 << u"28/02/2024 | 29/02/2024 08h00"_s;
        QTest::newRow("no 31 February") << u"31/02/1950"_s << u"12h00"_s << 12 << QString();
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

    // At a place, by its legal time: "universal date and time + seconds | offset | kind", or the
    // message. The zone and the longitude are the database's and the place's own.
    void readAtAPlace_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<double>("longitude");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("choice");  // HourChoice
        QTest::addColumn<QString>("expected");
        const QString paris = u"Europe/Paris"_s;
        QTest::newRow("Paris mean time keeps its seconds")
            << paris << 2.3488 << u"01/01/1900"_s << u"12h00"_s << 0
            << u"01/01/1900 11h50 +39 s | 561 | heure légale"_s;
        QTest::newRow("Brest, own mean time") << paris << -4.4863 << u"01/01/1880"_s << u"12h00"_s << 0
                                              << u"01/01/1880 12h17 +57 s | -1077 | temps moyen local"_s;
        QTest::newRow("summer time across midnight") << paris << 2.3488 << u"15/08/1976"_s << u"01h30"_s << 0
                                                     << u"14/08/1976 23h30 +0 s | 7200 | heure d'été"_s;
        QTest::newRow("hour 24 runs into the next day")
            << paris << 2.3488 << u"31/12/1999"_s << u"24h30"_s << 0
            << u"31/12/1999 23h30 +0 s | 3600 | heure légale"_s;
        QTest::newRow("repeated hour, summer")
            << paris << 2.3488 << u"26/09/1976"_s << u"00h30"_s << int(HourChoice::Summer)
            << u"25/09/1976 22h30 +0 s | 7200 | heure d'été"_s;
        QTest::newRow("repeated hour, winter")
            << paris << 2.3488 << u"26/09/1976"_s << u"00h30"_s << int(HourChoice::Winter)
            << u"25/09/1976 23h30 +0 s | 3600 | heure légale"_s;
        QTest::newRow("repeated hour, no choice")
            << paris << 2.3488 << u"26/09/1976"_s << u"00h30"_s << 0
            << u"Cette heure a existé deux fois ce jour-là, les horloges ayant été retardées : précisez s'il "
               "s'agit de l'heure d'été (UTC+2) ou de l'heure d'hiver (UTC+1)."_s;
        QTest::newRow("skipped hour")
            << paris << 2.3488 << u"28/03/1976"_s << u"01h30"_s << 0
            << u"Cette heure n'a pas existé : ce jour-là, les horloges sont passées de "
               "01h00 à 02h00."_s;
        QTest::newRow("a choice where nothing repeats is moot")
            << u"America/New_York"_s << -74.006 << u"04/07/1976"_s << u"12h00"_s << int(HourChoice::Winter)
            << u"04/07/1976 16h00 +0 s | -14400 | heure d'été"_s;
    }
    void readAtAPlace() {
        QFETCH(QString, zone);
        QFETCH(double, longitude);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(int, choice);
        QFETCH(QString, expected);
        const std::string zoneId = zone.toStdString();
        Place place;
        place.id = 1;
        place.name = "Lieu";
        place.country = "France";
        place.longitude = longitude;
        place.timeZoneId = zoneId;
        const BirthMomentReading reading =
            readBirthMomentAt(date.toStdString(), time.toStdString(), place, HourChoice(choice));
        QString got = QString::fromStdString(reading.message);
        if (const auto& birth = reading.moment) {
            got = QString::fromStdString(formatDayMonthYearTime(birth->universal)) +
                  u" +%1 s | %2 | "_s.arg(birth->extraSeconds.count()).arg(birth->clock.utcOffset.count()) +
                  QString::fromStdString(std::string(offsetKindName(birth->clock.kind)));
        }
        QCOMPARE(got, expected);
    }

    // The row saved for earlier versions: the nearest whole hour, the eastern one of two, within 0..25.
    void nearestRow_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("row");
        QTest::newRow("Paris mean time") << 561 << 12;
        QTest::newRow("central Europe") << 3600 << 13;
        QTest::newRow("India, half an hour") << 19800 << 18;
        QTest::newRow("Kiribati, beyond the list") << 50400 << 25;
    }
    void nearestRow() {
        QFETCH(int, offset);
        QFETCH(int, row);
        QCOMPARE(nearestTimeZoneRow(std::chrono::seconds{offset}), row);
    }
};

QTEST_GUILESS_MAIN(BirthMomentTest)
#include "test_birth_moment.moc"
