#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "sky/ephemeris_reader.h"
#include "sky/sign_names.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

namespace {

// "20/03/2000 07h35:1#3" per accepted line: date, time when given, decoded sign, line number.
QString describe(const IngressTable& table) {
    QStringList parts;
    for (const IngressLine& l : table.accepted) {
        const std::string when = l.timeUT ? formatDayMonthYearTime({std::chrono::sys_days{l.date}, *l.timeUT})
                                          : formatDayMonthYear(l.date);
        parts << QString::fromStdString(when + ":" + l.sign + "#" + std::to_string(l.lineNumber));
    }
    return parts.join(", ");
}

// "618:9 47": lunation number, then the four sign columns as read.
QString describe(const LunationTable& table) {
    QStringList parts;
    for (const LunationLine& l : table.lines) {
        const std::string signs = l.signs[0] + l.signs[1] + l.signs[2] + l.signs[3];
        parts << QString::number(l.number) + ":" + QString::fromStdString(signs);
    }
    return parts.join(", ");
}

// The lines read from `content`, or the reader's error.
template <typename Parse>
QString read(Parse parse, const QString& content, const char* fileName) {
    std::string error;
    const auto table = parse(content.toStdString(), fileName, error);
    return table ? describe(*table) : QString::fromStdString(error);
}

}  // namespace

class EphemerisReaderTest : public QObject {
    Q_OBJECT
  private slots:
    void ingressLines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");  // accepted lines, or the error
        const QString at = u"Table su.txt, ligne "_s;
        QTest::newRow("CR LF, LF, no final end") << u"21/03/1950D1\r\n20/04/1950R2\n21/05/1950D3"_s
                                                 << "21/03/1950:1#1, 20/04/1950:2#2, 21/05/1950:3#3";
        QTest::newRow("blank lines skipped, numbering kept")
            << u"\r\n21/03/1950D1\r\n   \r\n\t\r\n20/04/1950D2\r\n\r\n"_s << "21/03/1950:1#2, 20/04/1950:2#5";
        QTest::newRow("A B C decoded, blank in a number")
            << u"01/01/1950DA\r\n 1/02/1950DB\r\n01/03/1950RC"_s
            << "01/01/1950:10#1, 01/02/1950:11#2, 01/03/1950:12#3";
        QTest::newRow("other codes ignored, even out of order")
            << u"21/03/1950D1\r\n01/01/1900X5\r\n22/03/1950r2\r\n21/03/1950\r\n23/03/1950D2"_s
            << "21/03/1950:1#1, 23/03/1950:2#5";
        QTest::newRow("same date, midnight and last minute")
            << u"20/03/2000D1 00:00\r\n20/03/2000RC 23:59"_s << "20/03/2000 00h00:1#1, 20/03/2000 23h59:12#2";
        QTest::newRow("comments after the sign")
            << u"20/03/2000D1 entrée\r\n20/03/2000D207:35"_s << "20/03/2000:1#1, 20/03/2000:2#2";
        QTest::newRow("leading blank shifts the columns")
            << u"21/03/1950D1\r\n 21/03/1950D2"_s << at + "2 : date illisible";
        QTest::newRow("no such day") << u"31/04/1950D1"_s << at + "1 : date illisible";
        QTest::newRow("ignored code needs a date") << u"21/03/19x0X1"_s << at + "1 : date illisible";
        QTest::newRow("short line") << u"21/03/19"_s << at + "1 : date illisible";
        QTest::newRow("no sign") << u"\r\n21/03/1950D"_s << at + "2 : signe illisible";
        QTest::newRow("lower-case sign") << u"21/03/1950Da"_s << at + "1 : signe illisible";
        QTest::newRow("hour 24") << u"21/03/1950D1 24:00"_s << at + "1 : heure illisible";
        QTest::newRow("minute 60") << u"21/03/1950D1 10:60"_s << at + "1 : heure illisible";
        QTest::newRow("date going back")
            << u"21/03/1950D1\r\n20/03/1950D2"_s << at + "2 : date antérieure à celle de la ligne précédente";
    }
    void ingressLines() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        QCOMPARE(read(parseIngressText, content, "su.txt"), expected);
    }

    void lunationLines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");  // lines, or the error
        const QString at = u"Table sl.txt, ligne "_s;
        QTest::newRow("padding, minus sign, letters and blanks kept, tail ignored")
            << u"-999 7B25\r\n 618 9 47 pleine lune\r\n0619 91"_s << "-999:7B25, 618:9 47, 619:91  ";
        QTest::newRow("repeated number kept in order")
            << u" 618 9147\r\n\r\n 618 A258\r\n 619 A258"_s << "618:9147, 618:A258, 619:A258";
        QTest::newRow("leading blank shifts the number: 61")
            << u" 618 9147\r\n  619 9147"_s << at + "2 : lunaison antérieure à celle de la ligne précédente";
        QTest::newRow("letters in the number") << u"6l8 9147"_s << at + "1 : numéro de lunaison illisible";
        QTest::newRow("bad sign") << u" 618 9D47"_s << at + "1 : signe illisible";
    }
    void lunationLines() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        QCOMPARE(read(parseLunationText, content, "sl.txt"), expected);
    }

    // Five good tables, then files removed ("su.txt") or overwritten ("su.txt=content").
    void loadingFolder_data() {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all there") << QStringList{} << "";
        QTest::newRow("first missing named") << QStringList{"sj.txt", "su.txt"} << "Table su.txt introuvable";
        QTest::newRow("only ignored lines")
            << QStringList{"ss.txt=01/01/1950X1"} << "Table ss.txt : aucune entrée de signe";
        QTest::newRow("blank sl.txt") << QStringList{"sl.txt=\r\n"} << "Table sl.txt : aucune lunaison";
        QTest::newRow("bad line") << QStringList{"so.txt=01/01/1950D1\r\n01/02/1950D"}
                                  << "Table so.txt, ligne 2 : signe illisible";
    }
    void loadingFolder() {
        QFETCH(QStringList, changes);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        auto write = [&](const QString& name, const QString& content) {
            std::ofstream(folder.filePath(name).toStdString(), std::ios::binary) << content.toStdString();
        };
        for (const char* name : {"so.txt", "su.txt", "sj.txt", "ss.txt"}) {
            write(name, "01/01/1950D1 10:00\r\n01/02/1950D2 11:00\r\n");
        }
        write("sl.txt", " 618 9147\r\n 619 A258\r\n");
        for (const QString& change : changes) {
            if (change.contains('=')) {
                write(change.section('=', 0, 0), change.section('=', 1));
            } else {
                QVERIFY(QFile::remove(folder.filePath(change)));
            }
        }
        std::string error;
        const auto tables = loadEphemerisTables(folder.path().toStdString(), error);
        QCOMPARE(QString::fromStdString(error), expected);
        QCOMPARE(tables.has_value(), expected.isEmpty());
        if (tables) {
            QCOMPARE(QString::fromStdString(tables->moon.fileName), u"su.txt"_s);
            QCOMPARE(tables->saturn.accepted.size(), size_t{2});
            QCOMPARE(describe(tables->lunations), u"618:9147, 619:A258"_s);
        }
    }

    // SignDigit: decoded text and SignIndex; SignIndex: French name.
    void signs_data() {
        QTest::addColumn<char>("digit");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("1") << '1' << "1" << 1 << "Bélier";
        QTest::newRow("A") << 'A' << "10" << 10 << "Capricorne";
        QTest::newRow("C") << 'C' << "12" << 12 << "Poisson";
        QTest::newRow("0") << '0' << "0" << 0 << "";
        QTest::newRow("a") << 'a' << "a" << 0 << "";
    }
    void signs() {
        QFETCH(char, digit);
        QFETCH(QString, decoded);
        QFETCH(int, index);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(decodeSignDigit(digit)), decoded);
        QCOMPARE(int(signIndexOfDigit(digit)), index);
        QCOMPARE(QString::fromStdString(SignName(static_cast<int16_t>(index))), name);
        QVERIFY(SignName(13).empty() && SignName(-1).empty());
    }
};

QTEST_GUILESS_MAIN(EphemerisReaderTest)
#include "test_ephemeris_reader.moc"
