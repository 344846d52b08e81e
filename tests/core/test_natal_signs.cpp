#include <QtTest>

#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

using namespace selenarc;

namespace {

// Around two ingresses: one without a time (date rule), one with a time (minute rule), and lines
// that must be ignored between them.
const char* const kAroundIngress =
    "18/03/1950D9\r\n"
    "20/03/1950DA\r\n"
    "21/03/1950D1 04:35\r\n"
    "21/03/1950X2\r\n"
    "22/03/1950r3\r\n"
    "23/03/1950D2\r\n";

IngressTable parsed(const char* content) {
    std::string error;
    auto table = parseIngressText(content, "su.txt", error);
    if (!table) {
        qFatal("%s", error.c_str());
    }
    return *table;
}

CivilDate date(const QString& text) {
    return *parseDayMonthYear(text.toStdString());
}

CivilDateTime dateTime(const QString& day, int hour, int minute) {
    return {std::chrono::sys_days{date(day)}, std::chrono::hours{hour} + std::chrono::minutes{minute}};
}

// The natal rule applied line by line from the top, as a plain reading of the file would.
int16_t scannedSign(const IngressTable& table, CivilDate birthDate, const CivilDateTime& birthUT) {
    int16_t previous = 0;
    for (const IngressLine& line : table.accepted) {
        const bool later = line.timeUT ? std::chrono::sys_days{line.date} + *line.timeUT > birthUT.instant()
                                       : line.date > birthDate;
        if (later) {
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
        QTest::addColumn<QString>("utDate");
        QTest::addColumn<int>("utHour");
        QTest::addColumn<int>("utMinute");
        QTest::addColumn<int>("expected");
        QTest::newRow("before the first line") << "17/03/1950"
                                               << "17/03/1950" << 12 << 0 << 0;
        QTest::newRow("on the first line's date") << "18/03/1950"
                                                  << "18/03/1950" << 12 << 0 << 9;
        QTest::newRow("eve of a bare ingress") << "19/03/1950"
                                               << "19/03/1950" << 23 << 59 << 9;
        QTest::newRow("bare ingress day, 00h01") << "20/03/1950"
                                                 << "20/03/1950" << 0 << 1 << 10;
        QTest::newRow("bare ingress day, 23h59") << "20/03/1950"
                                                 << "20/03/1950" << 23 << 59 << 10;
        QTest::newRow("bare ingress day, universal eve") << "20/03/1950"
                                                         << "19/03/1950" << 23 << 0 << 10;
        QTest::newRow("timed ingress, minute before") << "21/03/1950"
                                                      << "21/03/1950" << 4 << 34 << 10;
        QTest::newRow("timed ingress, same minute") << "21/03/1950"
                                                    << "21/03/1950" << 4 << 35 << 1;
        QTest::newRow("timed ingress, minute after") << "21/03/1950"
                                                     << "21/03/1950" << 4 << 36 << 1;
        QTest::newRow("local day of ingress, universal eve") << "21/03/1950"
                                                             << "20/03/1950" << 23 << 0 << 10;
        QTest::newRow("local eve, universal after") << "20/03/1950"
                                                    << "21/03/1950" << 5 << 0 << 1;
        QTest::newRow("X and r lines change nothing") << "22/03/1950"
                                                      << "22/03/1950" << 12 << 0 << 1;
        QTest::newRow("on the last line's date") << "23/03/1950"
                                                 << "23/03/1950" << 12 << 0 << 0;
        QTest::newRow("after the last line") << "30/03/1950"
                                             << "30/03/1950" << 12 << 0 << 0;
    }
    void aroundIngress() {
        QFETCH(QString, birthDate);
        QFETCH(QString, utDate);
        QFETCH(int, utHour);
        QFETCH(int, utMinute);
        QFETCH(int, expected);
        const IngressTable table = parsed(kAroundIngress);
        const CivilDateTime birthUT = dateTime(utDate, utHour, utMinute);
        QCOMPARE(int(natalSign(table, date(birthDate), birthUT)), expected);

        // Both routines write their own value, and a birth the table does not cover clears the last one.
        RunState state;
        state.NatalSunSign = 7;
        state.NatalMoonSign = 7;
        calcul_soleil(date(birthDate), birthUT, table, state);
        QCOMPARE(int(state.NatalSunSign), expected);
        QCOMPARE(int(state.NatalMoonSign), 7);
        calcul_lune(date(birthDate), birthUT, table, state);
        QCOMPARE(int(state.NatalMoonSign), expected);
    }

    // Every birth around the lines, every universal day next to it: the same sign as a plain scan.
    void sameAsLineByLine_data() {
        QTest::addColumn<QString>("content");
        QTest::newRow("mixed") << QString(kAroundIngress);
        QTest::newRow("timed, two on one day") << QString(
            "10/03/1950D5 22:10\r\n12/03/1950D6 01:00\r\n12/03/1950R5 23:00\r\n14/03/1950D6 00:00\r\n");
        QTest::newRow("bare, two on one day")
            << QString("10/03/1950D5\r\n12/03/1950D6\r\n12/03/1950R5\r\n14/03/1950D6\r\n16/03/1950D7\r\n");
        QTest::newRow("bare then timed same day")
            << QString("12/03/1950D6\r\n12/03/1950D7 06:00\r\n13/03/1950D8\r\n");
    }
    void sameAsLineByLine() {
        QFETCH(QString, content);
        const std::string text = content.toStdString();
        const IngressTable table = parsed(text.c_str());
        const std::chrono::sys_days first{date("05/03/1950")};
        for (int d = 0; d < 25; ++d) {
            const CivilDate birthDate{first + std::chrono::days{d}};
            for (int shift : {-1, 0, 1}) {
                for (int minute : {0, 1, 6 * 60, 4 * 60 + 35, 22 * 60 + 10, 23 * 60, 23 * 60 + 59}) {
                    const CivilDateTime birthUT{first + std::chrono::days{d + shift},
                                                std::chrono::minutes{minute}};
                    QCOMPARE(natalSign(table, birthDate, birthUT), scannedSign(table, birthDate, birthUT));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(NatalSignsTest)
#include "test_natal_signs.moc"
