#include <QtTest>

#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

namespace {

// Around two ingresses: one without a time (date rule), one with a time (minute rule), and lines
// that must be ignored between them.
const char* const kAroundIngress =
    "18/03/1950D9\r\n20/03/1950DA\r\n21/03/1950D1 04:35\r\n21/03/1950X2\r\n22/03/1950r3\r\n23/03/1950D2\r\n";

IngressTable parsed(const QString& content) {
    std::string error;
    return parseIngressText(content.toStdString(), "su.txt", error).value();
}

CivilDate date(const QString& text) {
    return *parseDayMonthYear(text.toStdString());
}

// The natal rule applied line by line from the top, as a plain reading of the file would.
int16_t scannedSign(const IngressTable& table, CivilDate birthDate, const CivilDateTime& birthUT) {
    int16_t previous = 0;
    for (const IngressLine& line : table.accepted) {
        if (line.timeUT ? sys_days{line.date} + *line.timeUT > birthUT.instant() : line.date > birthDate) {
            return previous;
        }
        previous = static_cast<int16_t>(std::stoi(line.sign));
    }
    return 0;
}

}  // namespace

class NatalSignsTest : public QObject {
    Q_OBJECT
  private slots:
    void aroundIngress_data() {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("birthUT");  // "JJ/MM/AAAA HH:MM"
        QTest::addColumn<int>("expected");
        QTest::newRow("before the first line") << u"17/03/1950"_s << u"17/03/1950 12:00"_s << 0;
        QTest::newRow("eve of a bare ingress") << u"19/03/1950"_s << u"19/03/1950 23:59"_s << 9;
        QTest::newRow("bare ingress day, 00h01") << u"20/03/1950"_s << u"20/03/1950 00:01"_s << 10;
        QTest::newRow("bare ingress day, 23h59") << u"20/03/1950"_s << u"20/03/1950 23:59"_s << 10;
        QTest::newRow("bare ingress day, universal eve") << u"20/03/1950"_s << u"19/03/1950 23:00"_s << 10;
        QTest::newRow("timed ingress, minute before") << u"21/03/1950"_s << u"21/03/1950 04:34"_s << 10;
        QTest::newRow("timed ingress, same minute") << u"21/03/1950"_s << u"21/03/1950 04:35"_s << 1;
        QTest::newRow("local day of ingress, universal eve")
            << u"21/03/1950"_s << u"20/03/1950 23:00"_s << 10;
        QTest::newRow("local eve, universal after") << u"20/03/1950"_s << u"21/03/1950 05:00"_s << 1;
        QTest::newRow("X and r lines change nothing") << u"22/03/1950"_s << u"22/03/1950 12:00"_s << 1;
        QTest::newRow("on the last line's date") << u"23/03/1950"_s << u"23/03/1950 12:00"_s << 0;
    }
    void aroundIngress() {
        QFETCH(QString, birthDate);
        QFETCH(QString, birthUT);
        QFETCH(int, expected);
        const IngressTable table = parsed(kAroundIngress);
        const CivilDateTime ut{sys_days{date(birthUT.left(10))},
                               hours{birthUT.mid(11, 2).toInt()} + minutes{birthUT.mid(14, 2).toInt()}};
        // Both routines write their own value, and a birth the table does not cover clears the last one.
        RunState state;
        state.NatalSunSign = state.NatalMoonSign = 7;
        calcul_soleil(date(birthDate), ut, table, state);
        QCOMPARE(int(state.NatalSunSign), expected);
        QCOMPARE(int(state.NatalMoonSign), 7);
        calcul_lune(date(birthDate), ut, table, state);
        QCOMPARE(int(state.NatalMoonSign), expected);
    }

    // Every birth around the lines, every universal day next to it: the same sign as a plain scan.
    void sameAsLineByLine_data() {
        QTest::addColumn<QString>("content");
        QTest::newRow("mixed") << QString(kAroundIngress);
        QTest::newRow("several on one day")
            << u"10/03/1950D5 22:10\r\n12/03/1950D6\r\n12/03/1950R5\r\n"
               "12/03/1950D6 06:00\r\n12/03/1950D7 23:00\r\n14/03/1950D8 00:00\r\n"
               "16/03/1950D9\r\n"_s;
    }
    void sameAsLineByLine() {
        QFETCH(QString, content);
        const IngressTable table = parsed(content);
        const sys_days first{date("05/03/1950")};
        for (int d = 0; d < 25; ++d) {
            for (int shift : {-1, 0, 1}) {
                for (int minute : {0, 1, 6 * 60, 4 * 60 + 35, 22 * 60 + 10, 23 * 60, 23 * 60 + 59}) {
                    const CivilDate birthDate{first + days{d}};
                    const CivilDateTime birthUT{first + days{d + shift}, minutes{minute}};
                    QCOMPARE(natalSign(table, birthDate, birthUT), scannedSign(table, birthDate, birthUT));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(NatalSignsTest)
#include "test_natal_signs.moc"
