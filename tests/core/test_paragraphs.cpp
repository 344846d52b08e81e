#include <QtTest>

#include <fstream>

#include "interpretation/paragraphs.h"

using namespace selenarc;

namespace {

const std::filesystem::path kSourceDir = SELENARC_SOURCE_DIR;
const QStringList kShippedStems = {"cycle-de-vie", "jupiter", "saturne"};

// The rows of an openings table: key, kind (piece, whole, short), join (J, j, -), opening.
std::vector<QStringList> readOpenings(const QString& stem) {
    std::ifstream in(kSourceDir / "tests" / "data" / ("openings-" + stem.toStdString() + ".tsv"));
    std::vector<QStringList> rows;
    for (std::string line; std::getline(in, line);) {
        const QStringList fields = QString::fromStdString(line).split('\t');
        if (fields.size() == 4 && !line.starts_with('#')) {
            rows.push_back(fields);
        }
    }
    return rows;
}

bool endsWithPunctuation(const QString& text) {
    return !text.isEmpty() && QStringLiteral(".!?…»").contains(text.back());
}

void writeFile(const QString& path, std::string_view content) {
    std::ofstream(path.toStdString(), std::ios::binary) << content;
}

}  // namespace

class ParagraphsTest : public QObject {
    Q_OBJECT
    std::map<QString, ParagraphSet> shipped_;

  private slots:
    void initTestCase() {
        for (const QString& stem : kShippedStems) {
            std::string error;
            const auto set = loadParagraphFile(
                kSourceDir / "data" / "interpretation" / (stem.toStdString() + ".txt"), error);
            QVERIFY2(set, error.c_str());
            shipped_[stem] = *set;
        }
    }

    // One file with every kind of line; each row looks up one key.
    void parsesPieces_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("byte order mark") << "I2" << QString("z");
        QTest::newRow("hash inside text") << "C0" << QString("No #1");
        QTest::newRow("CR LF: one CR dropped") << "I4" << QString("Fin. ");
        QTest::newRow("trailing blanks kept") << "I5" << QString("Fin.  ");
        QTest::newRow("empty text") << "L1" << QString();
        QTest::newRow("UTF-8 kept") << "J-year-1" << QString("à l’été « là »");
        QTest::newRow("no final newline") << "B" << QString("y");
        QTest::newRow("missing key is empty") << "I9" << QString();
    }
    void parsesPieces() {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const std::string content =
            "\xEF\xBB\xBFI2\tz\n# note\n\n   \r\n#\tX\tY\nC0\tNo #1\nI4\tFin. \r\nI5\tFin.  "
            "\nL1\t\nJ-year-1\tà l’été « là »\nB\ty";
        std::string error;
        const auto set = parseParagraphText(content, "essai.txt", error);
        QVERIFY2(set, error.c_str());
        QCOMPARE(set->size(), std::size_t(7));
        QCOMPARE(QString::fromStdString(paragraph(*set, key.toStdString())), expected);
        QVERIFY(parseParagraphText("", "essai.txt", error) == ParagraphSet{});
    }

    void refusesMalformedLines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QString at = "Fichier de textes « essai.txt », ligne %1 : ";
        const QString noTab = "il manque la tabulation entre la clé et le texte.";
        const QString badKey =
            "la clé ne doit contenir que des lettres sans accent, des chiffres et des tirets.";
        const QString control = "le texte contient un caractère de contrôle.";
        const QString utf8 = "le texte n'est pas en UTF-8 valide.";
        QTest::newRow("no tab") << QByteArray("I1\ta\nI2 b\n") << at.arg(2) + noTab;
        QTest::newRow("indented comment") << QByteArray("  # note\n") << at.arg(1) + noTab;
        QTest::newRow("empty key") << QByteArray("\n\n\ttexte\n") << at.arg(3) + "la clé est vide.";
        QTest::newRow("duplicate key")
            << QByteArray("I1\ta\n# x\nI1\tb\n") << at.arg(3) + "la clé « I1 » figure déjà à la ligne 1.";
        QTest::newRow("accent in key") << QByteArray("clé\ta\n") << at.arg(1) + badKey;
        QTest::newRow("second tab") << QByteArray("I1\ta\tb\n")
                                    << at.arg(1) + "une seconde tabulation se trouve dans le texte.";
        QTest::newRow("lone CR") << QByteArray("I1\ta\rb\n") << at.arg(1) + control;
        QTest::newRow("NUL byte") << QByteArray("I1\ta\0b\n", 7) << at.arg(1) + control;
        QTest::newRow("Latin-1 e acute") << QByteArray("I1\tt\xE9t\xE9\n") << at.arg(1) + utf8;
        QTest::newRow("overlong slash") << QByteArray("I1\t\xC0\xAF\n") << at.arg(1) + utf8;
        QTest::newRow("surrogate") << QByteArray("I1\t\xED\xA0\x80\n") << at.arg(1) + utf8;
        QTest::newRow("above U+10FFFF") << QByteArray("I1\t\xF4\x90\x80\x80\n") << at.arg(1) + utf8;
        QTest::newRow("cut at end") << QByteArray("I1\tpr\xC3") << at.arg(1) + utf8;
    }
    void refusesMalformedLines() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        std::string error;
        QVERIFY(
            !parseParagraphText(std::string_view(content.constData(), content.size()), "essai.txt", error));
        QCOMPARE(QString::fromStdString(error), message);
    }

    void loadsFilesFromDisk() {
        QTemporaryDir dir;
        writeFile(dir.filePath("cycle-de-vie.txt"), "# x\r\nI1\tun \r\n");
        writeFile(dir.filePath("jupiter.txt"), "J-intro-1\tdeux\n");
        writeFile(dir.filePath("saturne.txt"), "S-intro-1\ttrois");
        std::string error;
        const auto all = loadAllParagraphs(dir.path().toStdString(), error);
        QVERIFY2(all, error.c_str());
        QCOMPARE(*all, (ParagraphSet{{"I1", "un "}, {"J-intro-1", "deux"}, {"S-intro-1", "trois"}}));

        writeFile(dir.filePath("saturne.txt"), "I1\tencore\n");
        QVERIFY(!loadAllParagraphs(dir.path().toStdString(), error));
        QVERIFY2(QString::fromStdString(error).contains("saturne.txt » : la clé « I1 » figure déjà"),
                 error.c_str());
        QVERIFY(!loadParagraphFile(dir.filePath("absent.txt").toStdString(), error));
        QVERIFY2(QString::fromStdString(error).contains("absent.txt » introuvable"), error.c_str());
        QVERIFY(!loadParagraphFile(dir.path().toStdString(), error));  // a folder is not a file
    }

    // Each shipped file holds exactly the keys of its openings table, and no text appears twice.
    void shippedKeysExactAndDistinct() {
        std::map<std::string, std::string> keyOfText;
        for (const QString& stem : kShippedStems) {
            QStringList keys, expected;
            for (const auto& [key, text] : shipped_[stem]) {
                keys << QString::fromStdString(key);
                const auto [where, inserted] = keyOfText.emplace(text, key);
                QVERIFY2(inserted, qPrintable(QString::fromStdString(key + " repeats " + where->second)));
            }
            for (const QStringList& row : readOpenings(stem)) {
                expected << row[0];
            }
            QVERIFY2(!expected.empty(), "openings table missing");
            keys.sort();
            expected.sort();
            QCOMPARE(keys, expected);
        }
    }

    void shippedPieceMatchesItsOpening_data() {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QStringList>("row");
        for (const QString& stem : kShippedStems) {
            for (const QStringList& row : readOpenings(stem)) {
                QTest::newRow(qPrintable(stem + "/" + row[0])) << stem << row;
            }
        }
    }
    void shippedPieceMatchesItsOpening() {
        QFETCH(QString, stem);
        QFETCH(QStringList, row);
        const QString &kind = row[1], &join = row[2], &opening = row[3];
        const QString text = QString::fromStdString(paragraph(shipped_[stem], row[0].toStdString()));
        QVERIFY2(!text.isEmpty(), "key missing");
        QVERIFY2(!text.contains("  "), "two blanks in a row");
        if (kind == "piece") {
            QVERIFY2(text.startsWith(opening), qPrintable(text.left(opening.size())));
            const auto characters = text.toUcs4().size();
            QVERIFY2(characters >= 100 && characters <= 1000, qPrintable(QString::number(characters)));
        } else {
            QVERIFY(kind == "whole" || kind == "short");
            // A joined whole text may carry its one joining blank beyond the quoted words.
            const bool addedBlank = join == "J" && !opening.endsWith(' ') && text.endsWith(' ');
            QCOMPARE(addedBlank ? text.chopped(1) : text, opening);
        }
        if (join == "J") {
            QVERIFY2(text.endsWith(' ') && endsWithPunctuation(text.chopped(1)),
                     "needs punctuation and a blank");
        } else if (join == "j") {
            QVERIFY2(endsWithPunctuation(text), "needs punctuation and no blank");
        } else if (kind == "piece") {
            QVERIFY2(endsWithPunctuation(text.endsWith(' ') ? text.chopped(1) : text), "needs punctuation");
        }
    }
};

QTEST_GUILESS_MAIN(ParagraphsTest)
#include "test_paragraphs.moc"
