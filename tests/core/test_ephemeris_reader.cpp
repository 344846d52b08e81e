#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "sky/ephemeris_reader.h"
#include "sky/sign_names.h"

using namespace selenarc;

namespace {

// "20/03/2000:1@07:35#3": date, decoded sign, time when present, line number; lines joined by blanks.
QString describe(const IngressTable& table) {
    QStringList parts;
    for (const IngressLine& line : table.accepted) {
        QString text = QString::fromStdString(formatDayMonthYear(line.date) + ":" + line.sign);
        if (line.timeUT) {
            text += QString("@%1:%2")
                        .arg(line.timeUT->count() / 60, 2, 10, QChar('0'))
                        .arg(line.timeUT->count() % 60, 2, 10, QChar('0'));
        }
        parts << text + "#" + QString::number(line.lineNumber);
    }
    return parts.join(' ');
}

// "618:9|1|4|7" with "_" for a blank sign column.
QString describe(const LunationTable& table) {
    QStringList parts;
    for (const LunationLine& line : table.lines) {
        QStringList signs;
        for (const std::string& sign : line.signs) {
            signs << (sign == " " ? QString("_") : QString::fromStdString(sign));
        }
        parts << QString::number(line.number) + ":" + signs.join('|');
    }
    return parts.join(' ');
}

void writeFile(const QString& path, const std::string& content) {
    std::ofstream(path.toStdString(), std::ios::binary) << content;
}

}  // namespace

class EphemerisReaderTest : public QObject {
    Q_OBJECT
  private slots:
    void ingressLines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare line, CR LF") << "21/03/1950D1\r\n"
                                          << "21/03/1950:1#1";
        QTest::newRow("last line without end") << "21/03/1950D1\r\n20/04/1950R2"
                                               << "21/03/1950:1#1 20/04/1950:2#2";
        QTest::newRow("LF only") << "21/03/1950D1\n20/04/1950D2\n"
                                 << "21/03/1950:1#1 20/04/1950:2#2";
        QTest::newRow("blank lines skipped, numbering kept")
            << "\r\n21/03/1950D1\r\n   \r\n\t\r\n20/04/1950D2\r\n\r\n"
            << "21/03/1950:1#2 20/04/1950:2#5";
        QTest::newRow("A B C decoded") << "01/01/1950DA\r\n01/02/1950DB\r\n01/03/1950RC\r\n"
                                       << "01/01/1950:10#1 01/02/1950:11#2 01/03/1950:12#3";
        QTest::newRow("lower-case r ignored") << "21/03/1950D1\r\n22/03/1950r2\r\n"
                                              << "21/03/1950:1#1";
        QTest::newRow("other code ignored, even out of order")
            << "21/03/1950D1\r\n01/01/1900X5\r\n23/03/1950D2\r\n"
            << "21/03/1950:1#1 23/03/1950:2#3";
        QTest::newRow("no motion code: ignored") << "21/03/1950\r\n"
                                                 << "";
        QTest::newRow("blank in a number field") << " 1/03/1950D1\r\n"
                                                 << "01/03/1950:1#1";
        QTest::newRow("time of day") << "20/03/2000D1 07:35\r\n"
                                     << "20/03/2000:1@07:35#1";
        QTest::newRow("midnight and last minute") << "20/03/2000D1 00:00\r\n20/03/2000D2 23:59\r\n"
                                                  << "20/03/2000:1@00:00#1 20/03/2000:2@23:59#2";
        QTest::newRow("comment after the sign") << "20/03/2000D1 entrée\r\n"
                                                << "20/03/2000:1#1";
        QTest::newRow("time without blank is a comment") << "20/03/2000D107:35\r\n"
                                                         << "20/03/2000:1#1";
        QTest::newRow("same date twice") << "20/03/2000D1 07:35\r\n20/03/2000RC 08:00\r\n"
                                         << "20/03/2000:1@07:35#1 20/03/2000:12@08:00#2";
    }
    void ingressLines() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        std::string error;
        const auto table = parseIngressText(content.toStdString(), "so.txt", error);
        QVERIFY2(table, error.c_str());
        QCOMPARE(describe(*table), expected);
        QCOMPARE(QString::fromStdString(table->fileName), QString("so.txt"));
    }

    void badIngressLines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("leading blank shifts the columns") << "21/03/1950D1\r\n 21/03/1950D2\r\n"
                                                          << "Table su.txt, ligne 2 : date illisible";
        QTest::newRow("letters in the date") << "2l/03/1950D1\r\n"
                                             << "Table su.txt, ligne 1 : date illisible";
        QTest::newRow("no such day") << "31/04/1950D1\r\n"
                                     << "Table su.txt, ligne 1 : date illisible";
        QTest::newRow("day zero") << "00/04/1950D1\r\n"
                                  << "Table su.txt, ligne 1 : date illisible";
        QTest::newRow("ignored code still needs a date") << "21/03/19x0X1\r\n"
                                                         << "Table su.txt, ligne 1 : date illisible";
        QTest::newRow("short line") << "21/03/19\r\n"
                                    << "Table su.txt, ligne 1 : date illisible";
        QTest::newRow("no sign") << "\r\n21/03/1950D\r\n"
                                 << "Table su.txt, ligne 2 : signe illisible";
        QTest::newRow("sign zero") << "21/03/1950D0\r\n"
                                   << "Table su.txt, ligne 1 : signe illisible";
        QTest::newRow("lower-case sign") << "21/03/1950Da\r\n"
                                         << "Table su.txt, ligne 1 : signe illisible";
        QTest::newRow("hour 24") << "21/03/1950D1 24:00\r\n"
                                 << "Table su.txt, ligne 1 : heure illisible";
        QTest::newRow("minute 60") << "21/03/1950D1 10:60\r\n"
                                   << "Table su.txt, ligne 1 : heure illisible";
        QTest::newRow("date going back")
            << "21/03/1950D1\r\n20/03/1950D2\r\n"
            << "Table su.txt, ligne 2 : date antérieure à celle de la ligne précédente";
    }
    void badIngressLines() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        std::string error;
        QVERIFY(!parseIngressText(content.toStdString(), "su.txt", error));
        QCOMPARE(QString::fromStdString(error), expected);
    }

    void lunationLines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blank-padded") << " 618 9147\r\n"
                                      << "618:9|1|4|7";
        QTest::newRow("zero-padded") << "0618 9147\r\n"
                                     << "618:9|1|4|7";
        QTest::newRow("negative") << "-999 7B25\r\n"
                                  << "-999:7|B|2|5";
        QTest::newRow("letters kept raw") << "1237 A158\r\n"
                                          << "1237:A|1|5|8";
        QTest::newRow("blank sign column") << " 618 9 47\r\n"
                                           << "618:9|_|4|7";
        QTest::newRow("short line: missing columns blank") << " 618 91\r\n"
                                                           << "618:9|1|_|_";
        QTest::newRow("columns 10 on ignored") << " 618 9147 pleine lune\r\n"
                                               << "618:9|1|4|7";
        QTest::newRow("repeated number kept in order") << " 618 9147\r\n\r\n 618 A258\r\n 619 A258\r\n"
                                                       << "618:9|1|4|7 618:A|2|5|8 619:A|2|5|8";
    }
    void lunationLines() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        std::string error;
        const auto table = parseLunationText(content.toStdString(), "sl.txt", error);
        QVERIFY2(table, error.c_str());
        QCOMPARE(describe(*table), expected);
    }

    void badLunationLines_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("leading blank shifts the number: 61")
            << " 618 9147\r\n  619 9147\r\n"
            << "Table sl.txt, ligne 2 : lunaison antérieure à celle de la ligne précédente";
        QTest::newRow("letters in the number") << "6l8 9147\r\n"
                                               << "Table sl.txt, ligne 1 : numéro de lunaison illisible";
        QTest::newRow("bad sign") << " 618 9D47\r\n"
                                  << "Table sl.txt, ligne 1 : signe illisible";
        QTest::newRow("numbers going back")
            << " 619 9147\r\n 618 9147\r\n"
            << "Table sl.txt, ligne 2 : lunaison antérieure à celle de la ligne précédente";
    }
    void badLunationLines() {
        QFETCH(QString, content);
        QFETCH(QString, expected);
        std::string error;
        QVERIFY(!parseLunationText(content.toStdString(), "sl.txt", error));
        QCOMPARE(QString::fromStdString(error), expected);
    }

    void loadingFolder_data() {
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QString>("brokenFile");
        QTest::addColumn<QString>("brokenContent");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all there") << QStringList{} << ""
                                   << ""
                                   << "";
        QTest::newRow("no sl.txt") << QStringList{"sl.txt"} << ""
                                   << ""
                                   << "Table sl.txt introuvable";
        QTest::newRow("no su.txt") << QStringList{"su.txt", "sj.txt"} << ""
                                   << ""
                                   << "Table su.txt introuvable";
        QTest::newRow("empty sj.txt") << QStringList{} << "sj.txt"
                                      << ""
                                      << "Table sj.txt : aucune entrée de signe";
        QTest::newRow("only ignored lines") << QStringList{} << "ss.txt"
                                            << "01/01/1950X1\r\n"
                                            << "Table ss.txt : aucune entrée de signe";
        QTest::newRow("empty sl.txt") << QStringList{} << "sl.txt"
                                      << "\r\n"
                                      << "Table sl.txt : aucune lunaison";
        QTest::newRow("bad line") << QStringList{} << "so.txt"
                                  << "01/01/1950D1\r\n01/02/1950D\r\n"
                                  << "Table so.txt, ligne 2 : signe illisible";
    }
    void loadingFolder() {
        QFETCH(QStringList, absent);
        QFETCH(QString, brokenFile);
        QFETCH(QString, brokenContent);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        for (const QString name : {"so.txt", "su.txt", "sj.txt", "ss.txt"}) {
            writeFile(folder.filePath(name), "01/01/1950D1 10:00\r\n01/02/1950D2 11:00\r\n");
        }
        writeFile(folder.filePath("sl.txt"), " 618 9147\r\n 619 A258\r\n");
        if (!brokenFile.isEmpty()) {
            writeFile(folder.filePath(brokenFile), brokenContent.toStdString());
        }
        for (const QString& name : absent) {
            QVERIFY(QFile::remove(folder.filePath(name)));
        }
        std::string error;
        const auto tables = loadEphemerisTables(folder.path().toStdString(), error);
        QCOMPARE(QString::fromStdString(error), expected);
        QCOMPARE(tables.has_value(), expected.isEmpty());
        if (tables) {
            QCOMPARE(QString::fromStdString(tables->moon.fileName), QString("su.txt"));
            QCOMPARE(tables->saturn.accepted.size(), size_t{2});
            QCOMPARE(describe(tables->lunations), QString("618:9|1|4|7 619:A|2|5|8"));
        }
    }

    void signNames_data() {
        QTest::addColumn<int>("sign");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "";
        QTest::newRow("1") << 1 << "Bélier";
        QTest::newRow("3") << 3 << "Gémeaux";
        QTest::newRow("10") << 10 << "Capricorne";
        QTest::newRow("12") << 12 << "Poisson";
        QTest::newRow("13") << 13 << "";
        QTest::newRow("-1") << -1 << "";
    }
    void signNames() {
        QFETCH(int, sign);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(SignName(static_cast<int16_t>(sign))), name);
    }

    void signDigits_data() {
        QTest::addColumn<char>("digit");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<int>("index");
        QTest::newRow("1") << '1' << "1" << 1;
        QTest::newRow("9") << '9' << "9" << 9;
        QTest::newRow("A") << 'A' << "10" << 10;
        QTest::newRow("B") << 'B' << "11" << 11;
        QTest::newRow("C") << 'C' << "12" << 12;
        QTest::newRow("D unchanged") << 'D' << "D" << 0;
        QTest::newRow("0 unchanged") << '0' << "0" << 0;
        QTest::newRow("a unchanged") << 'a' << "a" << 0;
        QTest::newRow("blank unchanged") << ' ' << " " << 0;
    }
    void signDigits() {
        QFETCH(char, digit);
        QFETCH(QString, decoded);
        QFETCH(int, index);
        QCOMPARE(QString::fromStdString(decodeSignDigit(digit)), decoded);
        QCOMPARE(int(signIndexOfDigit(digit)), index);
    }
};

QTEST_GUILESS_MAIN(EphemerisReaderTest)
#include "test_ephemeris_reader.moc"
