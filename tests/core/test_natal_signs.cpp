#include <QtTest>

#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

class NatalSignsTest : public QObject {
    Q_OBJECT
  private slots:
    // Around two ingresses: one without a time (the local birth date decides), one with a time (the
    // universal minute decides), and lines that must be ignored between them.
    void aroundIngress_data() {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("birthUT");  // "JJ/MM/AAAA HH:MM"
        QTest::addColumn<int>("expected");
        QTest::newRow("before the first line") << u"17/03/1950"_s << u"17/03/1950 12:00"_s << 0;
        QTest::newRow("eve of a bare ingress") << u"19/03/1950"_s << u"19/03/1950 23:59"_s << 9;
        QTest::newRow("bare ingress day, 00h01") << u"20/03/1950"_s << u"20/03/1950 00:01"_s << 10;
        QTest::newRow("bare ingress day, universal eve") << u"20/03/1950"_s << u"19/03/1950 23:00"_s << 10;
        QTest::newRow("timed ingress, minute before") << u"21/03/1950"_s << u"21/03/1950 04:34"_s << 10;
        QTest::newRow("timed ingress, same minute") << u"21/03/1950"_s << u"21/03/1950 04:35"_s << 1;
        QTest::newRow("local eve, universal after") << u"20/03/1950"_s << u"21/03/1950 05:00"_s << 1;
        QTest::newRow("X and r lines change nothing") << u"22/03/1950"_s << u"22/03/1950 12:00"_s << 1;
        QTest::newRow("on the last line's date") << u"23/03/1950"_s << u"23/03/1950 12:00"_s << 0;
    }
    void aroundIngress() {
        QFETCH(QString, birthDate);
        QFETCH(QString, birthUT);
        QFETCH(int, expected);
        std::string error;
        const IngressTable table = *parseIngressText(
            "18/03/1950D9\r\n20/03/1950DA\r\n21/03/1950D1 "
            "04:35\r\n21/03/1950X2\r\n22/03/1950r3\r\n23/03/1950D2\r\n",
            "su.txt", error);
        const CivilDate date = *parseDayMonthYear(birthDate.toStdString());
        const CivilDateTime ut{sys_days{*parseDayMonthYear(birthUT.left(10).toStdString())},
                               hours{birthUT.mid(11, 2).toInt()} + minutes{birthUT.mid(14, 2).toInt()}};
        QCOMPARE(int(calcul_soleil({date, ut}, table)), expected);
        QCOMPARE(int(calcul_lune({date, ut}, table)), expected);
    }
};

QTEST_GUILESS_MAIN(NatalSignsTest)
#include "test_natal_signs.moc"
