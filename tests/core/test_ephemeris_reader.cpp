#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

namespace {

// "20/03/2000 07h35:1" per accepted line: date, time when given, decoded sign.
QString describe(const IngressTable& table) {
    QStringList parts;
    for (const IngressLine& l : table.accepted) {
        const std::string when = l.timeUT ? formatDayMonthYearTime({std::chrono::sys_days{l.date}, *l.timeUT})
                                          : formatDayMonthYear(l.date);
        parts << QString::fromStdString(when + ":" + signText(l.sign));
    }
    return parts.join(", ");
}

// "618:9 47": lunation number, then the four sign columns as read.
QString describe(const LunationTable& table) {
    QStringList parts;
    for (const LunationLine& l : table.lines) {
        std::string signs;
        for (const SignIndex sign : l.signs) {
            signs += sign == 0 ? ' ' : "123456789ABC"[sign - 1];
        }
        parts << QString::fromStdString(std::to_string(l.number) + ":" + signs);
    }
    return parts.join(", ");
}

}  // namespace

class EphemerisReaderTest : public QObject {
    Q_OBJECT
  private slots:
    // su.txt, or sl.txt / sj.txt for rows named "sl ..." / "sj ...", among good tables (none when null): the
    // Moon's lines or the lunations as read, or the error without its "Table <file>, " before "ligne".
    void lines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("line ends, blank lines") << u"\r\n21/03/1950D1\r\n   \r\n20/04/1950R2\n21/05/1950D3"_s
                                                << "21/03/1950:1, 20/04/1950:2, 21/05/1950:3";
        QTest::newRow("A B C, blank in a number") << u"01/01/1950DA\r\n 1/02/1950DB\r\n01/03/1950RC"_s
                                                  << "01/01/1950:10, 01/02/1950:11, 01/03/1950:12";
        QTest::newRow("other codes ignored, even out of order")
            << u"21/03/1950D1\r\n01/01/1900X5\r\n22/03/1950r2\r\n21/03/1950\r\n23/03/1950D2"_s
            << "21/03/1950:1, 23/03/1950:2";
        QTest::newRow("same date, first and last minute, comment")
            << u"20/03/2000D1 00:00\r\n20/03/2000R2 23:59\r\n21/03/2000D3 entrée"_s
            << "20/03/2000 00h00:1, 20/03/2000 23h59:2, 21/03/2000:3";
        QTest::newRow("Moon skips a sign (a line missing)")
            << u"21/03/1950D1\r\n20/04/1950D3"_s
            << "ligne 2 : entrée en Gémeaux après Bélier (attendu : Taureau) ; une ligne manque ou est "
               "fausse";
        QTest::newRow("Poisson to Bélier")
            << u"21/03/1950DC\r\n23/03/1950D1"_s << "21/03/1950:12, 23/03/1950:1";
        QTest::newRow("same day, earlier time")
            << u"21/03/1950D1 10:00\r\n21/03/1950D2 09:59"_s
            << "ligne 2 : heure antérieure à celle de la ligne précédente";
        QTest::newRow("sj back and forth")
            << u"01/01/1950D5\r\n01/06/1950R4\r\n01/12/1950D5\r\n01/06/1951D6"_s
            << "01/01/1950:5, 01/06/1950:4, 01/12/1950:5, 01/06/1951:6";
        QTest::newRow("sj two signs at once") << u"01/01/1950D5\r\n01/06/1950D7"_s
                                              << "ligne 2 : entrée en Balance après Lion (attendu : Vierge "
                                                 "ou Cancer) ; une ligne manque ou est fausse";
        QTest::newRow("leading blank") << u"21/03/1950D1\r\n 21/03/1950D2"_s << "ligne 2 : date illisible";
        QTest::newRow("no sign, after a blank line") << u"\r\n21/03/1950D"_s << "ligne 2 : signe illisible";
        QTest::newRow("hour 24") << u"21/03/1950D1 24:00"_s << "ligne 1 : heure illisible";
        QTest::newRow("date going back") << u"21/03/1950D1\r\n20/03/1950D2"_s
                                         << "ligne 2 : date antérieure à celle de la ligne précédente";
        QTest::newRow("missing") << QString() << "Table su.txt introuvable";
        QTest::newRow("only ignored lines") << u"01/01/1950X1"_s << "Table su.txt : aucune entrée de signe";
        QTest::newRow("sl padding, blanks, tail ignored")
            << u" 617 7B25\r\n0618 9 47 pleine lune\r\n 619 91"_s << "617:7B25, 618:9 47, 619:91  ";
        QTest::newRow("sl leading blank shifts the number: 61")
            << u" 618 9147\r\n  619 9147"_s
            << "ligne 2 : lunaison 61 au lieu de 619 (numéro répété ou en recul)";
        QTest::newRow("sl a line missing")
            << u" 617 9147\r\n 619 9147"_s
            << "ligne 2 : lunaison 619 au lieu de 618 (il manque des lunaisons)";
        QTest::newRow("sl blank") << u"\r\n"_s << "Table sl.txt : aucune lunaison";
    }
    void lines() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        const QByteArray tag = QTest::currentDataTag();
        const QString file = tag.startsWith("sl ") ? "sl.txt" : tag.startsWith("sj ") ? "sj.txt" : "su.txt";
        QTemporaryDir folder;
        for (const QString name : {"so.txt", "su.txt", "sj.txt", "ss.txt", "sl.txt"}) {
            const QString text = name == file ? content : name == "sl.txt" ? " 618 9147" : "01/01/1950D1";
            if (!text.isNull()) {
                std::ofstream(folder.filePath(name).toStdString()) << text.toStdString();
            }
        }
        std::string error;
        const auto t = loadEphemerisTables(folder.path().toStdString(), error);
        QCOMPARE(!t                 ? QString::fromStdString(error).section(", ", -1)
                 : file == "sl.txt" ? describe(t->lunations)
                 : file == "sj.txt" ? describe(t->jupiter)
                                    : describe(t->moon),
                 expected);
    }

    // Around two ingresses: one without a time (the local birth date decides), one with a time (the
    // universal minute decides), and lines that must be ignored between them.
    void aroundIngress_data() {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("birthUT");  // "JJ/MM/AAAA HH:MM"
        QTest::addColumn<int>("expected");
        QTest::newRow("eve of a bare ingress") << u"19/03/1950"_s << u"19/03/1950 23:59"_s << 9;
        QTest::newRow("bare ingress day, universal eve") << u"20/03/1950"_s << u"19/03/1950 23:00"_s << 10;
        QTest::newRow("timed ingress, minute before") << u"21/03/1950"_s << u"21/03/1950 04:34"_s << 10;
        QTest::newRow("timed ingress, same minute") << u"21/03/1950"_s << u"21/03/1950 04:35"_s << 1;
        QTest::newRow("local eve, universal after") << u"20/03/1950"_s << u"21/03/1950 05:00"_s << 1;
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

QTEST_GUILESS_MAIN(EphemerisReaderTest)
#include "test_ephemeris_reader.moc"
