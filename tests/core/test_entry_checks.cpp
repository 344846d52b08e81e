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
    // Date texts go to CheckDateText, the others to CheckTimeText. Accents count as one character.
    void dateAndTimeTexts_data() {
        QTest::addColumn<bool>("isDate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("leading blank") << true << " 01/01/1950" << kDateLength;
        QTest::newRow("dashes") << true << "01-01-1950" << kDateShape;
        QTest::newRow("month 00") << true << "01/00/1950" << kDateShape;
        QTest::newRow("month 13") << true << "12/13/1950" << kDateShape;
        QTest::newRow("31 april") << true << "31/04/1950" << kDateShape;
        QTest::newRow("29 feb 1900") << true << "29/02/1900" << kDateShape;
        QTest::newRow("29 feb 2000") << true << "29/02/2000" << kValid;
        QTest::newRow("year 3000") << true << "01/01/3000" << kDateShape;
        QTest::newRow("year 0099") << true << "01/01/0099" << kDateShape;
        QTest::newRow("accented date") << true << "é1/01/1950" << kDateShape;
        QTest::newRow("25h30 carried later") << false << "25h30" << kValid;
        QTest::newRow("capital H") << false << "12H00" << kTimeShape;
        QTest::newRow("minute 60") << false << "12h60" << kTimeShape;
        QTest::newRow("four characters") << false << "1h00" << kTimeLength;
        QTest::newRow("accented time") << false << "1éh00" << kTimeShape;
    }
    void dateAndTimeTexts() {
        QFETCH(bool, isDate);
        QFETCH(QString, text);
        QFETCH(QString, message);
        const std::string typed = text.toStdString();
        QCOMPARE(QString::fromStdString(isDate ? CheckDateText(typed) : CheckTimeText(typed)), message);
    }

    void nameCharacters_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("forbidden");
        QTest::newRow("hyphen and apostrophe") << "Dupont-D'Arc" << false;
        for (QChar c : QString("*?/\\&@%!:#,;.")) {
            QTest::addRow("contains %c", c.toLatin1()) << QString("Jean") + c + "ne" << true;
        }
    }
    void nameCharacters() {
        QFETCH(QString, name);
        QFETCH(bool, forbidden);
        QCOMPARE(hasForbiddenNameCharacter(name.toStdString()), forbidden);
    }

    // Local "JJ/MM/AAAA HHhMM" and zone row to universal time.
    void universalTime_data() {
        QTest::addColumn<QString>("local");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("universal");
        QTest::newRow("row 13 back over new year") << "01/01/1950 00h30" << 13 << "31/12/1949 23h30";
        QTest::newRow("row 7 to next day") << "10/06/1975 23h30" << 7 << "11/06/1975 04h30";
        QTest::newRow("row 0 to next day") << "01/01/1950 12h00" << 0 << "02/01/1950 00h00";
        QTest::newRow("29h59 row 0") << "01/01/1950 29h59" << 0 << "02/01/1950 17h59";
        QTest::newRow("back into a leap day") << "01/03/2000 05h00" << 25 << "29/02/2000 16h00";
    }
    void universalTime() {
        QFETCH(QString, local);
        QFETCH(int, row);
        QFETCH(QString, universal);
        const auto date = parseDayMonthYear(local.left(10).toStdString());
        QVERIFY(date);
        const UniversalBirthTime ut = toUniversalTime(*date, local.mid(11).toStdString(), row);
        QCOMPARE(QString::fromStdString(formatDayMonthYear(ut.date)) +
                     QString::asprintf(" %02dh%02d", ut.hour, ut.minute),
                 universal);
    }
};

QTEST_GUILESS_MAIN(EntryChecksTest)
#include "test_entry_checks.moc"
