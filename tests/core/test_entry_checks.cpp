#include <QtTest>

#include "calendar/entry_checks.h"
#include "calendar/time_zone.h"

using namespace selenarc;

namespace {
const QString kDateLength = "format incorrect (10 caractères requis)";
const QString kDateShape = "format incorrect : __/__/____";
const QString kTimeLength = "format incorrect (5 caractères requis)";
const QString kTimeShape = "format incorrect : __h__";
const QString kValid;
}  // namespace

class EntryChecksTest : public QObject {
    Q_OBJECT
  private slots:
    void dateTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("default") << "01/01/1950" << kValid;
        QTest::newRow("short") << "1/1/1950" << kDateLength;
        QTest::newRow("leading blank") << " 01/01/1950" << kDateLength;
        QTest::newRow("empty") << "" << kDateLength;
        QTest::newRow("dashes") << "01-01-1950" << kDateShape;
        QTest::newRow("day 32") << "32/01/1950" << kDateShape;
        QTest::newRow("day 00") << "00/01/1950" << kDateShape;
        QTest::newRow("month 00") << "01/00/1950" << kDateShape;
        QTest::newRow("month 13") << "12/13/1950" << kDateShape;
        QTest::newRow("31 april") << "31/04/1950" << kDateShape;
        QTest::newRow("30 april") << "30/04/1950" << kValid;
        QTest::newRow("29 feb 1900") << "29/02/1900" << kDateShape;
        QTest::newRow("29 feb 2000") << "29/02/2000" << kValid;
        QTest::newRow("29 feb 1951") << "29/02/1951" << kDateShape;
        QTest::newRow("year 3000") << "01/01/3000" << kDateShape;
        QTest::newRow("year 2999") << "31/12/2999" << kValid;
        QTest::newRow("year 0099") << "01/01/0099" << kDateShape;
        QTest::newRow("year 0100") << "01/01/0100" << kValid;
        QTest::newRow("letter") << "0a/01/1950" << kDateShape;
        QTest::newRow("accent counts one character") << "é1/01/1950" << kDateShape;
        QTest::newRow("accent makes 11") << "01/01/1950é" << kDateLength;
    }
    void dateTexts() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(QString::fromStdString(CheckDateText(text.toStdString())), message);
    }

    void timeTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("noon") << "12h00" << kValid;
        QTest::newRow("midnight") << "00h00" << kValid;
        QTest::newRow("25h30 carried later") << "25h30" << kValid;
        QTest::newRow("29h59") << "29h59" << kValid;
        QTest::newRow("30h00") << "30h00" << kTimeShape;
        QTest::newRow("capital H") << "12H00" << kTimeShape;
        QTest::newRow("colon") << "12:00" << kTimeShape;
        QTest::newRow("minute 60") << "12h60" << kTimeShape;
        QTest::newRow("four chars") << "1h00" << kTimeLength;
        QTest::newRow("empty") << "" << kTimeLength;
        QTest::newRow("accent counts one character") << "1éh00" << kTimeShape;
        QTest::newRow("accent in minutes") << "12hé0" << kTimeShape;
        QTest::newRow("accent makes 4") << "éh00" << kTimeLength;
    }
    void timeTexts() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(QString::fromStdString(CheckTimeText(text.toStdString())), message);
    }

    void nameCharacters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("forbidden");
        QTest::newRow("hyphen") << "Dupont-Martin" << false;
        QTest::newRow("apostrophe") << "D'Arc" << false;
        QTest::newRow("accents") << "Élodie Müller" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("full stop at end") << "Dupont." << true;
        for (QChar c : QString("*?/\\&@%!:#,;.")) {
            QTest::addRow("contains %c", c.toLatin1()) << QString("Jean") + c + "ne" << true;
        }
    }
    void nameCharacters() {
        QFETCH(QString, name);
        QFETCH(bool, forbidden);
        QCOMPARE(hasForbiddenNameCharacter(name.toStdString()), forbidden);
    }

    void universalTime_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("utDate");
        QTest::addColumn<int>("utHour");
        QTest::addColumn<int>("utMinute");
        QTest::newRow("row 13 back over new year") << "01/01/1950"
                                                   << "00h30" << 13 << "31/12/1949" << 23 << 30;
        QTest::newRow("row 0 to next day") << "01/01/1950"
                                           << "12h00" << 0 << "02/01/1950" << 0 << 0;
        QTest::newRow("row 12 unchanged") << "01/01/1950"
                                          << "12h00" << 12 << "01/01/1950" << 12 << 0;
        QTest::newRow("row 25 back a day") << "01/01/1950"
                                           << "12h00" << 25 << "31/12/1949" << 23 << 0;
        QTest::newRow("row 13 same day") << "01/01/1950"
                                         << "23h45" << 13 << "01/01/1950" << 22 << 45;
        QTest::newRow("29h59 row 12") << "01/01/1950"
                                      << "29h59" << 12 << "02/01/1950" << 5 << 59;
        QTest::newRow("29h59 row 0") << "01/01/1950"
                                     << "29h59" << 0 << "02/01/1950" << 17 << 59;
        QTest::newRow("into a leap day") << "28/02/1952"
                                         << "23h00" << 0 << "29/02/1952" << 11 << 0;
        QTest::newRow("back into a leap day") << "01/03/2000"
                                              << "05h00" << 25 << "29/02/2000" << 16 << 0;
        QTest::newRow("into a new year") << "31/12/1999"
                                         << "20h00" << 2 << "01/01/2000" << 6 << 0;
    }
    void universalTime() {
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(int, row);
        QFETCH(QString, utDate);
        QFETCH(int, utHour);
        QFETCH(int, utMinute);
        const auto local = parseDayMonthYear(date.toStdString());
        QVERIFY(local);
        const UniversalBirthTime ut = toUniversalTime(*local, time.toStdString(), row);
        QCOMPARE(QString::fromStdString(formatDayMonthYear(ut.date)), utDate);
        QCOMPARE(ut.hour, utHour);
        QCOMPARE(ut.minute, utMinute);
    }
};

QTEST_GUILESS_MAIN(EntryChecksTest)
#include "test_entry_checks.moc"
