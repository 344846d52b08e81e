#include <QtTest>

#include "calendar/entry_checks.h"
#include "calendar/time_zone.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

const QString kDateLength = "format incorrect (10 caractères requis)";
const QString kDateShape = "format incorrect : __/__/____";
const QString kTimeShape = "format incorrect : __h__";

// What the screening makes of a typed text: field 'd' goes to CheckDateText, 't' to CheckTimeText,
// 'n' to the name check ("refusé" when refused), 'u' turns "<zone row> JJ/MM/AAAA HHhMM" into
// universal time.
QString screened(char field, const QString& text) {
    const std::string typed = text.toStdString();
    if (field == 'u') {
        const UniversalBirthTime ut =
            toUniversalTime(*parseDayMonthYear(text.section(' ', 1, 1).toStdString()),
                            text.section(' ', 2).toStdString(), text.section(' ', 0, 0).toInt());
        return QString::fromStdString(formatDayMonthYear(ut.date)) +
               QString::asprintf(" %02dh%02d", ut.hour, ut.minute);
    }
    return QString::fromStdString(field == 'd'   ? CheckDateText(typed)
                                  : field == 't' ? CheckTimeText(typed)
                                                 : (hasForbiddenNameCharacter(typed) ? "refusé" : ""));
}

class EntryChecksTest : public QObject {
    Q_OBJECT
  private slots:
    // Accents count as one character.
    void typedTexts_data() {
        QTest::addColumn<char>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("leading blank") << 'd' << " 01/01/1950" << kDateLength;
        QTest::newRow("month 13") << 'd' << "12/13/1950" << kDateShape;
        QTest::newRow("31 april") << 'd' << "31/04/1950" << kDateShape;
        QTest::newRow("29 feb 1900") << 'd' << "29/02/1900" << kDateShape;
        QTest::newRow("29 feb 2000") << 'd' << "29/02/2000" << QString();
        QTest::newRow("year 3000") << 'd' << "01/01/3000" << kDateShape;
        QTest::newRow("accented date") << 'd' << "é1/01/1950" << kDateShape;
        QTest::newRow("25h30 carried later") << 't' << "25h30" << QString();
        QTest::newRow("capital H") << 't' << "12H00" << kTimeShape;
        QTest::newRow("minute 60") << 't' << "12h60" << kTimeShape;
        QTest::newRow("four characters") << 't' << "1h00" << u"format incorrect (5 caractères requis)"_s;
        QTest::newRow("hyphen and apostrophe") << 'n' << "Dupont-D'Arc" << QString();
        QTest::newRow("row 13 back over new year") << 'u' << "13 01/01/1950 00h30" << u"31/12/1949 23h30"_s;
        QTest::newRow("row 7 to next day") << 'u' << "7 10/06/1975 23h30" << u"11/06/1975 04h30"_s;
        QTest::newRow("29h59 row 0") << 'u' << "0 01/01/1950 29h59" << u"02/01/1950 17h59"_s;
        QTest::newRow("back into a leap day") << 'u' << "25 01/03/2000 05h00" << u"29/02/2000 16h00"_s;
        for (QChar c : QString("*?/\\&@%!:#,;.")) {
            QTest::addRow("name with %c", c.toLatin1()) << 'n' << QString("Jean") + c + "ne" << u"refusé"_s;
        }
    }
    void typedTexts() {
        QFETCH(char, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(screened(field, text), message);
    }
};

QTEST_GUILESS_MAIN(EntryChecksTest)
#include "test_entry_checks.moc"
